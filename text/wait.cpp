#include "text/wait.h"

#include <cstdio>
#include <cstdlib>

#include "interp/runloop.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/mode.h"
#include "text/lookback_viewer.h"

namespace text {

int32_t click_flag = 0;
int32_t right_click_flag = 0;
int32_t skip_mode = 0;
int32_t auto_mode = 0;
int32_t auto_mode_allowed = 0;
int32_t auto_mode_time = 1000;
int32_t autoclick_active = 0;
int32_t autoclick_interval = 0;
int32_t page_click_mode = 0;
int32_t ctrl_alt_skip = 0;
int32_t read_skip_only = 1;
uint32_t timer_base = 0;
int32_t cursor_shown = 0;
bool wheel_reports = false;
bool escape_space_reports = false;
std::string click_voice[2];
int32_t chars_in_line = 0;
bool wait_interrupted = false;
bool just_loaded = false;
int32_t last_click_x = 0, last_click_y = 0;
WaitHooks wait_hooks;

namespace {

// Input other than timer ticks and paints, for --auto-click.
bool is_input(platform::MessageId id) {
  return id != platform::msg_timer && id != platform::msg_paint && id != platform::msg_none &&
         id != platform::msg_mci_notify;
}

}  // namespace

bool handle_one_message(platform::Message& m) {
  if (!platform::peek_message(m)) {
    m = platform::Message{};
    return false;
  }
  platform::Message command;
  if (platform::translate_accelerator(m, command)) {
    platform::dispatch_message(command);
  } else {
    platform::translate_message(m);
    platform::dispatch_message(m);
  }
  return true;
}

namespace {

// A wait's pass that found no message: on the real clock the processor is
// given away for a moment instead of spinning (the virtual clock moved on
// with the pass's zero-length sleep already).
void rest() {
  if (!platform::virtual_clock()) platform::sleep_ms(1);
}

bool input_waiting() { return platform::message_waiting_except(platform::msg_timer); }

uint32_t now() { return platform::clock_ms(); }

}  // namespace

bool auto_mode_due(uint32_t start) {
  int64_t span = auto_mode_time >= 0 ? auto_mode_time
                                     : -static_cast<int64_t>(auto_mode_time) * (chars_in_line > 0 ? chars_in_line : 0);
  return static_cast<int64_t>(now() - start) >= span;
}

namespace {

// Headless with every scripted event delivered and nothing left in the
// queue, no click can end a click wait. Only a pass that found the queue
// empty asks: the pass that took the last scripted click has already
// ended the wait through click_flag.
bool no_input_can_come() {
  return platform::headless && !platform::auto_click_ms() && !platform::scripted_events_pending() &&
         !autoclick_active && !auto_mode && !skip_mode && !platform::message_waiting_except(platform::msg_timer);
}

}  // namespace

void wait_until_released(bool space_too) {
  uint32_t held_since = now();
  while ((escape_held() || (space_too && platform::key_held(platform::key_space))) &&
         !(platform::headless && !platform::scripted_events_pending())) {
    if (uint32_t ms = platform::auto_click_ms(); ms && now() - held_since >= ms) {
      // Counted as released, so that the next wait does not take the same
      // hold for a new press.
      platform::set_key_held(platform::key_escape, false);
      if (space_too) platform::set_key_held(platform::key_space, false);
      break;
    }
    if (!pump_one_message()) rest();
  }
}

void close_for_lack_of_input(const char* wait_name) {
  static bool said = false;
  if (!said) {
    said = true;
    std::fprintf(stderr, "orvane: a %s has no scripted input left; the window is closed\n", wait_name);
  }
  platform::post_message(platform::msg_close);
}

int pump_one_message() {
  platform::sleep_ms(0);
  platform::Message m;
  return handle_one_message(m) ? 1 : 0;
}

void advance_animations() {
  if (wait_hooks.step_animations) wait_hooks.step_animations(input_waiting);
}

bool ctrl_skip_held() {
  if (!platform::main_window_is_foreground() || !platform::key_held(platform::key_ctrl)) return false;
  return !ctrl_alt_skip || platform::key_held(platform::key_alt);
}

bool escape_held() { return platform::main_window_is_foreground() && platform::key_held(platform::key_escape); }

void timed_wait(uint32_t ms, bool click_ends) {
  platform::remove_messages(platform::msg_left_button_up);
  platform::remove_messages(platform::msg_char);
  uint32_t start = now();
  do {
    platform::sleep_ms(0);
    platform::Message m;
    bool handled = handle_one_message(m);
    if (handled && click_ends && (m.id == platform::msg_left_button_up || ctrl_skip_held())) return;
    if (click_ends && skip_mode) return;
    advance_animations();
    if (!handled && now() - start + 1 < ms) rest();
  } while (now() - start < ms);
}

void wait_for_click() {
  wait_interrupted = false;
  just_loaded = false;
  pump_one_message();
  platform::remove_messages(platform::msg_left_button_up);
  platform::remove_messages(platform::msg_char);
  click_flag = right_click_flag = 0;
  int32_t cursor = cursor_shown;
  if (cursor && wait_hooks.cursor_save) wait_hooks.cursor_save();
  uint32_t start = now();
  uint32_t quiet_since = start;  // for --auto-click
  bool records_saved = false;
  while (true) {
    if (interp::menu_reset_request) return;  // the menu bar's reset leaves at once
    if (!records_saved && now() - start > 1000) {
      records_saved = true;
      if (wait_hooks.save_records) wait_hooks.save_records();
    }
    if (auto_mode && !(wait_hooks.wave_voice_playing && wait_hooks.wave_voice_playing()) && auto_mode_due(start)) {
      if (!wait_hooks.direct_voice_playing || !wait_hooks.direct_voice_playing(10)) break;
    }
    if (autoclick_active && now() - start >= static_cast<uint32_t>(autoclick_interval)) break;

    platform::sleep_ms(0);
    platform::Message m;
    bool handled = handle_one_message(m);
    if (handled && is_input(m.id)) quiet_since = now();
    if (uint32_t ms = platform::auto_click_ms(); ms && now() - quiet_since >= ms) {
      platform::post_pointer_click();
      quiet_since = now();
    }
    if (just_loaded) return;  // a load from a menu: the position has moved
    if (!autoclick_active) {
      if (click_flag) {
        click_flag = 0;
        break;
      }
      if (ctrl_skip_held() || skip_mode) break;
      if (right_click_flag || escape_held()) {
        wait_until_released(false);
        right_click_flag = 0;
        if ((wait_hooks.right_click && wait_hooks.right_click()) || just_loaded) return;
      }
    }
    if (m.id == platform::msg_mouse_wheel && m.param > 0) show_lookback();
    advance_animations();
    if (cursor && wait_hooks.cursor_step) wait_hooks.cursor_step();
    if (!handled) {
      if (no_input_can_come()) close_for_lack_of_input("click wait");
      rest();
    }
  }
  if (!skip_mode && wait_hooks.play_click_voice) {
    const std::string& voice = click_voice[cursor == 2 ? 1 : 0];
    if (!voice.empty()) wait_hooks.play_click_voice(voice);
  }
  if (cursor) {
    if (wait_hooks.cursor_restore) wait_hooks.cursor_restore();
    cursor_shown = 0;
  }
}

void reset_wait_state() {
  click_flag = right_click_flag = 0;
  skip_mode = auto_mode = 0;
  autoclick_active = autoclick_interval = 0;
  cursor_shown = 0;
  wait_interrupted = false;
  just_loaded = false;
}

void reset_wait_defaults() {
  reset_wait_state();
  auto_mode_allowed = 0;
  auto_mode_time = 1000;
  page_click_mode = 0;
  ctrl_alt_skip = 0;
  read_skip_only = 1;
  timer_base = 0;
  wheel_reports = escape_space_reports = false;
  click_voice[0].clear();
  click_voice[1].clear();
  chars_in_line = 0;
}

}  // namespace text
