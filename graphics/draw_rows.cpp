#include "graphics/draw_rows.h"

#include <cstring>

#include "graphics/blend.h"
#include "graphics/simd.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ORVANE_SSSE3 1
#endif

namespace graphics {

namespace {

inline void blend_pixel(uint8_t* d, const uint8_t* s, uint32_t w) {
  for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>(div255(s[c] * w) + div255(d[c] * (255 - w)));
}

inline uint32_t pixel_at(const uint8_t* p) { return p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16; }

void alpha_row_plain(uint8_t* d, const uint8_t* s, const uint8_t* m, int n, int a) {
  for (int i = 0; i < n; ++i) blend_pixel(d + 3 * i, s + 3 * i, div255((255u - m[3 * i]) * a));
}

void key_row_plain(uint8_t* d, const uint8_t* s, int n, uint32_t key, int a) {
  for (int i = 0; i < n; ++i) blend_pixel(d + 3 * i, s + 3 * i, uint32_t(a) & -uint32_t(pixel_at(s + 3 * i) != key));
}

#if ORVANE_SSSE3
// 2: AVX2, 1: SSSE3, 0: the plain loops.
int best_level() { return __builtin_cpu_supports("avx2") ? 2 : __builtin_cpu_supports("ssse3") ? 1 : 0; }
int vector_level = best_level();

// Shuffle and mask tables of the kernels, for 16 pixels in three 16-byte chunks.
struct RowTables {
  // gather[k][c]: gives byte j of output chunk k the first byte of its pixel,
  // 3 * ((16k + j) / 3), taken from input chunk c (0x80 elsewhere).
  alignas(16) uint8_t gather[3][3][16];
  // phase[k]: byte j of chunk k is byte (16k + j) % 3 of a pixel.
  alignas(16) uint8_t phase[3][16];
  // 0xff at the first byte of each pixel.
  alignas(16) uint8_t firsts[48];
  RowTables() {
    for (int k = 0; k < 3; ++k)
      for (int j = 0; j < 16; ++j) {
        int o = 3 * ((16 * k + j) / 3);
        for (int c = 0; c < 3; ++c) gather[k][c][j] = static_cast<uint8_t>(o / 16 == c ? o % 16 : 0x80);
        phase[k][j] = static_cast<uint8_t>((16 * k + j) % 3);
        firsts[16 * k + j] = (16 * k + j) % 3 == 0 ? 0xff : 0;
      }
  }
};
const RowTables row_tables;

inline __m128i load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void store(uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// clang takes the instruction set as a function attribute, gcc as a pragma.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("ssse3"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("ssse3")
#endif
namespace ssse3 {
inline __m128i blend_chunk(__m128i s, __m128i d, __m128i w) { return blend16(s, d, w); }
inline __m128i scale_chunk(__m128i x, __m128i a16) { return scale16(x, a16); }
#include "graphics/draw_rows_kernels.inc"
}  // namespace ssse3
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
namespace avx2 {
// The same arithmetic as blend16 on sixteen 16-bit lanes at once.
inline __m256i div255_wide(__m256i x) {
  return _mm256_srli_epi16(_mm256_mulhi_epu16(x, _mm256_set1_epi16(static_cast<short>(0x8081))), 7);
}
inline __m128i narrow(__m256i v) { return _mm_packus_epi16(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1)); }
inline __m128i blend_chunk(__m128i s, __m128i d, __m128i w) {
  __m256i w16 = _mm256_cvtepu8_epi16(w);
  __m256i inv = _mm256_sub_epi16(_mm256_set1_epi16(255), w16);
  __m256i a = div255_wide(_mm256_mullo_epi16(_mm256_cvtepu8_epi16(s), w16));
  __m256i b = div255_wide(_mm256_mullo_epi16(_mm256_cvtepu8_epi16(d), inv));
  return narrow(_mm256_add_epi16(a, b));
}
inline __m128i scale_chunk(__m128i x, __m128i a16) {
  return narrow(div255_wide(_mm256_mullo_epi16(_mm256_cvtepu8_epi16(x), _mm256_broadcastsi128_si256(a16))));
}
#include "graphics/draw_rows_kernels.inc"
}  // namespace avx2
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#else
int vector_level = 0;
#endif

}  // namespace

void use_vector_rows(int level) {
#if ORVANE_SSSE3
  vector_level = level < best_level() ? level : best_level();
#endif
}

void draw_alpha_row(uint8_t* d, const uint8_t* s, const uint8_t* m, int n, int a) {
  int i = 0;
#if ORVANE_SSSE3
  if (vector_level == 2)
    i = avx2::alpha_row(d, s, m, n, a);
  else if (vector_level == 1)
    i = ssse3::alpha_row(d, s, m, n, a);
#endif
  alpha_row_plain(d + 3 * i, s + 3 * i, m + 3 * i, n - i, a);
}

void draw_key_row(uint8_t* d, const uint8_t* s, int n, uint32_t key, int a) {
  int i = 0;
#if ORVANE_SSSE3
  if (vector_level == 2)
    i = avx2::key_row(d, s, n, key, a);
  else if (vector_level == 1)
    i = ssse3::key_row(d, s, n, key, a);
#endif
  key_row_plain(d + 3 * i, s + 3 * i, n - i, key, a);
}

void draw_index_key_row(uint8_t* d, const uint8_t* s, const uint8_t* idx, int n, uint8_t key, int a) {
  for (int i = 0; i < n; ++i) blend_pixel(d + 3 * i, s + 3 * i, uint32_t(a) & -uint32_t(idx[i] != key));
}

}  // namespace graphics
