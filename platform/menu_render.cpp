// The menu strip's text, drawn with FreeType in a Japanese font that
// fontconfig finds, and the few shapes a menu needs.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>

#include "platform/menu_canvas.h"

namespace platform {

namespace {

constexpr int kPixelSize = 12;

FT_Library library = nullptr;
FT_Face face = nullptr;
bool tried = false;

std::string find_font_file() {
  std::string path;
  if (!FcInit()) return path;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=ja"));
  if (!pattern) return path;
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
      path = reinterpret_cast<const char*>(file);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return path;
}

FT_Face menu_face() {
  if (tried) return face;
  tried = true;
  if (FT_Init_FreeType(&library) != 0) return nullptr;
  std::string file = find_font_file();
  if (file.empty() || FT_New_Face(library, file.c_str(), 0, &face) != 0) {
    face = nullptr;
    return nullptr;
  }
  FT_Set_Pixel_Sizes(face, 0, kPixelSize);
  return face;
}

// Next code point of UTF-8 text (U+FFFD for a bad sequence).
uint32_t next_code_point(const std::string& s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i++]);
  if (c < 0x80) return c;
  int extra = (c & 0xe0) == 0xc0 ? 1 : (c & 0xf0) == 0xe0 ? 2 : (c & 0xf8) == 0xf0 ? 3 : -1;
  if (extra < 0) return 0xfffd;
  uint32_t cp = c & (0x3f >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xc0) != 0x80) return 0xfffd;
    cp = cp << 6 | (static_cast<unsigned char>(s[i++]) & 0x3f);
  }
  return cp;
}

void blend(MenuCanvas& c, int x, int y, uint32_t colour, unsigned coverage) {
  if (x < 0 || y < 0 || x >= c.width || y >= c.height || coverage == 0) return;
  uint32_t& p = c.argb[static_cast<size_t>(y) * c.width + x];
  uint32_t out = 0xff000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    unsigned fg = (colour >> shift) & 0xff, bg = (p >> shift) & 0xff;
    out |= ((fg * coverage + bg * (255 - coverage)) / 255) << shift;
  }
  p = out;
}

}  // namespace

int menu_text_width(const std::string& utf8) {
  FT_Face f = menu_face();
  if (!f) return static_cast<int>(utf8.size()) * kPixelSize / 2;
  int width = 0;
  for (size_t i = 0; i < utf8.size();) {
    uint32_t cp = next_code_point(utf8, i);
    if (FT_Load_Char(f, cp, FT_LOAD_DEFAULT) == 0) width += static_cast<int>(f->glyph->advance.x >> 6);
  }
  return width;
}

void menu_fill(MenuCanvas& c, int x, int y, int w, int h, uint32_t colour) {
  for (int yy = y < 0 ? 0 : y; yy < y + h && yy < c.height; ++yy)
    for (int xx = x < 0 ? 0 : x; xx < x + w && xx < c.width; ++xx)
      c.argb[static_cast<size_t>(yy) * c.width + xx] = colour;
}

void menu_text(MenuCanvas& c, int x, int y, int row_height, const std::string& utf8, uint32_t colour) {
  FT_Face f = menu_face();
  if (!f) return;
  int ascender = static_cast<int>(f->size->metrics.ascender >> 6);
  int descender = static_cast<int>(-(f->size->metrics.descender >> 6));
  int baseline = y + (row_height - ascender - descender) / 2 + ascender;
  int pen = x;
  for (size_t i = 0; i < utf8.size();) {
    uint32_t cp = next_code_point(utf8, i);
    if (FT_Load_Char(f, cp, FT_LOAD_RENDER) != 0) continue;
    const FT_Bitmap& bm = f->glyph->bitmap;
    if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
      for (unsigned r = 0; r < bm.rows; ++r)
        for (unsigned col = 0; col < bm.width; ++col)
          blend(c, pen + f->glyph->bitmap_left + static_cast<int>(col),
                baseline - f->glyph->bitmap_top + static_cast<int>(r), colour, bm.buffer[r * bm.pitch + col]);
    }
    pen += static_cast<int>(f->glyph->advance.x >> 6);
  }
}

void menu_check_mark(MenuCanvas& c, int x, int y, uint32_t colour) {
  // A tick in a 10 x 10 cell: down-right stroke, then up-right.
  for (int i = 0; i < 3; ++i) {
    blend(c, x + 1 + i, y + 4 + i, colour, 255);
    blend(c, x + 1 + i, y + 5 + i, colour, 255);
  }
  for (int i = 0; i < 6; ++i) {
    blend(c, x + 4 + i, y + 6 - i, colour, 255);
    blend(c, x + 4 + i, y + 7 - i, colour, 255);
  }
}

void menu_arrow(MenuCanvas& c, int x, int y, uint32_t colour) {
  // A small right-pointing triangle, 4 wide and 7 high.
  for (int i = 0; i < 4; ++i)
    for (int j = i; j < 7 - i; ++j) blend(c, x + i, y + j, colour, 255);
}

}  // namespace platform
