// graphics/string_sprite: pictures of text (image tags of kind s) and the sprite font.
#pragma once
#include <string>

#include "graphics/image.h"
#include "graphics/load_error.h"

namespace graphics {

// spfont: the font of string sprites without their own size.
struct SpriteFont {
  bool set = false;
  std::string face;  // Shift-JIS face name
  int glyph_width = 26, glyph_height = 26;
  int spacing_x = 0, spacing_y = 0;
  bool bold = true, shadow = true;
};
extern SpriteFont sprite_font;

// Fills the record from the text after ":s" (at `tag_at`): an optional
// "/w,h,p;" size, one to eleven "#rrggbb" colours, then the text. Each colour
// is one cell: the text in that colour on black, beside its mask. A tag
// that cannot be read is returned as the failure.
LoadResult make_string_sprite(ImageRecord& r, const std::string& tag, size_t tag_at);

}  // namespace graphics
