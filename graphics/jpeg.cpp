#include "graphics/jpeg.h"

#include "graphics/bmp.h"
#include "platform/jpeg.h"

namespace graphics {

bool read_jpeg(const uint8_t* data, size_t size, DibSurface& out) {
  return platform::decode_jpeg(data, size, kMaxPictureSide, kMaxPicturePixels, out);
}

}  // namespace graphics
