// text/glyph_blend: puts a glyph's coverage onto a picture in a colour, with the text layers and the drop shadow.
#pragma once
#include <cstdint>

#include "platform/surface.h"

namespace text {

// x * y / 255 rounded down, for x and y in 0..255: the shared blend product.
inline uint8_t blend_product(unsigned x, unsigned y) {
  unsigned p = x * y;
  return static_cast<uint8_t>((p + 1 + (p >> 8)) >> 8);
}

// Where a drawn glyph is also recorded so the text can be put back over a
// newly composed picture: the coverage map (one byte per pixel of `surface`,
// row-major, width bytes a row) and the colour layer (a picture of the same
// size). Either may be null.
struct TextLayers {
  uint8_t* coverage_map = nullptr;
  platform::DibSurface* colour_layer = nullptr;
};

// Blends glyph_width x glyph_height coverage levels into `surface` with the
// top-left at (x, y) in colour rgb (R, G, B): each channel becomes
// min(255, colour * a / 255 + old * (255 - a) / 255). The layers receive a
// and colour * a / 255. With shadow, the pixel right of each glyph pixel is
// then darkened by (255 - a) / 255, row by row from the left, so the next
// glyph pixel is blended over the shadow. Pixels outside the surface are
// left out.
void blend_glyph(platform::DibSurface& surface, const TextLayers& layers, int x, int y, const uint8_t* coverage,
                 int glyph_width, int glyph_height, const uint8_t rgb[3], bool shadow);

}  // namespace text
