// app/input_dialog: the text and number input dialog "IDD_DIALOG" and the commands inputstr, input and inputnum.
#pragma once
#include <cstdint>
#include <string>

namespace app {

// The dialog's settings and result (Shift-JIS texts).
struct InputDialogState {
  std::string result;        // the prompt on entry, the entered text on exit
  std::string default_text;  // empty: none, and the dialog cannot be cancelled
  int32_t max_length = 0;    // bytes; -1: number input
  int32_t full_width_only = 0;
  int32_t custom_size = 0;
  int32_t dialog_width = 0, dialog_height = 0;  // points
  int32_t edit_width = 0, edit_height = 0;      // points
};
extern InputDialogState input_dialog;

// Why 決定 refuses a text: the message box's title and text (UTF-8), or
// empty title when the text is accepted.
struct InputRefusal {
  std::string title;
  std::string text;
};
InputRefusal check_input_text(const InputDialogState& s, const std::string& sjis);

// The decimal value of an accepted number text (empty: 0; beyond the
// 32-bit range: the nearest end of it).
int32_t input_number_value(const std::string& text);

// Shows the dialog and returns when it closes, the entered text in
// input_dialog.result.
void show_input_dialog();

void cmd_inputstr();
void cmd_input();
void cmd_inputnum();

}  // namespace app
