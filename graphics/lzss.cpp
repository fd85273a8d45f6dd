#include "graphics/lzss.h"

#include <cstring>

namespace graphics {

namespace {
uint8_t window[256];
}  // namespace

void reset_lzss_window() { std::memset(window, 0, sizeof window); }

bool lzss_expand(const uint8_t* in, size_t size, std::vector<uint8_t>& out, size_t capacity) {
  out.clear();
  std::memset(window, ' ', 239);
  unsigned pos = 239;
  size_t bit = 0, total = size * 8;
  auto bits = [&](int n) -> int {
    if (total - bit < size_t(n)) return -1;
    int v = 0;
    for (int i = 0; i < n; ++i, ++bit) v = v << 1 | (in[bit >> 3] >> (7 - (bit & 7)) & 1);
    return v;
  };
  auto emit = [&](uint8_t b) {
    if (out.size() >= capacity) return false;
    out.push_back(b);
    window[pos] = b;
    pos = (pos + 1) & 255;
    return true;
  };
  for (;;) {
    int flag = bits(1);
    if (flag < 0) return true;
    if (flag) {
      int b = bits(8);
      if (b < 0) return true;
      if (!emit(static_cast<uint8_t>(b))) return false;
    } else {
      if (total - bit < 12) return true;
      int p = bits(8), n = bits(4);
      // Each byte is read just before it is written, so a copy may run over
      // what it is writing.
      for (int k = 0; k < n + 2; ++k)
        if (!emit(window[(p + k) & 255])) return false;
    }
  }
}

}  // namespace graphics
