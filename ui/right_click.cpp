#include "ui/right_click.h"

#include "interp/control_flow.h"
#include "interp/error.h"
#include "interp/runloop.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/mode.h"
#include "text/lookback_viewer.h"
#include "text/message_window.h"
#include "text/screen_link.h"
#include "text/wait.h"
#include "ui/input_watch.h"
#include "ui/selection.h"
#include "ui/system_menu.h"

namespace ui {

int32_t right_click_mode = 0;
int32_t right_click_enabled = 1;
std::string rgosub_label;

namespace {

void refresh_window_area(bool window_effect) {
  const text::MessageWindow& w = text::message_window;
  if (text::screen_link.refresh_area)
    text::screen_link.refresh_area(w.window_left, w.window_top, w.window_right + 2, w.window_bottom + 2, window_effect);
}

}  // namespace

// The default action: the window goes (sprites stay) until a click, a right
// click, Space or Escape, and comes back.
void hide_window_until_click() {
  text::MessageWindow& w = text::message_window;
  if (!w.window_shown) return;
  w.draw_window = 0;
  w.window_shown = 0;
  refresh_window_area(true);
  for (platform::MessageId id : {platform::msg_left_button_down, platform::msg_left_button_up,
                                 platform::msg_right_button_down, platform::msg_right_button_up})
    platform::remove_messages(id);
  text::click_flag = text::right_click_flag = 0;
  uint32_t quiet_since = platform::clock_ms();
  while (!interp::quit_requested && !interp::menu_reset_request) {
    platform::sleep_ms(0);
    platform::Message m;
    bool handled = text::handle_one_message(m);
    if (handled && is_player_input(m)) quiet_since = platform::clock_ms();
    if (uint32_t ms = platform::auto_click_ms(); ms && platform::clock_ms() - quiet_since >= ms) {
      platform::post_pointer_click();
      quiet_since = platform::clock_ms();
    }
    bool key = m.id == platform::msg_key_down && (m.param == platform::key_space || m.param == platform::key_escape);
    if (text::click_flag || text::right_click_flag || key || text::escape_held()) break;
    if (!handled) close_when_no_input_can_come("right-click menu");
    text::advance_animations();
    rest_after_empty_pass(handled);
  }
  text::wait_until_released(true);
  text::click_flag = text::right_click_flag = 0;
  platform::remove_messages(platform::msg_left_button_up);
  text::show_message_window();
}

bool wait_must_end() {
  return text::wait_interrupted || text::just_loaded || interp::rmenu_reset_request || interp::menu_reset_request ||
         interp::quit_requested || interp::restart_requested;
}

bool show_right_click_menu(int code) {
  if (code == -1 && (right_click_mode == -2 || right_click_enabled == 0)) return false;
  if (menu_mode) return false;
  if (code == -1 && right_click_mode == 2) {
    text::wait_interrupted = true;
    if (interp::CallStack.count >= interp::kCallStackSlots)
      interp::report_errorf("スタックエラー", "rgosub処理のせいでスタックが溢れました。");
    interp::call_subroutine(rgosub_label);
    return true;
  }
  if (code == -1 && right_click_mode == -1) {
    text::show_lookback();
    return wait_must_end();
  }
  if (code == -1 && right_click_mode == 0) {
    menu_mode = true;
    hide_window_until_click();
    menu_mode = false;
  }
  if (code != -1 || right_click_mode == 1) run_system_menu(code);
  return wait_must_end();
}

void init_right_click() {
  right_click_mode = 0;
  right_click_enabled = 1;
  rgosub_label.clear();
}

void reset_right_click() { right_click_enabled = 1; }

}  // namespace ui
