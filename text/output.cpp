#include "text/output.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "interp/control_flow.h"
#include "interp/debug.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/clock.h"
#include "platform/glyphs.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "text/glyph_blend.h"
#include "text/glyph_cache.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/transcript.h"
#include "text/wait.h"

namespace text {

std::string text_gosub_label;
std::string clickstr_chars;
int32_t clickstr_lines = 0;
TextLink text_links[kMaxTextLinks];
int32_t text_link_count = 0;
CursorPlacement cursor_placement[2];
std::string cursor_tags[2];
int32_t cursor_x = 0, cursor_y = 0;
int32_t last_wait_was_page = 0;
int32_t in_text_routine = 0;
int32_t line_ended_at_mark = 0;

namespace {

using Char = uint16_t;  // a double-byte character, first byte high

Char make_char(uint8_t first, uint8_t second) { return static_cast<Char>(first << 8 | second); }

// The kinsoku sets: characters that must not end a line, and characters
// that must not begin one.
struct KinsokuSets {
  std::basic_string<Char> no_end, no_start;
};

std::basic_string<Char> to_chars(const char* utf8) {
  std::string s = platform::utf8_to_sjis(utf8);
  std::basic_string<Char> out;
  for (size_t i = 0; i + 1 < s.size(); i += 2) out += make_char(s[i], s[i + 1]);
  return out;
}

const KinsokuSets& kinsoku() {
  static const KinsokuSets sets{to_chars("（［｛「『"), to_chars("、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』")};
  return sets;
}

bool in_set(const std::basic_string<Char>& set, Char c) { return set.find(c) != std::basic_string<Char>::npos; }

bool is_clickstr_char(Char c) {
  for (size_t i = 0; i + 1 < clickstr_chars.size(); i += 2)
    if (make_char(clickstr_chars[i], clickstr_chars[i + 1]) == c) return true;
  return false;
}

// The double-byte characters in the next 128 bytes of the line, and
// whether a click or page wait mark comes before the first of them.
struct Lookahead {
  static constexpr int kMax = 64;
  Char chars[kMax];
  int count = 0;
  bool wait_first = false;
};

void look_ahead(const uint8_t* s, size_t i, Lookahead& la) {
  size_t end = i + 128;
  la.count = 0;
  la.wait_first = false;
  while (i < end && s[i]) {
    uint8_t c = s[i];
    if (platform::is_sjis_lead(c)) {
      if (!s[i + 1]) break;
      if (la.count < Lookahead::kMax) la.chars[la.count++] = make_char(c, s[i + 1]);
      i += 2;
    } else {
      if (la.count == 0 && (c == '@' || c == '\\')) la.wait_first = true;
      i++;
    }
  }
}

// How many characters go to the next line together with the next one: an
// opening bracket takes the character after it along, and a character
// followed by closing punctuation takes that along.
int carried_characters(const Lookahead& la) {
  const KinsokuSets& k = kinsoku();
  int g = 0;
  while (la.count - g >= 2 && (in_set(k.no_end, la.chars[g]) || in_set(k.no_start, la.chars[g + 1]))) g++;
  return g;
}

}  // namespace

// The font is made again only when its face, size or weight changed.
const platform::GlyphFont& message_font() {
  static std::tuple<std::string, int, int, bool> key;
  static platform::GlyphFont font;
  static bool made = false;
  const MessageWindow& w = message_window;
  auto want = std::make_tuple(w.font_face, int(w.glyph_width), int(w.glyph_height), w.bold != 0);
  if (!made || want != key) {
    font = platform::create_font(w.font_face, w.glyph_width, w.glyph_height, w.bold != 0);
    key = want;
    made = true;
  }
  return font;
}

// When no screen code has set a display surface, the text keeps its own
// (black) and shows it, so text is seen all the same.
platform::DibSurface& text_surface() {
  static platform::DibSurface own;
  platform::DibSurface* display = platform::display_surface();
  if (display && display != &own && display->width == platform::screen_width &&
      display->height == platform::screen_height)
    return *display;
  if (own.width != platform::screen_width || own.height != platform::screen_height)
    platform::create_surface(own, platform::screen_width, platform::screen_height);
  if (!display || display == &own) platform::set_display_surface(&own);
  return own;
}

namespace {

// Decimal digits at s[i], moving i behind them; saturates.
int32_t read_decimal(const uint8_t* s, size_t& i) {
  int64_t n = 0;
  while (s[i] >= '0' && s[i] <= '9') {
    n = std::min<int64_t>(n * 10 + (s[i] - '0'), INT32_MAX);
    i++;
  }
  return static_cast<int32_t>(n);
}

// The argument of !w, !d and !s: decimal digits, or %n for the value of a
// numeric variable (the run loop leaves such references in the line).
int32_t read_mark_number(const uint8_t* s, size_t& i) {
  if (s[i] != '%') return read_decimal(s, i);
  i++;
  return interp::numeric_variable(read_decimal(s, i));
}

int hex_digit(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

// Positions are computed wide, so that scenario numbers cannot overflow.
struct Pen {
  int64_t x = 0, y = 0;
  void at_cell() {
    const MessageWindow& w = message_window;
    x = int64_t{w.text_origin_x} + int64_t{w.column} * w.pitch_x;
    y = int64_t{w.text_origin_y} + int64_t{w.row} * w.pitch_y;
  }
};

struct LineState {
  Pen pen;
  bool hurried = false;  // a click or Ctrl during this line: no more speed waits
  bool in_link = false;
  bool exempt = false;  // '_': the next character does not trigger clickstr
};

bool wait_was_broken() {
  return wait_interrupted || just_loaded || interp::menu_reset_request || interp::rmenu_reset_request ||
         interp::quit_requested || interp::restart_requested;
}

// A click wait ('@') or page wait ('\'). True when the line must end now.
bool text_wait(bool page, LineState& st) {
  last_wait_was_page = page ? 1 : 0;
  if (text_gosub_mode) {
    if (interp::CallStack.count >= interp::kCallStackSlots)
      interp::report_errorf("スタックエラー", "textgosub処理のせいでスタックが溢れました。");
    interp::save_point_flag = false;
    in_text_routine = 1;
    char next = interp::script_byte(interp::ScriptPosition);
    line_ended_at_mark = (next == '\n' || next == '\r' || next == '\0') ? 1 : 0;
    interp::call_subroutine(text_gosub_label);
    return true;
  }
  if (wait_was_broken()) return true;
  const CursorPlacement& c = cursor_placement[page ? 1 : 0];
  cursor_x = c.absolute ? c.dx : static_cast<int32_t>(st.pen.x + c.dx);
  cursor_y = c.absolute ? c.dy : static_cast<int32_t>(st.pen.y + c.dy);
  cursor_shown = page ? 2 : 1;
  platform::present_display();
  wait_for_click();
  cursor_shown = 0;
  if (wait_was_broken()) {
    // The game loaded during the wait goes on from its own position.
    just_loaded = false;
    return true;
  }
  st.hurried = false;
  if (page) {
    write_page_mark();
    clear_message_window();
    st.pen.at_cell();
  }
  return false;
}

// The speed wait after a character drawn at `start`.
void speed_wait(uint32_t start, LineState& st) {
  int32_t t = effective_text_speed();
  if (st.hurried || skip_mode || t <= 0) return;
  while (platform::clock_ms() - start < static_cast<uint32_t>(t)) {
    pump_one_message();
    advance_animations();
    if (click_flag || ctrl_skip_held() || interp::quit_requested) {
      click_flag = 0;
      st.hurried = true;
      return;
    }
    if (skip_mode) return;
  }
}

// A single-byte character at s[i] whose next byte is the end of the line or
// the first byte of a double-byte character.
bool is_alone(const uint8_t* s, size_t i) {
  return !platform::is_sjis_lead(s[i]) && (s[i + 1] == 0 || platform::is_sjis_lead(s[i + 1]));
}

// Draws the two-byte item at s[i]. False when the line ends (a NUL byte).
bool draw_character(const uint8_t* s, size_t i, LineState& st) {
  MessageWindow& w = message_window;
  if (w.text_visible == 0) interp::report_errorf("エラー！", "textmodeが非表示設定なのに文字を書こうとしました。");
  int64_t x = st.pen.x, y = st.pen.y;
  if (x < 0 || y < 0 || x + w.glyph_width >= platform::screen_width || y + w.glyph_height >= platform::screen_height ||
      x < w.window_left || y < w.window_top || x + w.glyph_width >= w.window_right ||
      y + w.glyph_height >= w.window_bottom)
    interp::report_errorf("エラー！", "文字がウィンドウからはみ出ました");
  uint8_t first = s[i], second = s[i + 1];
  if (first == 0) return false;
  if (is_alone(s, i)) {
    // A half-width character with no partner: it takes the left half of
    // the cell alone, so that the rest of the line is not lost or garbled.
    second = ' ';
    append_text_bytes(first, second);
    add_transcript_character(first, 0);
  } else {
    if (second == 0) return false;
    append_text_bytes(first, second);
    add_transcript_character(first, second);
  }

  uint32_t start = platform::clock_ms();
  const platform::GlyphFont& font = message_font();
  const uint8_t* coverage = glyph_coverage(font, first, second);
  const uint8_t* colour = st.in_link ? w.link_colour : w.text_colour;
  blend_glyph(text_surface(), text_layers(), static_cast<int>(x), static_cast<int>(y), coverage, w.glyph_width,
              w.glyph_height, colour, w.shadow != 0);
  platform::present_display();
  speed_wait(start, st);
  w.column = static_cast<int32_t>(static_cast<uint32_t>(w.column) + 1u);
  st.pen.x += w.pitch_x;
  return true;
}

void update_caption() {
  if (!interp::debug_caption_flag) return;
  interp::update_debug_caption(skip_mode || ctrl_skip_held());
  platform::set_window_caption(platform::sjis_to_utf8(interp::debug_caption));
}

}  // namespace

int carried_characters_at(const char* sjis, size_t i) {
  Lookahead la;
  look_ahead(reinterpret_cast<const uint8_t*>(sjis), i, la);
  return carried_characters(la);
}

void display_text_line(const char* sjis) {
  const uint8_t* s = reinterpret_cast<const uint8_t*>(sjis);
  MessageWindow& w = message_window;
  update_caption();
  chars_in_line = static_cast<int32_t>(std::strlen(sjis) / 2);
  just_loaded = false;  // a load before this line has nothing left to abandon
  LineState st;
  st.pen.at_cell();
  if (!w.window_shown) show_message_window();

  size_t i = 0;
  while (s[i]) {
    uint8_t c = s[i];
    if (c == ' ' || c == '\t') {
      i++;
      continue;
    }
    if (c == '!') {
      uint8_t kind = s[i + 1];
      if (kind == 'd' || kind == 'w') {
        i += 2;
        int32_t ms = std::max(0, read_mark_number(s, i));
        timed_wait(static_cast<uint32_t>(ms), kind == 'd');
      } else if (kind == 's') {
        i += 2;
        if (s[i] == 'd') {
          i++;
          w.text_speed = -1;
        } else {
          w.text_speed = read_mark_number(s, i);
        }
      } else {
        i++;
      }
      continue;
    }
    if (c == '#') {
      i++;
      int32_t rgb = 0;
      for (int k = 0; k < 6 && s[i]; k++, i++) rgb = rgb * 16 + hex_digit(s[i]);
      w.text_colour[0] = static_cast<uint8_t>(rgb >> 16);
      w.text_colour[1] = static_cast<uint8_t>(rgb >> 8);
      w.text_colour[2] = static_cast<uint8_t>(rgb);
      continue;
    }
    if (c == '/') {
      if (s[i + 1] != 0) interp::report_errorf("エラー", "表示文中の、/の次は改行文字でなければなりません。");
      return;  // the next line continues on this row
    }
    if (c == '<') {
      i++;
      int32_t number = read_decimal(s, i);
      if (text_link_count < kMaxTextLinks) {
        TextLink& link = text_links[text_link_count];
        link.number = number;
        link.start_x = static_cast<int32_t>(st.pen.x);
        link.start_y = static_cast<int32_t>(st.pen.y);
      }
      st.in_link = true;
      continue;
    }
    if (c == '>') {
      i++;
      if (st.in_link && text_link_count < kMaxTextLinks)
        text_links[text_link_count++].end_x = static_cast<int32_t>(st.pen.x);
      st.in_link = false;
      continue;
    }
    if (c == '_') {
      i++;
      st.exempt = true;
      continue;
    }
    if (c == '@' || c == '\\') {
      i++;
      bool page = c == '\\';
      if (w.text_visible == 0 || (!page && page_click_mode)) continue;
      if (text_wait(page, st)) return;
      continue;
    }

    // A load from a menu during a speed or timed wait ends the line.
    if (just_loaded) return;
    // A printable two-byte item.
    bool alone = is_alone(s, i);
    if (!draw_character(s, i, st)) break;
    Char drawn = alone ? make_char(s[i], ' ') : make_char(s[i], s[i + 1]);
    i += alone ? 1 : 2;
    Lookahead la;
    look_ahead(s, i, la);
    if (w.column + int64_t{carried_characters(la)} >= w.columns) {
      new_text_line();
      st.pen.at_cell();
    }
    bool exempt = st.exempt;
    st.exempt = false;
    if (la.count > 0 && is_clickstr_char(la.chars[0])) continue;
    if (!la.wait_first && !exempt && is_clickstr_char(drawn)) {
      bool page = int64_t{w.row} >= int64_t{w.rows} - clickstr_lines;
      if (text_wait(page, st)) return;
    }
  }
  if (w.column != 0) new_text_line();
}

void reset_text_output() {
  text_link_count = 0;
  cursor_tags[0].clear();
  cursor_tags[1].clear();
  in_text_routine = 0;
  last_wait_was_page = 0;
  line_ended_at_mark = 0;
}

void init_text_output() {
  reset_text_output();
  line_page_mode = false;
  text_gosub_mode = false;
  text_gosub_label.clear();
  clickstr_chars.clear();
  clickstr_lines = 0;
  for (CursorPlacement& c : cursor_placement) c = CursorPlacement{0, 0, 0};
}

}  // namespace text
