#include "graphics/overlays.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "graphics/blend.h"
#include "graphics/image_tag.h"
#include "graphics/screen.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "platform/glyphs.h"
#include "platform/sjis.h"
#include "text/glyph_cache.h"

namespace graphics {

BarEntry BarTable[kOverlayCount];
NumberEntry NumberTable[kOverlayCount];

namespace {

void hook_into_composition() { TheScreen.draw_bars_and_numbers = draw_bars_and_numbers; }

int read_entry_index(const char* command) {
  int32_t n = interp::read_number();
  if (n < 0 || n >= kOverlayCount) interp::report_errorf("エラー", "%s命令の番号は0～99です。", command);
  return n;
}

// "#rrggbb" written bare in the script or given as a string.
uint32_t read_colour() {
  if (interp::skip_blanks() == '#') {
    std::string digits;
    for (int i = 1; i <= 6; ++i) digits += interp::script_byte(interp::ScriptPosition + i);
    int colour = parse_html_colour(digits.c_str());
    interp::advance(7);
    interp::skip_blanks();
    return uint32_t(colour);
  }
  std::string text = interp::read_string();
  return uint32_t(parse_html_colour(text.c_str() + (text.empty() || text[0] != '#' ? 0 : 1)));
}

// Marks (x, y, x + width, y + height) as the commands pass it.
void mark_area(int32_t x, int32_t y, int64_t width, int64_t height) {
  mark_dirty(x, y, int(std::clamp<int64_t>(x + width, INT32_MIN, INT32_MAX)),
             int(std::clamp<int64_t>(y + height, INT32_MIN, INT32_MAX)));
}

int32_t next_number() {
  interp::expect_comma();
  return interp::read_number();
}

// The part of (x1, y1)-(x2, y2) (exclusive) inside the rectangle and the surface.
bool clip_area(const DibSurface& s, const Rect& r, int64_t x1, int64_t y1, int64_t x2, int64_t y2, Rect& out) {
  out.left = int(std::max<int64_t>({x1, r.left, 0}));
  out.top = int(std::max<int64_t>({y1, r.top, 0}));
  out.right = int(std::min<int64_t>({x2 - 1, r.right, s.width - 1}));
  out.bottom = int(std::min<int64_t>({y2 - 1, r.bottom, s.height - 1}));
  return out.left <= out.right && out.top <= out.bottom;
}

void draw_bar(DibSurface& work, const Rect& r, const BarEntry& b) {
  if (b.max == 0) return;  // no scale: drawn empty
  int64_t drawn = int64_t(b.width) * b.value / b.max;
  if (drawn <= 0) return;
  Rect a;
  if (!clip_area(work, r, b.x, b.y, int64_t(b.x) + drawn, int64_t(b.y) + b.height, a)) return;
  uint8_t px[3] = {uint8_t(b.colour), uint8_t(b.colour >> 8), uint8_t(b.colour >> 16)};
  for (int y = a.top; y <= a.bottom; ++y) {
    uint8_t* p = work.row(y) + size_t(a.left) * 3;
    for (int x = a.left; x <= a.right; ++x, p += 3) p[0] = px[0], p[1] = px[1], p[2] = px[2];
  }
}

// The numbers' font: "ＭＳ ゴシック" with the character height 3w and width 3h
// of a digit cell w x h. The last one made is kept.
const platform::GlyphFont& number_font(int w, int h) {
  static platform::GlyphFont font;
  static int made_w = -1, made_h = -1;
  if (w != made_w || h != made_h) {
    font = platform::create_font(platform::utf8_to_sjis("ＭＳ ゴシック"), 2 * h, w, false);
    made_w = w, made_h = h;
  }
  return font;
}

// The value as "%3d" rendered white on black at three times the size into
// an area 9w x 3h and reduced 3:1 to 3w x h coverage levels. Each pair of
// characters is one glyph item 6h wide whose reduction starts on a 3-pixel
// boundary, so the area's reduction is made of the items' cached ones.
void draw_number(DibSurface& work, const Rect& r, const NumberEntry& n) {
  int w = n.w, h = n.h;
  if (w <= 0 || h <= 0 || w > platform::kMaxGlyphSize || h > platform::kMaxGlyphSize / 2) return;
  Rect a;
  if (!clip_area(work, r, n.x, n.y, int64_t(n.x) + 3 * w, int64_t(n.y) + h, a)) return;
  char text[16];
  int length = std::snprintf(text, sizeof text, "%3d", n.value);
  const platform::GlyphFont& font = number_font(w, h);
  int item_width = 2 * h;  // reduced width of one glyph item
  const auto& t = blend_table().t;
  const uint8_t colour[3] = {uint8_t(n.colour), uint8_t(n.colour >> 8), uint8_t(n.colour >> 16)};
  for (int item = 0; 2 * item < length && int64_t(item) * item_width < 3 * w; ++item) {
    uint8_t first = uint8_t(text[2 * item]);
    uint8_t second = 2 * item + 1 < length ? uint8_t(text[2 * item + 1]) : ' ';
    const uint8_t* coverage = text::glyph_coverage(font, first, second);
    if (!coverage) return;
    int64_t x0 = int64_t(n.x) + int64_t(item) * item_width;
    int left = int(std::max<int64_t>(a.left, x0)), right = int(std::min<int64_t>(a.right, x0 + item_width - 1));
    int bottom =
        int(std::min<int64_t>(a.bottom, int64_t(n.y) + std::min(w, h) - 1));  // rows below the glyph stay clear
    for (int y = a.top; y <= bottom; ++y) {
      const uint8_t* c = coverage + size_t(y - n.y) * item_width;
      uint8_t* p = work.row(y);
      for (int x = left; x <= right; ++x) {
        uint8_t level = c[x - x0];
        if (!level) continue;
        for (int k = 0; k < 3; ++k) {
          uint8_t& d = p[size_t(x) * 3 + k];
          d = uint8_t(std::min(255, t[d][255 - level] + t[colour[k]][level]));
        }
      }
    }
  }
}

}  // namespace

void reset_overlays() {
  for (BarEntry& b : BarTable) b = BarEntry();
  for (NumberEntry& n : NumberTable) n = NumberEntry();
  hook_into_composition();
}

void draw_bars_and_numbers(DibSurface& work, const Rect& rect) {
  for (const BarEntry& b : BarTable)
    if (b.x != -1) draw_bar(work, rect, b);
  for (const NumberEntry& n : NumberTable)
    if (n.x != -1) draw_number(work, rect, n);
}

void cmd_bar() {
  int n = read_entry_index("bar");
  BarEntry e;
  e.value = next_number();
  e.x = next_number();
  e.y = next_number();
  e.width = next_number();
  e.height = next_number();
  e.max = next_number();
  interp::expect_comma();
  e.colour = read_colour();
  BarEntry& old = BarTable[n];
  if (old.x != -1) mark_area(old.x, old.y, old.width, old.height);
  old = e;
  mark_area(e.x, e.y, e.width, e.height);
  hook_into_composition();
}

void cmd_barclear() {
  for (BarEntry& b : BarTable) b.x = -1;
}

void cmd_prnum() {
  int n = read_entry_index("prnum");
  NumberEntry e;
  e.value = next_number();
  e.x = next_number();
  e.y = next_number();
  e.w = next_number();
  e.h = next_number();
  interp::expect_comma();
  e.colour = read_colour();
  NumberEntry& old = NumberTable[n];
  if (old.x != -1) mark_area(old.x, old.y, 3 * int64_t(old.w), old.h);
  old = e;
  mark_area(e.x, e.y, 3 * int64_t(e.w), e.h);
  hook_into_composition();
}

void cmd_prnumclear() {
  for (NumberEntry& e : NumberTable) e.x = -1;
}

}  // namespace graphics
