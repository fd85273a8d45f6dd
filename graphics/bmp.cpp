#include "graphics/bmp.h"

#include <cstring>

namespace graphics {

namespace {
uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
}  // namespace

bool read_bmp(const uint8_t* data, size_t size, DibSurface& out, std::vector<uint8_t>& indices) {
  indices.clear();
  if (size < 54 || data[0] != 'B' || data[1] != 'M') return false;
  const uint8_t* info = data + 14;
  uint32_t header_size = le32(info);
  int32_t width = static_cast<int32_t>(le32(info + 4));
  int32_t height = static_cast<int32_t>(le32(info + 8));
  int bits = le16(info + 14);
  uint32_t compression = le32(info + 16);
  uint32_t colours_used = le32(info + 32);
  // Headers longer than 40 bytes (as current tools write) put the palette
  // further on; reading it at 54 regardless would take header bytes as colours.
  if (header_size < 40 || header_size > 124) header_size = 40;
  bool top_down = height < 0;
  int64_t h64 = top_down ? -int64_t(height) : height;
  if (width <= 0 || h64 <= 0 || width > kMaxPictureSide || h64 > kMaxPictureSide ||
      int64_t(width) * h64 > kMaxPicturePixels)
    return false;
  int h = static_cast<int>(h64);
  int palette_length = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
  if (palette_length == 0 && bits != 16 && bits != 24 && bits != 32) return false;
  uint64_t entries = colours_used ? colours_used : palette_length;
  uint64_t palette_at = 14 + uint64_t(header_size);
  if (palette_at + entries * 4 > size) return false;
  uint8_t palette[256][4] = {};
  for (uint64_t i = 0; i < entries && i < uint64_t(palette_length); ++i)
    std::memcpy(palette[i], data + palette_at + i * 4, 4);
  uint64_t pixels_at = palette_at + entries * 4;

  create_surface(out, width, h);
  if (palette_length) {
    // Pixels never read hold index 0, which shows as the first palette colour.
    indices.assign(size_t(width) * h, 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < width; ++x) std::memcpy(out.row(y) + 3 * x, palette[0], 3);
  }
  if (compression != 0) return true;
  size_t stride = ((size_t(bits) * width + 31) / 32) * 4;
  size_t available = size - pixels_at;
  for (int r = 0; r < h; ++r) {
    // Stored rows run bottom-up unless the height is negative.
    size_t at = size_t(r) * stride;
    if (at + stride > available) break;  // a short file leaves the rest black
    const uint8_t* src = data + pixels_at + at;
    int y = top_down ? r : h - 1 - r;
    uint8_t* dst = out.row(y);
    switch (bits) {
      case 24: std::memcpy(dst, src, size_t(width) * 3); break;
      case 32:
        for (int x = 0; x < width; ++x) std::memcpy(dst + 3 * x, src + 4 * x, 3);
        break;
      case 16:
        for (int x = 0; x < width; ++x) {
          unsigned v = le16(src + 2 * x);
          dst[3 * x] = static_cast<uint8_t>((v & 31) * 255 / 31);
          dst[3 * x + 1] = static_cast<uint8_t>((v >> 5 & 31) * 255 / 31);
          dst[3 * x + 2] = static_cast<uint8_t>((v >> 10 & 31) * 255 / 31);
        }
        break;
      default: {
        uint8_t* idx = indices.data() + size_t(y) * width;
        for (int x = 0; x < width; ++x) {
          int i;
          if (bits == 8)
            i = src[x];
          else if (bits == 4)
            i = src[x / 2] >> (x % 2 ? 0 : 4) & 15;
          else
            i = src[x / 8] >> (7 - x % 8) & 1;
          idx[x] = static_cast<uint8_t>(i);
          std::memcpy(dst + 3 * x, palette[i], 3);
        }
        break;
      }
    }
  }
  return true;
}

}  // namespace graphics
