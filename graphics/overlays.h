// graphics/overlays: the bar gauges and three-digit numbers drawn into every composition.
#pragma once
#include <cstdint>

#include "graphics/draw_image.h"
#include "graphics/surface.h"

namespace graphics {

constexpr int kOverlayCount = 100;

struct BarEntry {
  int32_t value = 0, x = -1, y = 0, width = 0, height = 0, max = 0;  // x = -1: free
  uint32_t colour = 0;                                               // 0xRRGGBB
};
struct NumberEntry {
  int32_t value = 0, x = -1, y = 0, w = 0, h = 0;  // x = -1: free; w, h: one digit cell
  uint32_t colour = 0;
};
extern BarEntry BarTable[kOverlayCount];
extern NumberEntry NumberTable[kOverlayCount];

// Frees every entry and hooks the overlays into the composition.
void reset_overlays();

// Composition step 7: bars, then numbers, limited to the rectangle.
void draw_bars_and_numbers(DibSurface& work, const Rect& rect);

void cmd_bar();  // bar n, value, x, y, width, height, max, #rrggbb
void cmd_barclear();
void cmd_prnum();  // prnum n, value, x, y, w, h, #rrggbb
void cmd_prnumclear();

}  // namespace graphics
