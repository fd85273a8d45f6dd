// graphics/effect_kinds: the timed transition kinds of run_effect and the per-step picture work they share.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/draw_image.h"
#include "graphics/surface.h"

namespace graphics {

// Runs a timed kind (2..18, 90) over the rectangle (clipped to the screen,
// possibly empty), drawing on the window picture step by step. Returns
// false for the kinds that end on their own (16 and 90): their new picture
// is not shown and the whole screen is left pending.
bool run_effect_kind(int kind, int duration, const std::string& mask, const Rect& rect);

// One crossfade step: the bytes of the rectangle whose offset in the row has
// the parity given become T[255 - level][old] + T[level][neu] in `out`.
void crossfade_step(DibSurface& out, const DibSurface& old, const DibSurface& neu, const Rect& rect, int level,
                    int parity);

// A screen-sized mask for kinds 15 and 18: the first byte of each pixel of
// the mask picture's visible cell, tiled from (0, 0), in all three bytes.
void tile_mask(const std::string& tag, int width, int height, DibSurface& mask);

// One mask-crossfade step at level t: each pixel of value m, with
// d = t - m, takes the new picture when d > 254, becomes
// T[255 - d][old] + T[d][neu] when 0 < d <= 254, and keeps the old one
// otherwise (`out` is the display, holding the old picture where no fade
// has begun).
void mask_crossfade_step(DibSurface& out, const DibSurface& old, const DibSurface& neu, const DibSurface& mask,
                         const Rect& rect, int t);

// Fills `dst` with blocks of `size` pixels aligned to the bottom-left corner
// of the picture and clipped to it, each in the colour of src's pixel at the
// block's bottom-left corner.
void mosaic_fill(DibSurface& dst, const DibSurface& src, int size);

}  // namespace graphics
