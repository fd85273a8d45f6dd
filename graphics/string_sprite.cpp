#include "graphics/string_sprite.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "graphics/image_tag.h"
#include "interp/error.h"
#include "interp/variables.h"
#include "platform/clock.h"
#include "platform/glyphs.h"
#include "platform/sjis.h"
#include "text/glyph_blend.h"
#include "text/glyph_cache.h"

namespace graphics {

SpriteFont sprite_font;

namespace {

constexpr int kMaxColours = 11;

[[noreturn]] void tag_error() { interp::report_errorf("タグエラー", "タグの指定がおかしいです。"); }

void skip_past(const char*& p, char c) {
  while (*p && *p != c) ++p;
  if (!*p) tag_error();
  ++p;
}

// The message window's font as it starts (its settings live with the text).
SpriteFont window_font() {
  SpriteFont f;
  f.face = platform::utf8_to_sjis("ＭＳ ゴシック");
  return f;
}

// The text with each '$' and number replaced by that string variable.
std::string substitute_variables(const char* p) {
  std::string text;
  while (*p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (platform::is_sjis_lead(c) && p[1]) {
      text.append(p, 2);
      p += 2;
    } else if (c == '$' && p[1] >= '0' && p[1] <= '9') {
      ++p;
      long n = 0;
      while (*p >= '0' && *p <= '9') n = std::min(n * 10 + (*p++ - '0'), 100000L);
      text += interp::string_variable(static_cast<int32_t>(n));
    } else {
      text += *p++;
    }
  }
  return text;
}

}  // namespace

void make_string_sprite(ImageRecord& r, const std::string& tag, size_t tag_at) {
  const char* p = tag.c_str() + tag_at;
  SpriteFont font = sprite_font.set ? sprite_font : window_font();
  // In 64 bits: the tag and spfont give sizes and spacings up to INT_MAX.
  int64_t pitch = int64_t(font.glyph_width) + font.spacing_x;
  int64_t extra = 0;
  if (*p == '/') {
    ++p;
    font.glyph_width = read_decimal(p);
    skip_past(p, ',');
    font.glyph_height = read_decimal(p);
    skip_past(p, ',');
    int spacing = read_decimal(p);
    skip_past(p, ';');
    pitch = int64_t(font.glyph_width) + spacing;
    if (spacing < 0) extra = -int64_t(spacing);
  }
  uint8_t colours[kMaxColours][3];
  int count = 0;
  while (*p == '#' && count < kMaxColours) {
    int c = parse_html_colour(p + 1);
    colours[count][0] = static_cast<uint8_t>(c >> 16);
    colours[count][1] = static_cast<uint8_t>(c >> 8);
    colours[count][2] = static_cast<uint8_t>(c);
    ++count;
    p += 7;
  }
  if (count == 0) interp::report_errorf("エラー", "画像タグ:sの次は色指定#rrggbbです。");
  std::string text = substitute_variables(p);

  r.trans_mode = kTransAlpha;
  r.cell_count = count;
  r.cell_interval_ms = kManualInterval;
  r.anim_mode = kAnimManual;
  r.current_cell = 0;
  r.last_step_ms = platform::clock_ms();
  int gw = font.glyph_width, gh = font.glyph_height;
  if (gw <= 0 || gh <= 0 || gw > platform::kMaxGlyphSize || gh > platform::kMaxGlyphSize) return;
  int64_t cw = int64_t(text.size()) * pitch / 2 + extra;
  if (cw <= 0 || cw * 2 * count > 32767) return;  // nothing to show, or wider than any picture
  int cell = static_cast<int>(cw);
  create_surface(r.surface, 2 * cell * count, gh);

  platform::GlyphFont glyphs = platform::create_font(font.face, gw, gh, font.bold);
  DibSurface ink;
  create_surface(ink, cell, gh);
  std::vector<uint8_t> opacity(size_t(cell) * gh);
  for (int i = 0; i < count; ++i) {
    std::fill(ink.pixels.begin(), ink.pixels.end(), 0);
    std::fill(opacity.begin(), opacity.end(), 0);
    for (size_t at = 0, item = 0; at < text.size(); at += 2, ++item) {
      uint8_t first = static_cast<uint8_t>(text[at]);
      uint8_t second = at + 1 < text.size() ? static_cast<uint8_t>(text[at + 1]) : ' ';
      const uint8_t* coverage = text::glyph_coverage(glyphs, first, second);
      if (!coverage) continue;
      int x = static_cast<int>(int64_t(item) * pitch);  // within the cell or just left of it
      text::blend_glyph(ink, text::TextLayers{}, x, 0, coverage, gw, gh, colours[i], font.shadow);
      // The mask: opaque where the glyph or its shadow covers.
      for (int y = 0; y < gh; ++y)
        for (int c = 0; c < gw; ++c) {
          uint8_t a = coverage[size_t(y) * gw + c];
          for (int s = 0; s <= (font.shadow ? 1 : 0); ++s) {
            int px = x + c + s;
            if (px >= 0 && px < cell) {
              uint8_t& o = opacity[size_t(y) * cell + px];
              o = std::max(o, a);
            }
          }
        }
    }
    for (int y = 0; y < gh; ++y) {
      uint8_t* row = r.surface.row(y) + size_t(2) * cell * i * 3;
      std::memcpy(row, ink.row(y), size_t(cell) * 3);
      for (int x = 0; x < cell; ++x) std::memset(row + size_t(cell + x) * 3, 255 - opacity[size_t(y) * cell + x], 3);
    }
  }
}

}  // namespace graphics
