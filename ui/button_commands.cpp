// The button commands: definitions, settings, the waits and blt.
#include <algorithm>
#include <cstring>
#include <string>

#include "graphics/button_picture.h"
#include "graphics/image_tag.h"
#include "graphics/screen.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/input.h"
#include "platform/sjis.h"
#include "text/message_window.h"
#include "ui/button_wait.h"
#include "ui/buttons.h"
#include "ui/commands.h"
#include "ui/selection.h"

namespace ui {

namespace {

int32_t number_after_comma() {
  interp::expect_comma();
  return interp::read_number();
}

// The result variable of a wait: a numeric variable's number, or -1 for a
// string variable, which the syntax allows but which is not written.
int32_t result_variable(const char* command) {
  char c = interp::skip_blanks();
  if (c != '%' && c != '$') interp::report_errorf("構文エラー", "%sの第一引数は数字変数です。", command);
  int32_t n = interp::read_variable_number();
  if (c == '$') {
    interp::string_variable(n);  // the number is still checked
    return -1;
  }
  interp::numeric_variable(n);
  return n;
}

void store_result(int32_t variable, int32_t value) {
  if (variable < 0) return;
  interp::numeric_variable(variable) = value;
  interp::apply_intlimits();
}

int32_t& numeric_argument(const char* message) {
  if (interp::skip_blanks() != '%')
    interp::report_error(platform::utf8_to_sjis("構文エラー").c_str(), platform::utf8_to_sjis(message).c_str());
  return interp::numeric_variable(interp::read_variable_number());
}

// btnwait's clearing after a click on a button: no picture, no buttons.
void forget_buttons() {
  graphics::release_image(graphics::button_image);
  button_settings.button_image_file.clear();
  button_table.count = 0;
}

void sprite_button(bool replace, bool multi_cell_only) {
  int32_t sprite = interp::read_number();
  int32_t number = number_after_comma();
  add_sprite_button(sprite, number, replace, multi_cell_only);
}

// The bare word `clear` (not a string) at the position.
bool bare_clear() {
  interp::skip_blanks();
  const char* p = script::ScriptBuffer + interp::ScriptPosition;
  if (std::strncmp(p, "clear", 5) != 0) return false;
  char next = p[5];
  if ((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') || (next >= '0' && next <= '9') || next == '_')
    return false;
  interp::advance(5);
  interp::skip_blanks();
  return true;
}

}  // namespace

void cmd_btndef() {
  if (bare_clear()) {
    define_buttons("", true);
    return;
  }
  define_buttons(interp::read_string(), false);
}

void cmd_btn() {
  int32_t v[7];
  v[0] = interp::read_number();
  for (int k = 1; k < 7; k++) v[k] = number_after_comma();
  Button& b = add_button(v[0], v[1], v[2], v[3], v[4], ButtonKind::area);
  b.source_x = v[5];
  b.source_y = v[6];
}

void cmd_spbtn() { sprite_button(false, false); }
void cmd_spbtn2() { sprite_button(true, false); }
void cmd_cellcheckspbtn() { sprite_button(false, true); }
void cmd_existspbtn() { sprite_button(false, false); }

void cmd_exbtn() {
  int32_t sprite = interp::read_number();
  int32_t number = number_after_comma();
  interp::expect_comma();
  std::string control = interp::read_string();
  const graphics::SpriteSlot& sp = graphics::sprite(sprite);
  if (sp.tag.empty() || !graphics::has_surface(sp.image)) return;
  Button& b = add_button(number, sp.x, sp.y, graphics::visible_width(sp.image), graphics::visible_height(sp.image),
                         ButtonKind::extended);
  b.sprite = sprite;
  b.exbtn_string = control;
}

void cmd_exbtn_d() { button_settings.exbtn_default = interp::read_string(); }

void cmd_cselbtn() {
  int32_t n = interp::read_number();
  int32_t number = number_after_comma();
  int32_t x = number_after_comma();
  int32_t y = number_after_comma();
  const CustomChoiceList& c = custom_choice_list;
  if (n < 0 || n >= c.count)
    interp::report_errorf("エラー", "cselbtnの選択肢番号%dは範囲外です（選択肢は%d個）。", n, c.count);
  const text::MessageWindow& w = text::message_window;
  int64_t width = static_cast<int64_t>(c.texts[n].size()) * w.pitch_x / 2;
  Button& b = add_button(number, x, y, static_cast<int32_t>(std::clamp<int64_t>(width, 0, INT32_MAX)), w.pitch_y,
                         ButtonKind::choice_text);
  b.choice = n;
}

void cmd_delbtn() { delete_buttons(interp::read_number()); }
void cmd_btncancel() { cancel_buttons(interp::read_number()); }
void cmd_maskbtn() { button_settings.mask_below = interp::read_number(); }
void cmd_btnarea() { button_settings.area_limit = interp::read_number(); }
void cmd_btndown() { button_settings.report_while_down = interp::read_number() != 0; }
void cmd_transbtn() { button_settings.transparent_hits = true; }
void cmd_btnnowindowerase() { btnnowindowerase = true; }

void cmd_btntime() {
  button_settings.button_timeout = interp::read_number();
  button_settings.timeout_waits_voice = false;
}
void cmd_btntimer() { cmd_btntime(); }
void cmd_btntime2() {
  button_settings.button_timeout = interp::read_number();
  button_settings.timeout_waits_voice = true;
}

void cmd_spclclk() { button_settings.space_is_click = true; }
void cmd_getpageup() { button_settings.getpageup = true; }
void cmd_getenter() { button_settings.getenter = true; }
void cmd_gettab() { button_settings.gettab = true; }
void cmd_getfunction() { button_settings.getfunction = true; }
void cmd_getcursor() { button_settings.getcursor = true; }

void cmd_escoutcursor() {
  button_settings.escape_pointer_x = interp::read_number();
  button_settings.escape_pointer_y = number_after_comma();
  button_settings.escape_pointer_set = true;
}

void cmd_isdown() {
  numeric_argument("isdownの引数は数字変数です。") = platform::key_held(platform::key_left_button) ? 1 : 0;
  interp::apply_intlimits();
}

void cmd_getbtntimer() {
  numeric_argument("getbtntimerの第一引数は数字変数です。") = last_wait_time;
  interp::apply_intlimits();
}

void cmd_btnwait() {
  int32_t v = result_variable("btnwait");
  int32_t result = run_button_wait(ButtonWaitMode::btnwait);
  store_result(v, result);
  if (result >= 1) forget_buttons();
}

void cmd_btnwait2() {
  int32_t v = result_variable("btnwait");
  store_result(v, run_button_wait(ButtonWaitMode::btnwait2));
}

void cmd_textbtnwait() {
  int32_t v = result_variable("textbtnwait");
  store_result(v, run_button_wait(ButtonWaitMode::textbtnwait));
}

void cmd_selectbtnwait() {
  int32_t v = result_variable("textbtnwait");
  store_result(v, run_button_wait(ButtonWaitMode::selectbtnwait));
}

void cmd_tbtnwait() {
  int32_t v = result_variable("tbtnwait");
  store_result(v, run_link_wait());
}

}  // namespace ui
