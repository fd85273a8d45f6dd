#include "graphics/blend.h"

#include "graphics/simd.h"

namespace graphics {

namespace {

BlendTable make_table() {
  BlendTable t;
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) t.t[a][b] = static_cast<uint8_t>(a * b / 255);
  return t;
}

inline uint8_t blend1(uint32_t s, uint32_t d, uint32_t w) {
  return static_cast<uint8_t>(div255(s * w) + div255(d * (255 - w)));
}

}  // namespace

const BlendTable& blend_table() {
  static const BlendTable table = make_table();
  return table;
}

void blend_row(uint8_t* dst, const uint8_t* src, const uint8_t* w, size_t n) {
  size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= n; i += 16) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    __m128i ww = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), blend16(s, d, ww));
  }
#endif
  for (; i < n; ++i) dst[i] = blend1(src[i], dst[i], w[i]);
}

void blend_row_const(uint8_t* dst, const uint8_t* src, uint8_t w, size_t n) {
  size_t i = 0;
#if defined(__SSE2__)
  __m128i ww = _mm_set1_epi8(static_cast<char>(w));
  for (; i + 16 <= n; i += 16) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), blend16(s, d, ww));
  }
#endif
  for (; i < n; ++i) dst[i] = blend1(src[i], dst[i], w);
}

void negate_row(uint8_t* dst, size_t n) {
  for (size_t i = 0; i < n; ++i) dst[i] = static_cast<uint8_t>(255 - dst[i]);
}

}  // namespace graphics
