#include "graphics/bmp_writer.h"

#include <cstring>

#include "platform/file_io.h"

namespace graphics {

namespace {

void put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> encode_bmp(const DibSurface& picture) {
  int w = picture.width > 0 && picture.height > 0 ? picture.width : 0;
  int h = w ? picture.height : 0;
  size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
  std::vector<uint8_t> f(54 + stride * h, 0);
  f[0] = 'B', f[1] = 'M';
  put32(&f[2], uint32_t(f.size()));
  put32(&f[10], 54);
  put32(&f[14], 40);
  put32(&f[18], uint32_t(w));
  put32(&f[22], uint32_t(h));
  f[26] = 1;   // planes
  f[28] = 24;  // bits per pixel
  for (int y = 0; y < h; ++y) std::memcpy(&f[54 + stride * (h - 1 - y)], picture.row(y), size_t(w) * 3);
  return f;
}

bool write_bmp(const std::string& path, const DibSurface& picture) {
  std::vector<uint8_t> bytes = encode_bmp(picture);
  return platform::write_whole_file(path, bytes.data(), bytes.size());
}

}  // namespace graphics
