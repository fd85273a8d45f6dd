// app/screen: the size of the game's picture (640x480, or 800x600 with ";mode800"), held by the platform.
#pragma once
#include "platform/window.h"

namespace app {

using platform::screen_height;
using platform::screen_width;

}  // namespace app
