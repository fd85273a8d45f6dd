// platform/glyphs: Shift-JIS text rendered with FreeType from faces that fontconfig finds.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Largest glyph size accepted, in pixels. A font asked for a larger (or a
// zero or negative) size draws nothing, so scenario numbers cannot make the
// canvas grow without bound.
constexpr int kMaxGlyphSize = 1024;

// The canvas glyphs are rendered into, at three times the glyph size: white
// text on black. The three channels of white-on-black text are equal, so
// one byte per pixel is kept (the channel the reduction samples).
struct GlyphCanvas {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // rows top to bottom, `width` bytes each
};

// A font made for one glyph size: the face found for a name, the size of a
// full-width character and the weight. A plain value; the faces themselves
// stay loaded for the whole run.
struct GlyphFont {
  int face = -1;  // index in the table of loaded faces; -1: none was found
  int glyph_width = 0;
  int glyph_height = 0;
  bool bold = false;
  bool synthetic_bold = false;  // the face has no bold weight: strike twice
};

// Makes sure the canvas holds at least (3 x glyph_width) x (3 x glyph_height)
// pixels; it is recreated only when smaller.
void ensure_glyph_canvas(GlyphCanvas& canvas, int glyph_width, int glyph_height);

// Finds the face for a Shift-JIS face name ("ＭＳ ゴシック", "ＭＳ Ｐ明朝", any
// family name) and makes a font of it: em height 3 x glyph_height, a
// half-width cell of 3 x glyph_width / 2. The well-known Windows names map
// to installed Japanese families (gothic to sans, mincho to serif, the P
// names to proportional ones); a name that matches no face, or a face
// without Japanese characters, falls back to a font that has them.
GlyphFont create_font(std::string_view face_name_sjis, int glyph_width, int glyph_height, bool bold);

// Draws one two-byte item into the canvas: fills the glyph area black and
// draws the item white at (0, 0); with bold, draws it again at (1, 0). A
// double-byte character fills the full-width cell; two single-byte
// characters take half of it each. Bytes with no glyph draw nothing.
void draw_glyph_item(GlyphCanvas& canvas, const GlyphFont& font, uint8_t first, uint8_t second);

// The family name (UTF-8) and file of the face a font uses ("" for none).
std::string font_family(const GlyphFont& font);
std::string font_file(const GlyphFont& font);

// Shift-JIS face names of the installed fonts a player may choose for text:
// scalable, with Japanese characters and fixed-pitch (half and full width)
// cells, names not beginning with '@'; each family once, by its Japanese
// name when it has one, sorted. create_font finds each by its name.
std::vector<std::string> list_font_faces();

// True when the font has a glyph for the Unicode code point.
bool font_has_character(const GlyphFont& font, uint32_t code_point);

}  // namespace platform
