// graphics/draw_image: puts an image record's current cell onto a 24-bit surface.
#pragma once
#include "graphics/image.h"
#include "graphics/surface.h"

namespace graphics {

// A rectangle with inclusive right and bottom.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Draws src's current cell with its top-left corner at (x, y) of dst,
// limited to clip (none: the whole of dst) and to dst itself, with src's
// transparency mode and overall alpha. Every written byte is
// T[s][w] + T[d][255-w] with the weight w the mode gives the pixel.
void draw_image(const ImageRecord& src, DibSurface& dst, const Rect* clip, int x, int y);

}  // namespace graphics
