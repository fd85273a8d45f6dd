#include "graphics/button_picture.h"

#include <algorithm>
#include <cstring>

#include "graphics/screen.h"
#include "interp/readers.h"
#include "platform/window.h"

namespace graphics {

ImageRecord button_image;

namespace {

int32_t number_after_comma() {
  interp::expect_comma();
  return interp::read_number();
}

}  // namespace

void cmd_blt() {
  int32_t dx = interp::read_number();
  int32_t dy = number_after_comma(), dw = number_after_comma(), dh = number_after_comma();
  int32_t sx = number_after_comma(), sy = number_after_comma();
  int32_t sw = dw, sh = dh;
  if (interp::skip_blanks() == ',') {
    sw = number_after_comma();
    sh = number_after_comma();
  }
  const DibSurface& src = button_image.surface;
  DibSurface& dst = TheScreen.display;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || src.width <= 0) return;
  int x0 = static_cast<int>(std::max<int64_t>(dx, 0)),
      x1 = static_cast<int>(std::min<int64_t>(int64_t{dx} + dw, dst.width));
  int y0 = static_cast<int>(std::max<int64_t>(dy, 0)),
      y1 = static_cast<int>(std::min<int64_t>(int64_t{dy} + dh, dst.height));
  for (int y = y0; y < y1; y++) {
    int64_t py = int64_t{sy} + (int64_t{y} - dy) * sh / dh;
    if (py < 0 || py >= src.height) continue;
    const uint8_t* srow = src.row(static_cast<int>(py));
    uint8_t* drow = dst.row(y);
    for (int x = x0; x < x1; x++) {
      int64_t px = int64_t{sx} + (int64_t{x} - dx) * sw / dw;
      if (px < 0 || px >= src.width) continue;
      std::memcpy(drow + 3 * x, srow + 3 * px, 3);
    }
  }
  platform::present_display();
}

}  // namespace graphics
