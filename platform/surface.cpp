#include "platform/surface.h"

namespace platform {

void create_surface(DibSurface& s, int width, int height) {
  if (width <= 0 || height <= 0) width = height = 0;
  s.width = width;
  s.height = height;
  s.stride = (width * 3 + 3) & ~3;
  s.pixels.assign(static_cast<size_t>(s.stride) * height, 0);
}

}  // namespace platform
