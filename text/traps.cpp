#include "text/traps.h"

#include "interp/control_flow.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "script/labels.h"
#include "text/wait.h"

namespace text {

TrapState trap_state;

namespace {

// Applies the stop rule to a trap that fired: returns true when it jumped.
bool fire(std::string& label, int& stop) {
  if (stop == 2) return false;
  if (stop == 1) {
    stop = 2;
    return false;
  }
  std::string target = label;
  label.clear();
  interp::jump_to_label(target);
  return true;
}

enum class TrapWord { label, off, stop, resume, other };

TrapWord read_trap_word(std::string& label) {
  char c = interp::skip_blanks();
  if (c == '*' || c == '"' || c == '$') {
    label = interp::read_label();
    return TrapWord::label;
  }
  std::string word = interp::read_identifier();
  if (word == "off") return TrapWord::off;
  if (word == "stop") return TrapWord::stop;
  if (word == "resume") return TrapWord::resume;
  return TrapWord::other;
}

void click_trap(bool set_right, bool right, bool set_skip, bool skip) {
  TrapState& t = trap_state;
  if (set_right) t.right_click_traps = right;
  if (set_skip) t.skip_mode_traps = skip;
  std::string label;
  switch (read_trap_word(label)) {
    case TrapWord::label:
      t.mode = TrapMode::click;
      t.click_label = label;
      t.click_stop = 0;
      platform::remove_messages(platform::msg_left_button_up);
      platform::remove_messages(platform::msg_char);
      break;
    case TrapWord::off: t.click_label.clear(); break;
    case TrapWord::stop: t.click_stop = 1; break;
    case TrapWord::resume:
      if (t.click_stop == 2 && !t.click_label.empty()) {
        t.click_stop = 0;
        std::string target = t.click_label;
        t.click_label.clear();
        interp::jump_to_label(target);
      }
      t.click_stop = 0;
      break;
    case TrapWord::other:
      interp::report_errorf("エラー", "trap命令のパラメータは、offもしくは*ラベル名もしくはstopもしくはresumeです。");
  }
}

}  // namespace

void poll_traps() {
  TrapState& t = trap_state;
  if (t.mode == TrapMode::timer && !t.timer_label.empty()) {
    if (static_cast<int32_t>(platform::clock_ms() - t.deadline) >= 0) fire(t.timer_label, t.timer_stop);
    return;
  }
  if (t.mode != TrapMode::click || t.click_label.empty()) return;
  platform::Message m;
  if (platform::peek_message(m, platform::msg_left_button_up, true)) {
    int before = t.click_stop;
    fire(t.click_label, t.click_stop);
    if (before == 1) click_flag = right_click_flag = 0;
    return;
  }
  if ((t.skip_mode_traps && skip_mode) || click_flag || (right_click_flag && t.right_click_traps)) {
    int before = t.click_stop;
    if (before != 2) click_flag = right_click_flag = 0;
    fire(t.click_label, t.click_stop);
  }
}

void clear_traps() {
  trap_state.click_label.clear();
  trap_state.timer_label.clear();
  trap_state.click_stop = trap_state.timer_stop = 0;
  trap_state.mode = TrapMode::click;
}

void cmd_trap() { click_trap(true, false, true, false); }
void cmd_lr_trap() { click_trap(true, true, false, false); }
void cmd_trap2() { click_trap(false, false, true, true); }
void cmd_lr_trap2() { click_trap(true, true, true, true); }

void cmd_timertrap() {
  TrapState& t = trap_state;
  std::string label;
  switch (read_trap_word(label)) {
    case TrapWord::label: {
      interp::expect_comma();
      int32_t ms = interp::read_number();
      t.mode = TrapMode::timer;
      t.timer_label = label;
      t.timer_stop = 0;
      t.deadline = platform::clock_ms() + static_cast<uint32_t>(ms);
      break;
    }
    case TrapWord::off: t.timer_label.clear(); break;
    case TrapWord::stop: t.timer_stop = 1; break;
    case TrapWord::resume:
      if (t.timer_stop == 2 && !t.timer_label.empty()) {
        t.timer_stop = 0;
        std::string target = t.timer_label;
        t.timer_label.clear();
        interp::jump_to_label(target);
      }
      t.timer_stop = 0;
      break;
    case TrapWord::other:
      interp::report_errorf("エラー",
                            "timertrap命令の第一パラメータは、offもしくは*ラベル名もしくはstopもしくはresumeです。");
  }
}

}  // namespace text
