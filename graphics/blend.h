// graphics/blend: the blend table T[a][b] = floor(a*b/255) and row blends that match it exactly.
#pragma once
#include <cstddef>
#include <cstdint>

namespace graphics {

// floor(x / 255) for 0 <= x <= 255*255, without a division.
inline uint32_t div255(uint32_t x) { return (x + 1 + (x >> 8)) >> 8; }

// T[a][b] = floor(a*b/255), built on first use. Every blend in the program is
// T[src][w] + T[dst][255-w] per channel (two truncated terms).
struct BlendTable {
  uint8_t t[256][256];
};
const BlendTable& blend_table();

// dst[i] = T[src[i]][w[i]] + T[dst[i]][255 - w[i]] for n bytes.
void blend_row(uint8_t* dst, const uint8_t* src, const uint8_t* w, size_t n);
// The same with one weight for every byte.
void blend_row_const(uint8_t* dst, const uint8_t* src, uint8_t w, size_t n);
// dst[i] = 255 - dst[i].
void negate_row(uint8_t* dst, size_t n);

}  // namespace graphics
