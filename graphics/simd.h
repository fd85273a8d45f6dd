// graphics/simd: SSE2 pieces shared by the row kernels (inside graphics/ only).
#pragma once
#if defined(__SSE2__)
#include <emmintrin.h>

namespace graphics {

// floor(x/255) on eight 16-bit lanes, x <= 255*255: (x * 0x8081) >> 23.
inline __m128i div255_epu16(__m128i x) {
  return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
}

// T[s][w] + T[d][255-w] on 16 bytes.
inline __m128i blend16(__m128i s, __m128i d, __m128i w) {
  __m128i zero = _mm_setzero_si128();
  __m128i ff = _mm_set1_epi16(255);
  __m128i wl = _mm_unpacklo_epi8(w, zero), wh = _mm_unpackhi_epi8(w, zero);
  __m128i sl = _mm_unpacklo_epi8(s, zero), sh = _mm_unpackhi_epi8(s, zero);
  __m128i dl = _mm_unpacklo_epi8(d, zero), dh = _mm_unpackhi_epi8(d, zero);
  __m128i lo =
      _mm_add_epi16(div255_epu16(_mm_mullo_epi16(sl, wl)), div255_epu16(_mm_mullo_epi16(dl, _mm_sub_epi16(ff, wl))));
  __m128i hi =
      _mm_add_epi16(div255_epu16(_mm_mullo_epi16(sh, wh)), div255_epu16(_mm_mullo_epi16(dh, _mm_sub_epi16(ff, wh))));
  return _mm_packus_epi16(lo, hi);
}

// T[x][a] on 16 bytes.
inline __m128i scale16(__m128i x, __m128i a16) {
  __m128i zero = _mm_setzero_si128();
  __m128i lo = div255_epu16(_mm_mullo_epi16(_mm_unpacklo_epi8(x, zero), a16));
  __m128i hi = div255_epu16(_mm_mullo_epi16(_mm_unpackhi_epi8(x, zero), a16));
  return _mm_packus_epi16(lo, hi);
}

}  // namespace graphics
#endif
