#include "text/output_commands.h"

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/screen_link.h"

namespace text {

namespace {

void set_cursor(bool absolute) {
  int32_t k = interp::read_number();
  if (k != 0 && k != 1) interp::report_errorf("エラー", "カーソルは０（通常）と１（クリック消去用）です。");
  interp::expect_comma();
  std::string image = interp::read_string();
  interp::expect_comma();
  int32_t dx = interp::read_number();
  interp::expect_comma();
  int32_t dy = interp::read_number();
  cursor_placement[k] = CursorPlacement{dx, dy, absolute ? 1 : 0};
  cursor_tags[k] = image;
  if (screen_link.load_cursor_image) screen_link.load_cursor_image(k, image);
}

}  // namespace

void cmd_puttext() {
  std::string line = interp::read_string();
  display_text_line(line.c_str());
}

void cmd_texton() { display_text_line(""); }

void cmd_clickstr() {
  std::string chars = interp::read_string();
  interp::expect_comma();
  clickstr_lines = interp::read_number();
  clickstr_chars = chars;
}

void cmd_linepage() { line_page_mode = true; }

void cmd_textgosub() {
  text_gosub_label = interp::read_label();
  text_gosub_mode = true;
}

void cmd_texec() {
  if (!in_text_routine) return;
  in_text_routine = 0;
  MessageWindow& w = message_window;
  if (last_wait_was_page) {
    w.column = w.row = 0;
    write_page_mark();
    clear_message_window();
  } else if (line_ended_at_mark && w.column != 0) {
    new_text_line();
  }
}

void cmd_ispage() {
  if (interp::skip_blanks() != '%') interp::report_errorf("構文エラー", "ispageの引数は数字変数です。");
  interp::numeric_variable(interp::read_variable_number()) = last_wait_was_page;
}

void cmd_setcursor() { set_cursor(false); }

void cmd_abssetcursor() { set_cursor(true); }

}  // namespace text
