#include "interp/runloop.h"

#include "interp/control_flow.h"
#include "interp/dispatch.h"
#include "interp/error.h"
#include "interp/hooks.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/clock.h"
#include "platform/sjis.h"
#include "script/scenario.h"

namespace interp {

int define_mode = 0;
bool define_finished = false;
bool restart_requested = false;
bool quit_requested = false;
bool menu_reset_request = false;
bool rmenu_reset_request = false;
bool save_point_flag = true;
bool line_page_mode = false;
bool text_gosub_mode = false;

namespace {

inline unsigned char byte_at(int32_t p) { return static_cast<unsigned char>(script::ScriptBuffer[p]); }

// The text line buffer holds 528 bytes with the NUL: what does not fit is
// dropped (the rest of the source line is still read, so the position ends
// at the line's end). A double-byte character is never split.
struct TextLine {
  std::string bytes;
  size_t limit;
  void add(const char* s, size_t n) {
    for (size_t i = 0; i < n;) {
      size_t step = (platform::is_sjis_lead(static_cast<unsigned char>(s[i])) && i + 1 < n) ? 2 : 1;
      if (bytes.size() + step > limit) return;
      bytes.append(s + i, step);
      i += step;
    }
  }
};

void append_full_width_number(TextLine& line, int32_t value) {
  int64_t v = value;
  if (v < 0) {
    line.add("\x81\x7c", 2);  // －
    v = -v;
  }
  char digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char>(v % 10);
    v /= 10;
  } while (v > 0);
  while (n > 0) {
    char fw[2] = {'\x82', static_cast<char>(0x4f + digits[--n])};  // ０..９
    line.add(fw, 2);
  }
}

}  // namespace

std::string assemble_text_line() {
  TextLine line;
  line.limit = kTextLineCapacity - 1 - (line_page_mode ? 1 : 0);
  int32_t& p = ScriptPosition;
  while (true) {
    unsigned char c = byte_at(p);
    if (c == '\0' || c == '\n') break;
    if (platform::is_sjis_lead(c)) {
      // The pair is copied unexamined, but never the script's final NUL.
      if (byte_at(p + 1) == '\0') {
        line.add(reinterpret_cast<const char*>(&c), 1);
        ++p;
        break;
      }
      line.add(script::ScriptBuffer + p, 2);
      p += 2;
      continue;
    }
    if (text_gosub_mode && (c == '@' || c == '\\')) {
      line.add(script::ScriptBuffer + p, 1);
      ++p;
      break;
    }
    if (c == '$') {
      std::string s = read_string();
      line.add(s.data(), s.size());
      continue;
    }
    if ((c == '%' || c == '?') && !(p >= 2 && byte_at(p - 2) == '!')) {
      append_full_width_number(line, read_number());
      continue;
    }
    line.add(script::ScriptBuffer + p, 1);
    ++p;
  }
  if (line_page_mode) line.bytes += '\\';
  return line.bytes;
}

void run_loop(int mode) {
  define_mode = mode;
  if (mode == 1) {
    // The define block starts from the text system's start values.
    if (hooks.start_define_block) hooks.start_define_block();
    jump_to_label("define");
    define_finished = false;
    // After definereset the stack may still hold frames of the run before
    // the restart; the define block starts with an empty one.
    clear_call_stack();
  }
  skip_blanks();
  while (!restart_requested && !quit_requested) {
    if (menu_reset_request) {
      reset_to_start();
      menu_reset_request = false;
    }
    // The zero-length sleep of each pass: on the virtual clock it moves time
    // on (so that a loop polling the timer ends); on the real clock the
    // system shares the processor without it, at no cost per command.
    if (platform::virtual_clock()) platform::sleep_ms(0);
    if (hooks.poll_traps) hooks.poll_traps();
    // The save point, looked at only where something starts (blanks and
    // separators change nothing a snapshot holds); the read-text record
    // (which also ends skip mode at unread text when only read text is skipped).
    unsigned char c = byte_at(ScriptPosition);
    bool blank = c == '\t' || c == '\n' || c == ' ' || c == ':' || c == '~';
    if (define_mode == 0 && !blank && hooks.take_save_point) hooks.take_save_point();
    if (hooks.mark_read_text) hooks.mark_read_text(ScriptPosition);

    if (c == '\0') report_errorf("スクリプトエラー", "ファイルの終端に達しました。");
    if (blank) {
      ++ScriptPosition;
    } else if (c == '*') {
      std::string label = read_label();
      if (hooks.log_label) hooks.log_label(label);
    } else if (c == ';') {
      while (byte_at(ScriptPosition) != '\n' && byte_at(ScriptPosition) != '\0') ++ScriptPosition;
    } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_') {
      dispatch_at_position();
      if (define_mode == 1 && define_finished) return;
    } else {
      if (define_mode == 1) report_errorf("定義ブロックエラー", "*defineブロックには、表示文はおけません。");
      std::string line = assemble_text_line();
      if (hooks.display_text_line) hooks.display_text_line(line.c_str());
      if (rmenu_reset_request) reset_to_start();
    }
  }
}

void reset_to_start() {
  if (hooks.reset_to_start)
    hooks.reset_to_start();
  else
    restart_at_start();
}

void restart_at_start() {
  save_point_flag = true;
  rmenu_reset_request = false;
  clear_local_variables();
  jump_to_label("start");
  clear_call_stack();
}

void reset_run_state() {
  define_mode = 0;
  define_finished = false;
  restart_requested = false;
  quit_requested = false;
  menu_reset_request = false;
  rmenu_reset_request = false;
  save_point_flag = true;
  line_page_mode = false;
  text_gosub_mode = false;
}

}  // namespace interp
