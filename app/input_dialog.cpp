#include "app/input_dialog.h"

#include <algorithm>
#include <climits>

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/dialog.h"
#include "platform/msgbox.h"
#include "platform/sjis.h"
#include "platform/window.h"

namespace app {

InputDialogState input_dialog;

namespace {

constexpr int kDecide = 1000, kEdit = 1001, kPrompt = 1002;
constexpr size_t kEditBytes = 255;

// Points to pixels at the 96 pixels per inch the picture is taken to have.
int points(int32_t p) { return static_cast<int>(std::clamp<int64_t>(static_cast<int64_t>(p) * 96 / 72, 0, 4096)); }

// Cuts Shift-JIS text to at most `n` bytes without splitting a character.
std::string cut(const std::string& s, size_t n) {
  size_t at = 0;
  while (at < s.size()) {
    size_t next = platform::is_sjis_lead(static_cast<unsigned char>(s[at])) && at + 1 < s.size() ? at + 2 : at + 1;
    if (next > n) break;
    at = next;
  }
  return s.substr(0, at);
}

// "IDD_DIALOG" with the custom sizes applied.
platform::Dialog make_dialog() {
  platform::Dialog d;
  d.title = input_dialog.max_length == -1 ? "数値入力" : "文字列入力";
  d.width = platform::dialog_units_x(227);
  d.height = platform::dialog_units_y(53);
  platform::DialogControl decide = platform::dialog_control(platform::ControlKind::button, kDecide, 180, 25, 40, 20);
  decide.text = "決定";
  decide.is_default = true;
  platform::DialogControl edit = platform::dialog_control(platform::ControlKind::edit, kEdit, 7, 26, 153, 17);
  edit.text = cut(input_dialog.default_text, kEditBytes);
  edit.caret = edit.text.size();
  edit.max_bytes = kEditBytes;
  platform::DialogControl prompt = platform::dialog_control(platform::ControlKind::label, kPrompt, 7, 7, 213, 13);
  prompt.text = platform::sjis_to_utf8(input_dialog.result);
  if (input_dialog.custom_size) {
    // The frame takes the given size where it stands; the edit box keeps
    // its place; the button sits beside it with its height, 20 points from
    // the right edge. Sizes are kept within the picture.
    int sw = 640, sh = 480;
    platform::picture_size(sw, sh);
    int fw = std::clamp(points(input_dialog.dialog_width), 80, sw);
    int fh = std::clamp(points(input_dialog.dialog_height), platform::kDialogTitleHeight + 30, sh);
    d.x = std::max(0, (sw - (d.width + 2)) / 2);
    d.y = std::max(0, (sh - (d.height + platform::kDialogTitleHeight + 2)) / 2);
    d.x = std::min(d.x, sw - fw);
    d.y = std::min(d.y, sh - fh);
    d.width = fw - 2;
    d.height = fh - 2 - platform::kDialogTitleHeight;
    edit.w = std::clamp(points(input_dialog.edit_width), 8, std::max(8, d.width - edit.x));
    edit.h = std::clamp(points(input_dialog.edit_height), 8, std::max(8, d.height - edit.y));
    decide.y = edit.y;
    decide.h = edit.h;
    decide.x = std::max(0, fw - decide.w - points(20) - 1);
  }
  d.controls = {prompt, edit, decide};
  d.focus = 1;
  return d;
}

bool on_input(platform::Dialog& d, platform::DialogEvent what, int id, void*) {
  if (what == platform::DialogEvent::cancel) {
    if (input_dialog.default_text.empty()) return false;  // cannot be cancelled
    input_dialog.result = input_dialog.default_text;
    return true;
  }
  if (what != platform::DialogEvent::command || id != kDecide) return false;
  std::string text = cut(d.controls[1].text, kEditBytes);
  input_dialog.result = text;
  InputRefusal refusal = check_input_text(input_dialog, text);
  if (refusal.title.empty()) return true;
  platform::show_message_box(refusal.title, refusal.text, platform::BoxIcon::error);
  return false;
}

// Reads the four optional sizes after the fixed arguments.
void read_sizes() {
  input_dialog.custom_size = 0;
  if (interp::skip_blanks() != ',') return;
  interp::advance();
  input_dialog.custom_size = 1;
  input_dialog.dialog_width = interp::read_number();
  interp::expect_comma();
  input_dialog.dialog_height = interp::read_number();
  interp::expect_comma();
  input_dialog.edit_width = interp::read_number();
  interp::expect_comma();
  input_dialog.edit_height = interp::read_number();
}

int32_t read_string_variable(const char* command) {
  if (interp::skip_blanks() != '$') interp::report_errorf("構文エラー", "%sの第一引数は文字変数です。", command);
  int32_t n = interp::read_variable_number();
  interp::string_variable(n);  // checks the number before the dialog opens
  return n;
}

}  // namespace

InputRefusal check_input_text(const InputDialogState& s, const std::string& text) {
  if (s.max_length == -1) {
    for (size_t i = 0; i < text.size(); ++i)
      if (!(text[i] >= '0' && text[i] <= '9') && !(text[i] == '-' && i == 0))
        return {"数値入力", "数値を入力してください。"};
    return {};
  }
  if (text.empty()) return {"文字列入力", "文字列を入力してください。"};
  if (static_cast<int64_t>(text.size()) > s.max_length) return {"文字列入力", "文字列が長すぎます。"};
  if (s.full_width_only)
    for (size_t i = 0; i < text.size(); i += 2)
      if (!platform::is_sjis_lead(static_cast<unsigned char>(text[i])))
        return {"文字列入力", "全て全角文字で入力してください。"};
  return {};
}

int32_t input_number_value(const std::string& text) {
  int64_t v = 0;
  bool negative = !text.empty() && text[0] == '-';
  for (size_t i = negative ? 1 : 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > static_cast<int64_t>(INT32_MAX) + 1) v = static_cast<int64_t>(INT32_MAX) + 1;
  }
  if (negative) v = -v;
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

void show_input_dialog() {
  platform::Dialog d = make_dialog();
  platform::run_dialog(d, on_input, nullptr);
}

void cmd_inputstr() {
  int32_t var = read_string_variable("inputstr");
  interp::expect_comma();
  input_dialog.result = interp::read_string();
  interp::expect_comma();
  input_dialog.max_length = interp::read_number();
  interp::expect_comma();
  input_dialog.full_width_only = interp::read_number();
  read_sizes();
  input_dialog.default_text.clear();
  show_input_dialog();
  interp::set_string_variable(var, input_dialog.result);
}

void cmd_input() {
  int32_t var = read_string_variable("input");
  interp::expect_comma();
  input_dialog.result = interp::read_string();
  interp::expect_comma();
  input_dialog.default_text = interp::read_string();
  interp::expect_comma();
  input_dialog.max_length = interp::read_number();
  interp::expect_comma();
  input_dialog.full_width_only = interp::read_number();
  read_sizes();
  show_input_dialog();
  interp::set_string_variable(var, input_dialog.result);
}

void cmd_inputnum() {
  if (interp::skip_blanks() != '%') interp::report_errorf("構文エラー", "inputnumの第一引数は数字変数です。");
  int32_t var = interp::read_variable_number();
  interp::numeric_variable(var);
  interp::expect_comma();
  input_dialog.result = interp::read_string();
  read_sizes();
  input_dialog.default_text.clear();
  input_dialog.max_length = -1;
  input_dialog.full_width_only = 0;
  show_input_dialog();
  interp::numeric_variable(var) = input_number_value(input_dialog.result);
  interp::apply_intlimits();
}

}  // namespace app
