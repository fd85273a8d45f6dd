// tests/support/screenshot: the PNG screenshots of the headless program read back as RGB pixels.
#pragma once
#include <png.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace testsupport {

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  // The pixel at (x, y) as 0xRRGGBB.
  uint32_t at(int x, int y) const {
    const uint8_t* p = rgb.data() + (size_t(y) * width + x) * 3;
    return uint32_t(p[0]) << 16 | p[1] << 8 | p[2];
  }
};

// False when the file is missing or not a PNG.
inline bool read_png(const std::string& path, Picture& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  out.width = int(image.width), out.height = int(image.height);
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr) != 0;
}

// The picture, or an empty one (width 0) when it cannot be read.
inline Picture read_png(const std::string& path) {
  Picture out;
  if (!read_png(path, out)) out = Picture();
  return out;
}

}  // namespace testsupport
