#include "graphics/blend.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace graphics {

namespace {

BlendTable make_table() {
  BlendTable t;
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) t.t[a][b] = static_cast<uint8_t>(a * b / 255);
  return t;
}

#if defined(__SSE2__)
// floor(x/255) on eight 16-bit lanes, x <= 255*255.
inline __m128i div255_epu16(__m128i x) {
  __m128i one = _mm_set1_epi16(1);
  return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, one), _mm_srli_epi16(x, 8)), 8);
}

// T[s][w] + T[d][255-w] on 16 bytes.
inline __m128i blend16(__m128i s, __m128i d, __m128i w) {
  __m128i zero = _mm_setzero_si128();
  __m128i ff = _mm_set1_epi16(255);
  __m128i wl = _mm_unpacklo_epi8(w, zero), wh = _mm_unpackhi_epi8(w, zero);
  __m128i sl = _mm_unpacklo_epi8(s, zero), sh = _mm_unpackhi_epi8(s, zero);
  __m128i dl = _mm_unpacklo_epi8(d, zero), dh = _mm_unpackhi_epi8(d, zero);
  __m128i lo = _mm_add_epi16(div255_epu16(_mm_mullo_epi16(sl, wl)),
                             div255_epu16(_mm_mullo_epi16(dl, _mm_sub_epi16(ff, wl))));
  __m128i hi = _mm_add_epi16(div255_epu16(_mm_mullo_epi16(sh, wh)),
                             div255_epu16(_mm_mullo_epi16(dh, _mm_sub_epi16(ff, wh))));
  return _mm_packus_epi16(lo, hi);
}
#endif

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

void select_row(uint8_t* dst, const uint8_t* src, const uint8_t* mask, size_t n) {
  size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= n; i += 16) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + i));
    __m128i r = _mm_or_si128(_mm_and_si128(m, s), _mm_andnot_si128(m, d));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), r);
  }
#endif
  for (; i < n; ++i) dst[i] = static_cast<uint8_t>((src[i] & mask[i]) | (dst[i] & ~mask[i]));
}

void negate_row(uint8_t* dst, size_t n) {
  for (size_t i = 0; i < n; ++i) dst[i] = static_cast<uint8_t>(255 - dst[i]);
}

}  // namespace graphics
