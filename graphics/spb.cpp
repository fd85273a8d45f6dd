#include "graphics/spb.h"

#include "graphics/bmp.h"

namespace graphics {

namespace {

// Most significant bit first; reads past the end give zero bits.
struct BitReader {
  const uint8_t* data;
  size_t size;
  size_t bit = 0;
  unsigned read(int n) {
    unsigned v = 0;
    for (int i = 0; i < n; ++i, ++bit) {
      size_t byte = bit >> 3;
      unsigned b = byte < size ? data[byte] >> (7 - (bit & 7)) & 1 : 0;
      v = v << 1 | b;
    }
    return v;
  }
};

}  // namespace

bool read_spb(const uint8_t* data, size_t size, DibSurface& out) {
  if (size < 4) return false;
  BitReader in{data, size};
  int width = static_cast<int>(in.read(16));
  int height = static_cast<int>(in.read(16));
  int64_t pixels = int64_t(width) * height;
  if (width == 0 || height == 0 || pixels > kMaxPicturePixels) return false;
  // Every group of four pixels takes at least 3 bits, so a stream shorter
  // than that cannot be the picture; refusing it keeps a few damaged bytes
  // from asking for a huge picture.
  uint64_t groups = (uint64_t(pixels) - 1 + 3) / 4;
  if ((uint64_t(size) * 8 - 32) < 3 * (8 + 3 * groups)) return false;
  create_surface(out, width, height);
  for (int plane = 0; plane < 3; ++plane) {
    uint8_t v = static_cast<uint8_t>(in.read(8));
    out.row(0)[plane] = v;
    int x = 0, y = 0, dir = 1;
    auto step = [&] {
      x += dir;
      if (x >= width) {
        ++y, x = width - 1, dir = -1;
      } else if (x < 0) {
        ++y, x = 0, dir = 1;
      }
    };
    step();
    while (y < height) {
      unsigned c = in.read(3);
      int n = c == 0 ? 0 : c == 7 ? static_cast<int>(in.read(1)) + 1 : static_cast<int>(c) + 2;
      for (int i = 0; i < 4; ++i) {
        if (n > 0) {
          unsigned t = in.read(n);
          if (n == 8)
            v = static_cast<uint8_t>(t);
          else if (t & 1)
            v = static_cast<uint8_t>(v + (t + 1) / 2);
          else
            v = static_cast<uint8_t>(v - t / 2);
        }
        if (y < height) out.row(y)[3 * x + plane] = v;
        step();
      }
    }
  }
  return true;
}

}  // namespace graphics
