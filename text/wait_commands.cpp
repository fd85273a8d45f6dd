#include "text/wait_commands.h"

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/sjis.h"
#include "text/wait.h"

namespace text {

namespace {

// Reads a numeric variable argument ("%n"), or stops with `message`.
int32_t& numeric_argument(const char* message_utf8) {
  if (interp::skip_blanks() != '%')
    interp::report_error(platform::utf8_to_sjis("構文エラー").c_str(), platform::utf8_to_sjis(message_utf8).c_str());
  return interp::numeric_variable(interp::read_variable_number());
}

uint32_t read_ms() {
  int32_t n = interp::read_number();
  return n > 0 ? static_cast<uint32_t>(n) : 0;
}

// The click wait of `click` and `clickpos`: no cursor, no right-click menu.
void plain_click_wait() {
  bool (*right_click)() = wait_hooks.right_click;
  wait_hooks.right_click = nullptr;
  cursor_shown = 0;
  wait_for_click();
  wait_hooks.right_click = right_click;
}

}  // namespace

void cmd_wait() { timed_wait(read_ms(), false); }

void cmd_delay() { timed_wait(read_ms(), true); }

void cmd_resettimer() { timer_base = platform::clock_ms(); }

void cmd_waittimer() {
  int32_t n = interp::read_number();
  uint32_t end = timer_base + static_cast<uint32_t>(n);
  while (static_cast<int32_t>(platform::clock_ms() - end) < 0) {
    bool handled = pump_one_message();
    advance_animations();
    if (!handled && !platform::virtual_clock()) platform::sleep_ms(1);
  }
}

void cmd_gettimer() {
  int32_t& v = numeric_argument("gettimerの引数は数字変数です。");
  v = static_cast<int32_t>(platform::clock_ms() - timer_base);
  interp::apply_intlimits();
}

void cmd_click() { plain_click_wait(); }

void cmd_clickpos() {
  int32_t& x = numeric_argument("clickposの第一引数は数字変数です。");
  interp::expect_comma();
  int32_t& y = numeric_argument("clickposの第ニ引数は数字変数です。");
  plain_click_wait();
  x = last_click_x;
  y = last_click_y;
  interp::apply_intlimits();
}

void cmd_getmousepos() {
  int32_t& x = numeric_argument("getmouseposの第一引数は数字変数です。");
  interp::expect_comma();
  int32_t& y = numeric_argument("getmouseposの第ニ引数は数字変数です。");
  int px = 0, py = 0;
  platform::pointer_position(px, py);
  x = px;
  y = py;
  interp::apply_intlimits();
}

void cmd_skipoff() { skip_mode = auto_mode = 0; }

void cmd_kidokumode() { read_skip_only = interp::read_number() != 0; }

void cmd_kidokuskip() {
  if (wait_hooks.open_read_text_record) wait_hooks.open_read_text_record();
}

void cmd_automode() { auto_mode_allowed = 1; }

void cmd_automode_time() { auto_mode_time = interp::read_number(); }

void cmd_autoclick() {
  int32_t n = interp::read_number();
  if (n == 0) {
    autoclick_active = 0;
    autoclick_interval = 0;
    return;
  }
  autoclick_active = 1;
  autoclick_interval = n;
  platform::post_command(40008);  // back to one click wait per '@'
}

void cmd_usewheel() { wheel_reports = true; }
void cmd_useescspc() { escape_space_reports = true; }
void cmd_ctrlalt() { ctrl_alt_skip = 1; }

void cmd_clickvoice() {
  click_voice[0] = interp::read_string();
  interp::expect_comma();
  click_voice[1] = interp::read_string();
}

}  // namespace text
