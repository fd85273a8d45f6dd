#include "ui/input_watch.h"

#include "platform/clock.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/mode.h"
#include "platform/window.h"
#include "text/wait.h"

namespace ui {

namespace {

// Follows the key's messages and state; true when the hold reached another
// 125 ms.
bool follow(KeyWatch& k, const platform::Message& m, uint32_t now) {
  if (m.id == platform::msg_key_down && m.param == k.key && !k.down) {
    k.down = true;
    k.reported = false;
    k.since = now;
  }
  if (k.down && platform::key_held(k.key) && now - k.since >= kKeyRepeatMs) {
    k.since = now;
    k.reported = true;
    return true;
  }
  return false;
}

}  // namespace

bool key_pressed(KeyWatch& k, const platform::Message& m, uint32_t now) {
  bool was_down = k.down;
  if (follow(k, m, now)) return true;
  if (m.id == platform::msg_key_up && m.param == k.key) k.down = false;
  if (!was_down && k.down) {
    k.reported = true;
    return true;
  }
  return false;
}

bool key_released(KeyWatch& k, const platform::Message& m, uint32_t now) {
  if (follow(k, m, now)) return true;
  if (k.down && m.id == platform::msg_key_up && m.param == k.key) {
    k.down = false;
    return !k.reported;
  }
  return false;
}

bool is_player_input(const platform::Message& m) {
  return m.id != platform::msg_timer && m.id != platform::msg_paint && m.id != platform::msg_none &&
         m.id != platform::msg_mci_notify;
}

void close_when_no_input_can_come(const char* wait_name) {
  if (platform::headless && !platform::auto_click_ms() && !platform::scripted_events_pending() &&
      !platform::message_waiting_except(platform::msg_timer))
    text::close_for_lack_of_input(wait_name);
}

void rest_after_empty_pass(bool handled) {
  if (!handled && !platform::virtual_clock()) platform::sleep_ms(1);
}

void warp_pointer(int x, int y) {
  platform::move_pointer(x, y);
  platform::post_message_at(platform::msg_mouse_move, x, y);
}

}  // namespace ui
