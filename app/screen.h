// app/screen: the size of the game's picture (640x480, or 800x600 with ";mode800").
#pragma once

namespace app {

extern int screen_width;
extern int screen_height;

}  // namespace app
