// graphics/button_picture: the button-definition picture that btndef loads, and blt, which stretches part of it onto
// the window.
#pragma once
#include "graphics/image.h"

namespace graphics {

// The picture of btndef: area buttons show parts of it while lit, and blt
// draws from it. Loaded and freed by the button code.
extern ImageRecord button_image;

// blt dx, dy, dw, dh, sx, sy [, sw, sh]: the rectangle (sx, sy, sw, sh) of
// the picture stretched onto the window at (dx, dy, dw, dh) (nearest
// pixel); without sw, sh the source has the destination's size. What falls
// outside either picture is left out; nothing else changes.
void cmd_blt();

}  // namespace graphics
