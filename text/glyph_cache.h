// text/glyph_cache: glyph coverage at 256 levels, reduced from the three-times canvas and kept per font and character.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/glyphs.h"

namespace text {

// Reduces the canvas (white on black, three times the glyph size) to
// glyph_width x glyph_height coverage levels 0..255, row-major: each output
// pixel weighs its 3 x 3 block of canvas pixels 1 2 1 / 2 4 2 / 1 2 1 and
// divides by 16.
void reduce_glyph(const platform::GlyphCanvas& canvas, int glyph_width, int glyph_height, uint8_t* coverage);

// Renders a two-byte item afresh into the text canvas and reduces it into
// `coverage` (glyph_width x glyph_height bytes of the font). Returns false,
// writing nothing, when the font's size is unusable (see kMaxGlyphSize).
bool render_glyph_coverage(const platform::GlyphFont& font, uint8_t first, uint8_t second, uint8_t* coverage);

// The coverage of a two-byte item: taken from the cache, or rendered afresh
// and kept, per face, size, weight and character, so a repeated character
// costs only its blend. The bytes are the same as render_glyph_coverage's;
// they stay valid until the next glyph_coverage or clear_glyph_cache call.
// Null when the size is unusable.
const uint8_t* glyph_coverage(const platform::GlyphFont& font, uint8_t first, uint8_t second);

// Forgets every cached glyph (the cache also empties itself when it grows
// past a bound, so any number of sizes and characters can be drawn).
void clear_glyph_cache();
size_t glyph_cache_entries();

}  // namespace text
