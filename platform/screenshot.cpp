#include "platform/screenshot.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "platform/surface.h"

namespace platform {

bool write_png(const DibSurface& surface, const std::string& path) {
  if (surface.width <= 0 || surface.height <= 0 ||
      surface.pixels.size() < static_cast<size_t>(surface.stride) * surface.height)
    return false;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(surface.width);
  image.height = static_cast<png_uint_32>(surface.height);
  image.format = PNG_FORMAT_BGR;  // the surface's byte order
  return png_image_write_to_file(&image, path.c_str(), 0, surface.pixels.data(), surface.stride, nullptr) != 0;
}

}  // namespace platform
