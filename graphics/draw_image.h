// graphics/draw_image: puts an image record's current cell onto a 24-bit surface.
#pragma once
#include "graphics/image.h"
#include "graphics/surface.h"

namespace graphics {

// A rectangle with inclusive right and bottom.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The rectangle limited to a width x height picture; the whole picture when
// `rect` is null. May come out empty (left > right or top > bottom).
inline Rect clamp_rect(const Rect* rect, int width, int height) {
  Rect r{0, 0, width - 1, height - 1};
  if (rect) {
    r.left = rect->left > 0 ? rect->left : 0;
    r.top = rect->top > 0 ? rect->top : 0;
    r.right = rect->right < width - 1 ? rect->right : width - 1;
    r.bottom = rect->bottom < height - 1 ? rect->bottom : height - 1;
  }
  return r;
}

// Draws src's current cell with its top-left corner at (x, y) of dst,
// limited to clip (none: the whole of dst) and to dst itself, with src's
// transparency mode and overall alpha. Every written byte is
// T[s][w] + T[d][255-w] with the weight w the mode gives the pixel.
void draw_image(const ImageRecord& src, DibSurface& dst, const Rect* clip, int x, int y);

}  // namespace graphics
