#include "text/glyph_blend.h"

#include <algorithm>

namespace text {

void blend_glyph(platform::DibSurface& surface, const TextLayers& layers, int x, int y, const uint8_t* coverage,
                 int glyph_width, int glyph_height, const uint8_t rgb[3], bool shadow) {
  if (!coverage || glyph_width <= 0 || glyph_height <= 0) return;
  platform::DibSurface* layer = layers.colour_layer;
  if (layer && (layer->width != surface.width || layer->height != surface.height)) layer = nullptr;
  // Surface pixels are stored blue, green, red.
  const unsigned colour[3] = {rgb[2], rgb[1], rgb[0]};
  int col0 = std::max(0, -x), col1 = std::min(glyph_width, surface.width - x);
  int row0 = std::max(0, -y), row1 = std::min(glyph_height, surface.height - y);
  for (int r = row0; r < row1; r++) {
    int py = y + r;
    const uint8_t* cov = coverage + static_cast<size_t>(r) * glyph_width;
    uint8_t* dst = surface.row(py);
    uint8_t* map = layers.coverage_map ? layers.coverage_map + static_cast<size_t>(py) * surface.width : nullptr;
    uint8_t* lay = layer ? layer->row(py) : nullptr;
    for (int c = col0; c < col1; c++) {
      int px = x + c;
      unsigned a = cov[c];
      if (map) map[px] = static_cast<uint8_t>(a);
      uint8_t* p = dst + 3 * px;
      if (a == 0) {
        if (lay) lay[3 * px] = lay[3 * px + 1] = lay[3 * px + 2] = 0;
        continue;  // the picture and its right neighbour stay as they are
      }
      for (int k = 0; k < 3; k++) {
        uint8_t ink = blend_product(colour[k], a);
        if (lay) lay[3 * px + k] = ink;
        p[k] = static_cast<uint8_t>(std::min(255u, unsigned(ink) + blend_product(p[k], 255 - a)));
      }
      if (shadow && px + 1 < surface.width)
        for (int k = 3; k < 6; k++) p[k] = blend_product(p[k], 255 - a);
    }
  }
}

}  // namespace text
