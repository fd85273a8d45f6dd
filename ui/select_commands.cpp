// The selection commands: select, selgosub, selnum, csel and its helpers, and the selection settings.
#include <string>

#include "graphics/effect.h"
#include "graphics/screen.h"
#include "interp/control_flow.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/sjis.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/wait.h"
#include "ui/commands.h"
#include "ui/menu.h"
#include "ui/right_click.h"
#include "ui/selection.h"

namespace ui {

namespace {

// Blanks and line ends; the byte after them.
char skip_blanks_and_lines() {
  char c;
  while ((c = interp::skip_blanks()) == '\n' || c == '\r') interp::advance();
  return c;
}

// After an item: blanks and line ends, then a comma continues the list.
// Without a comma the position stays behind the item.
bool list_continues() {
  int32_t after_item = interp::ScriptPosition;
  if (skip_blanks_and_lines() == ',') {
    interp::advance();
    skip_blanks_and_lines();
    return true;
  }
  interp::ScriptPosition = after_item;
  return false;
}

[[noreturn]] void too_many(const char* command, int max) {
  interp::report_errorf("エラー", "%sの選択肢は%d個までです。", command, max);
}

// text, label, text, label, ... into the tables; returns the count.
int32_t read_pairs(const char* command, std::string* texts, std::string* labels, int max) {
  int32_t count = 0;
  do {
    if (count == max) too_many(command, max);
    texts[count] = interp::read_string();
    if (!list_continues()) interp::report_errorf("構文エラー", "%sの選択肢にはラベルが必要です。", command);
    labels[count] = interp::read_label();
    count++;
  } while (list_continues());
  return count;
}

int32_t read_texts(const char* command, std::string* texts, int max) {
  int32_t count = 0;
  do {
    if (count == max) too_many(command, max);
    texts[count++] = interp::read_string();
  } while (list_continues());
  return count;
}

// The list in the message window from the write position on.
int show_choices() {
  const text::MessageWindow& w = text::message_window;
  return run_choice_list(choice_list.count, w.column, w.row, choice_list.texts);
}

// After a list: false when the command does no more (the right-click
// routine was entered, a reset was carried out, a game was loaded).
bool list_answered(int chosen) {
  if (text::wait_interrupted) return false;
  if (interp::rmenu_reset_request) {
    interp::reset_to_start();
    return false;
  }
  if (text::just_loaded) {
    text::just_loaded = false;
    return false;
  }
  return chosen >= 0 && !wait_must_end();
}

void finish_page() {
  text::clear_message_window();
  text::write_page_mark();
}

int32_t read_colour(const char* command) {
  if (interp::skip_blanks() != '#') interp::report_errorf("エラー", "%sのパラメータが違います。", command);
  return text::read_colour_literal();
}

int32_t& numeric_argument(const char* title, const char* message) {
  if (interp::skip_blanks() != '%')
    interp::report_error(platform::utf8_to_sjis(title).c_str(), platform::utf8_to_sjis(message).c_str());
  return interp::numeric_variable(interp::read_variable_number());
}

}  // namespace

void cmd_select() {
  choice_list.count = read_pairs("select", choice_list.texts, choice_list.labels, kMaxChoices);
  int k = show_choices();
  if (!list_answered(k)) return;
  finish_page();
  interp::jump_to_label(choice_list.labels[k]);
}

void cmd_selgosub() {
  choice_list.count = read_pairs("selgosub", choice_list.texts, choice_list.labels, kMaxChoices);
  int k = show_choices();
  if (!list_answered(k)) return;
  finish_page();
  interp::call_subroutine(choice_list.labels[k]);
}

void cmd_selnum() {
  if (interp::skip_blanks() != '%') interp::report_errorf("構文エラー", "selnumの第一引数は数値変数です。");
  int32_t variable = interp::read_variable_number();
  interp::numeric_variable(variable);  // the number is checked before the list
  interp::expect_comma();
  skip_blanks_and_lines();
  choice_list.count = read_texts("selnum", choice_list.texts, kMaxChoices);
  int k = show_choices();
  finish_page();
  if (!list_answered(k)) return;
  interp::numeric_variable(variable) = k;
  interp::apply_intlimits();
}

void cmd_csel() {
  CustomChoiceList& c = custom_choice_list;
  c.count = read_pairs("csel", c.texts, c.labels, kMaxCustomChoices);
  interp::save_point_flag = false;
  text::skip_mode = text::auto_mode = 0;
  text::message_window.draw_window = 1;
  graphics::mark_whole_screen();
  graphics::refresh_screen(1, 0, "");
  interp::jump_to_label("customsel");
}

void cmd_cselgoto() {
  int32_t n = interp::read_number();
  const CustomChoiceList& c = custom_choice_list;
  if (n < 0 || n >= c.count)
    interp::report_errorf("エラー", "cselgotoの選択肢番号%dは範囲外です（選択肢は%d個）。", n, c.count);
  finish_page();
  interp::jump_to_label(c.labels[n]);
}

void cmd_getcselnum() {
  numeric_argument("構文エラー", "getcselnumの第一引数は数字変数です。") = custom_choice_list.count;
  interp::apply_intlimits();
}

void cmd_selectcolor() {
  SelectionSettings& s = selection_settings;
  s.select_colour_on = read_colour("selectcolor");
  interp::expect_comma();
  s.select_colour_off = read_colour("selectcolor");
}

void cmd_menuselectcolor() {
  SelectionSettings& s = selection_settings;
  s.menu_colour_on = read_colour("menuselectcolor");
  interp::expect_comma();
  s.menu_colour_off = read_colour("menuselectcolor");
  interp::expect_comma();
  s.menu_colour_3 = read_colour("menuselectcolor");
}

void cmd_selectvoice() {
  for (int k = 0; k < 3; k++) {
    if (k) interp::expect_comma();
    selection_settings.select_voice[k] = interp::read_string();
  }
}

void cmd_menuselectvoice() {
  for (int k = 0; k < 7; k++) {
    if (k) interp::expect_comma();
    selection_settings.menu_voice[k] = interp::read_string();
  }
}

void cmd_menusetwindow() {
  MenuLayout& l = selection_settings.menu_layout;
  int32_t v[6];
  for (int k = 0; k < 6; k++) {
    if (k) interp::expect_comma();
    v[k] = interp::read_number();
  }
  l.glyph_width = v[0];
  l.glyph_height = v[1];
  l.pitch_x = static_cast<int32_t>(static_cast<uint32_t>(v[0]) + static_cast<uint32_t>(v[2]));
  l.pitch_y = static_cast<int32_t>(static_cast<uint32_t>(v[1]) + static_cast<uint32_t>(v[3]));
  l.bold = v[4];
  l.shadow = v[5];
  if (interp::skip_blanks() == ',') {
    interp::advance();
    l.tint = read_colour("menusetwindow");
  }
}

}  // namespace ui
