#include "save/save_point.h"

#include "interp/readers.h"
#include "interp/runloop.h"
#include "save/save_file.h"
#include "script/scenario.h"
#include "text/message_window.h"

namespace save {

namespace {

bool noted = false;
int32_t noted_position = 0;

// What the run loop will treat as a text line: anything but a blank, a
// separator, a label, a comment or a command name (the NUL is an error).
bool text_line_at(int32_t p) {
  unsigned char c = static_cast<unsigned char>(script::ScriptBuffer[p]);
  if (c == '\0' || c == '\t' || c == '\n' || c == ' ' || c == ':' || c == '~' || c == '*' || c == ';' || c == '_')
    return false;
  return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
}

}  // namespace

void save_point_pass() {
  const text::MessageWindow& w = text::message_window;
  if (interp::save_point_flag && w.column == 0 && w.row == 0) {
    noted = true;
    noted_position = interp::ScriptPosition;
    if (text_line_at(noted_position)) settle_save_point();
  } else if (noted) {
    settle_save_point();
  }
}

void settle_save_point() {
  if (!noted) return;
  noted = false;
  take_save_point_at(noted_position);
}

bool save_point_noted() { return noted; }

void forget_save_point() { noted = false; }

}  // namespace save
