// graphics/draw_rows: the per-row kernels of draw_image (inside graphics/ and its tests).
#pragma once
#include <cstdint>

namespace graphics {

// Each kernel draws n pixels of 24 bits from s onto d with weight w per
// pixel, d = T[s][w] + T[d][255-w] per channel; a is the overall alpha
// (255 when the picture has none).

// Alpha mode: m points at the mask pixels; w = T[255 - blue of mask][a].
void draw_alpha_row(uint8_t* d, const uint8_t* s, const uint8_t* m, int n, int a);
// Colour key: w = 0 where the pixel equals key (blue | green << 8 | red << 16), else a.
void draw_key_row(uint8_t* d, const uint8_t* s, int n, uint32_t key, int a);
// Palette key: w = 0 where idx equals key, else a.
void draw_index_key_row(uint8_t* d, const uint8_t* s, const uint8_t* idx, int n, uint8_t key, int a);

// The best vector kernels the processor has are used (2 AVX2, 1 SSSE3, 0
// none); tests lower the level to compare every form.
void use_vector_rows(int level);

}  // namespace graphics
