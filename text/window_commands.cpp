#include "text/window_commands.h"

#include <algorithm>

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/window.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/screen_link.h"

namespace text {

namespace {

// Scenario numbers may be anything: positions wrap as 32-bit values do.
int32_t wrap32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }

int32_t read_next_number() {
  interp::expect_comma();
  return interp::read_number();
}

// "#rrggbb" sets a colour and frees the window image; anything else is an
// image tag loaded into the window slot. Returns the image's size (0 x 0
// for a colour or an image that could not be loaded).
void read_window_background(int& width, int& height) {
  MessageWindow& w = message_window;
  width = height = 0;
  if (interp::skip_blanks() == '#') {
    w.background_colour = read_colour_literal();
    w.background_image.clear();
    if (screen_link.release_window_image) screen_link.release_window_image();
    return;
  }
  std::string tag = interp::read_string();
  w.background_colour = -1;
  w.background_image = tag;
  if (screen_link.load_window_image && !screen_link.load_window_image(tag, width, height)) width = height = 0;
}

// Reads %x, %y for getcursorpos and getnextline.
bool read_two_numeric_variables(int32_t*& x, int32_t*& y) {
  if (interp::skip_blanks() != '%') return false;
  x = &interp::numeric_variable(interp::read_variable_number());
  if (interp::skip_blanks() != ',') return false;
  interp::advance();
  if (interp::skip_blanks() != '%') return false;
  y = &interp::numeric_variable(interp::read_variable_number());
  return true;
}

}  // namespace

void cmd_setwindow() {
  MessageWindow& w = message_window;
  cmd_textoff();
  clear_message_window();
  lookback_reset();
  w.text_origin_x = interp::read_number();
  w.text_origin_y = read_next_number();
  int32_t columns = read_next_number();
  int32_t rows = read_next_number();
  if (columns < 0 || rows < 0) interp::report_errorf("エラー", "setwindowの縦横文字数指定が間違っています。");
  w.columns = columns;
  w.rows = rows;
  w.glyph_width = read_next_number();
  w.glyph_height = read_next_number();
  w.pitch_x = wrap32(int64_t{read_next_number()} + w.glyph_width);
  w.pitch_y = wrap32(int64_t{read_next_number()} + w.glyph_height);
  w.text_speed = read_next_number();
  w.bold = read_next_number();
  w.shadow = read_next_number();
  interp::expect_comma();
  int width, height;
  bool colour = interp::skip_blanks() == '#';
  read_window_background(width, height);
  if (colour) {
    w.window_left = read_next_number();
    w.window_top = read_next_number();
    w.window_right = read_next_number();
    w.window_bottom = read_next_number();
  } else {
    w.window_left = read_next_number();
    w.window_top = read_next_number();
    w.window_right = wrap32(int64_t{w.window_left} + width - 1);
    w.window_bottom = wrap32(int64_t{w.window_top} + height - 1);
  }
  // The window comes back when text is next written.
  platform::present_display();
}

void cmd_setwindow2() {
  int width, height;
  read_window_background(width, height);
  if (screen_link.refresh_area)
    screen_link.refresh_area(0, 0, platform::screen_width - 1, platform::screen_height - 1, false);
  platform::present_display();
}

void cmd_textspeed() { message_window.text_speed = interp::read_number(); }

void cmd_defaultspeed() {
  MessageWindow& w = message_window;
  w.menu_speeds[0] = interp::read_number();
  w.menu_speeds[1] = read_next_number();
  w.menu_speeds[2] = read_next_number();
}

void cmd_setfont() { message_window.next_font_face = interp::read_string(); }

void cmd_defaultfont() { message_window.default_font_face = interp::read_string(); }

void cmd_linkcolor() {
  uint8_t* c = message_window.link_colour;
  c[0] = static_cast<uint8_t>(std::clamp(interp::read_number(), 0, 255));
  c[1] = static_cast<uint8_t>(std::clamp(read_next_number(), 0, 255));
  c[2] = static_cast<uint8_t>(std::clamp(read_next_number(), 0, 255));
}

void cmd_locate() {
  message_window.column = interp::read_number();
  message_window.row = read_next_number();
}

void cmd_br() { new_text_line(); }

void cmd_textoff() {
  MessageWindow& w = message_window;
  int32_t erase = w.erase_window_on_effect;
  w.erase_window_on_effect = 1;
  hide_message_window();
  w.erase_window_on_effect = erase;
}

void cmd_textclear() {
  write_page_mark();
  clear_message_window();
}

void cmd_textmode() {
  int32_t n = interp::read_number();
  if (message_window.window_shown) hide_message_window();
  message_window.text_visible = n;
}

void cmd_erasetextwindow() {
  MessageWindow& w = message_window;
  int32_t n = interp::read_number();
  w.erase_window_on_effect = n == 2 ? 1 : n;
  w.keep_window_for_layers = n == 2 ? 1 : 0;
}

// Both settings are read by the composition, which owns the layer order.
void cmd_windowback() {
  message_window.window_behind_sprites = 1;
  if (screen_link.put_window_behind_sprites) screen_link.put_window_behind_sprites();
}

void cmd_noteraseman() {
  message_window.keep_standing_images = 1;
  if (screen_link.keep_standing_images) screen_link.keep_standing_images();
}

void cmd_getcursorpos() {
  int32_t *x = nullptr, *y = nullptr;
  if (!read_two_numeric_variables(x, y)) interp::report_errorf("構文エラー", "getcurposの第１，２引数は数字変数です。");
  const MessageWindow& w = message_window;
  *x = wrap32(int64_t{w.text_origin_x} + int64_t{w.column} * w.pitch_x);
  *y = wrap32(int64_t{w.text_origin_y} + int64_t{w.row} * w.pitch_y);
}

void cmd_getnextline() {
  int32_t *x = nullptr, *y = nullptr;
  if (!read_two_numeric_variables(x, y))
    interp::report_errorf("構文エラー", "getnextlineの第１，２引数は数字変数です。");
  const MessageWindow& w = message_window;
  *x = w.text_origin_x;
  *y = wrap32(int64_t{w.text_origin_y} + (int64_t{w.row} + 1) * w.pitch_y);
}

}  // namespace text
