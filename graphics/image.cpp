#include "graphics/image.h"

namespace graphics {

int cell_width(const ImageRecord& r) {
  int count = r.cell_count > 0 ? r.cell_count : 1;
  return r.surface.width / count;
}

int visible_width(const ImageRecord& r) {
  int w = cell_width(r);
  return r.trans_mode == kTransAlpha ? w / 2 : w;
}

void release_image(ImageRecord& r) {
  int kr = r.key_red, kg = r.key_green, kb = r.key_blue, ki = r.key_index;
  r = ImageRecord();
  r.key_red = kr;
  r.key_green = kg;
  r.key_blue = kb;
  r.key_index = ki;
}

}  // namespace graphics
