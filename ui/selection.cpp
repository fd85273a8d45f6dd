#include "ui/selection.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "graphics/screen.h"
#include "platform/glyphs.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "text/glyph_blend.h"
#include "text/glyph_cache.h"
#include "text/message_window.h"
#include "text/output.h"
#include "ui/menu.h"

namespace ui {

ChoiceList choice_list;
CustomChoiceList custom_choice_list;
SelectionSettings selection_settings;
bool menu_mode = false;
namespace {

// The font of choice texts: the window's face at the window's or the
// menu's size. Made again only when one of them changed.
const platform::GlyphFont& choice_font(int width, int height, bool bold) {
  static std::tuple<std::string, int, int, bool> key;
  static platform::GlyphFont font;
  static bool made = false;
  auto want = std::make_tuple(text::message_window.font_face, width, height, bold);
  if (!made || want != key) {
    font = platform::create_font(text::message_window.font_face, width, height, bold);
    key = want;
    made = true;
  }
  return font;
}

// Where and how one choice text is drawn.
struct ChoicePen {
  int64_t x = 0, y = 0;
  int glyph_width = 0, glyph_height = 0, pitch_x = 0;
  bool shadow = false;
  graphics::Rect clip;  // inclusive; a cell not wholly inside is not drawn
};

ChoicePen make_pen() {
  ChoicePen pen;
  const text::MessageWindow& w = text::message_window;
  if (menu_mode) {
    const MenuLayout& m = selection_settings.menu_layout;
    pen.glyph_width = m.glyph_width;
    pen.glyph_height = m.glyph_height;
    pen.pitch_x = m.pitch_x;
    pen.shadow = m.shadow != 0;
    pen.clip = graphics::Rect{0, 0, platform::screen_width - 1, platform::screen_height - 1};
  } else {
    pen.glyph_width = w.glyph_width;
    pen.glyph_height = w.glyph_height;
    pen.pitch_x = w.pitch_x;
    pen.shadow = w.shadow != 0;
    pen.clip = graphics::Rect{std::max(w.window_left, 0), std::max(w.window_top, 0),
                              std::min(w.window_right, platform::screen_width - 1),
                              std::min(w.window_bottom, platform::screen_height - 1)};
  }
  return pen;
}

// Puts the cell (and the pixel column its shadow reaches) back as the
// screen shows it without the glyph: outside the menu the cell's text is
// taken out of the window's text layers and the cell recomposed; in both
// layouts it is then copied from the work picture to the display.
void refresh_cell(const graphics::Rect& cell) {
  graphics::Screen& s = graphics::TheScreen;
  int left = std::max(cell.left, 0), top = std::max(cell.top, 0);
  int right = std::min({cell.right, s.work.width - 1, s.display.width - 1});
  int bottom = std::min({cell.bottom, s.work.height - 1, s.display.height - 1});
  if (left > right || top > bottom) return;
  if (!menu_mode) {
    text::TextLayers layers = text::text_layers();
    if (layers.colour_layer && layers.colour_layer->width == platform::screen_width &&
        layers.colour_layer->height == platform::screen_height && right < platform::screen_width &&
        bottom < platform::screen_height) {
      for (int y = top; y <= bottom; y++) {
        std::memset(layers.coverage_map + static_cast<size_t>(y) * platform::screen_width + left, 0, right - left + 1);
        std::memset(layers.colour_layer->row(y) + 3 * left, 0, 3 * (right - left + 1));
      }
    }
    graphics::Rect r{left, top, right, bottom};
    graphics::compose_screen(&r);
  }
  for (int y = top; y <= bottom; y++)
    std::memcpy(s.display.row(y) + 3 * left, s.work.row(y) + 3 * left, 3 * (right - left + 1));
}

// Draws the two-byte item (first, second) at the pen, when its cell lies
// inside the clip rectangle.
void draw_item(ChoicePen& pen, uint8_t first, uint8_t second, const uint8_t rgb[3]) {
  if (pen.glyph_width <= 0 || pen.glyph_height <= 0) return;
  int64_t right = pen.x + pen.glyph_width - 1, bottom = pen.y + pen.glyph_height - 1;
  if (pen.x < pen.clip.left || pen.y < pen.clip.top || right > pen.clip.right || bottom > pen.clip.bottom) return;
  int x = static_cast<int>(pen.x), y = static_cast<int>(pen.y);
  refresh_cell(graphics::Rect{x, y, x + pen.glyph_width, y + pen.glyph_height - 1});
  bool bold = menu_mode ? selection_settings.menu_layout.bold != 0 : text::message_window.bold != 0;
  const uint8_t* coverage = text::glyph_coverage(choice_font(pen.glyph_width, pen.glyph_height, bold), first, second);
  if (!coverage) return;
  text::TextLayers layers = menu_mode ? text::TextLayers{} : text::text_layers();
  text::blend_glyph(graphics::TheScreen.display, layers, x, y, coverage, pen.glyph_width, pen.glyph_height, rgb,
                    pen.shadow);
}

// The text's next two-byte item at s[i]: a double-byte character, two
// single-byte characters, or one alone (with a blank right half). Returns
// its length in bytes, 0 at the end.
int next_item(const uint8_t* s, size_t i, uint8_t& first, uint8_t& second) {
  first = s[i];
  if (!first) return 0;
  if (platform::is_sjis_lead(first)) {
    second = s[i + 1];
    return second ? 2 : 0;
  }
  uint8_t n = s[i + 1];
  if (n == 0 || platform::is_sjis_lead(n) || n == ' ' || n == '\t') {
    second = ' ';
    return 1;
  }
  second = n;
  return 2;
}

int draw_text(const std::string& text, int32_t* column, int32_t* row, int64_t x, int64_t y, int32_t colour) {
  if (menu_mode) tint_menu_screen();
  const text::MessageWindow& w = text::message_window;
  ChoicePen pen = make_pen();
  pen.x = x;
  pen.y = y;
  const uint8_t rgb[3] = {static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                          static_cast<uint8_t>(colour)};
  const uint8_t* s = reinterpret_cast<const uint8_t*>(text.c_str());
  bool cells = column != nullptr;
  int drawn = 0;
  size_t i = 0;
  while (s[i]) {
    if (s[i] == ' ' || s[i] == '\t') {
      i++;
      continue;
    }
    uint8_t first, second;
    int length = next_item(s, i, first, second);
    if (length == 0) break;
    if (cells) {
      pen.x = int64_t{w.text_origin_x} + int64_t{*column} * w.pitch_x;
      pen.y = int64_t{w.text_origin_y} + int64_t{*row} * w.pitch_y;
    }
    draw_item(pen, first, second, rgb);
    drawn++;
    i += length;
    if (!cells) {
      pen.x += pen.pitch_x;
      continue;
    }
    *column = static_cast<int32_t>(static_cast<uint32_t>(*column) + 1u);
    // The group that must stay together is counted in bytes here.
    int64_t group_bytes = 2 * int64_t{text::carried_characters_at(text.c_str(), i)};
    if (int64_t{*column} + 2 * group_bytes >= w.columns) {
      *column = 0;
      *row = static_cast<int32_t>(static_cast<uint32_t>(*row) + 1u);
    }
  }
  if (cells && *column != 0) {
    *column = 0;
    *row = static_cast<int32_t>(static_cast<uint32_t>(*row) + 1u);
  }
  platform::present_display();
  return cells ? std::min(drawn, std::max(w.columns, 0)) : drawn;
}

}  // namespace

int draw_choice_text(const std::string& text, int32_t& column, int32_t& row, int32_t colour) {
  if (column < 0 || row < 0) {
    const text::MessageWindow& w = text::message_window;
    int64_t x = column < 0 ? -int64_t{column} : int64_t{w.text_origin_x} + int64_t{column} * w.pitch_x;
    int64_t y = row < 0 ? -int64_t{row} : int64_t{w.text_origin_y} + int64_t{row} * w.pitch_y;
    return draw_text(text, nullptr, nullptr, x, y, colour);
  }
  return draw_text(text, &column, &row, 0, 0, colour);
}

int draw_choice_text_at(const std::string& text, int32_t x, int32_t y, int32_t colour) {
  return draw_text(text, nullptr, nullptr, x, y, colour);
}

void init_selections() {
  for (std::string& t : choice_list.texts) t.clear();
  for (std::string& l : choice_list.labels) l.clear();
  choice_list.count = 0;
  for (std::string& t : custom_choice_list.texts) t.clear();
  for (std::string& l : custom_choice_list.labels) l.clear();
  custom_choice_list.count = 0;
  selection_settings = SelectionSettings{};
  menu_mode = false;
}

}  // namespace ui
