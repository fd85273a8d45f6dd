#include "ui/button_wait.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/screen.h"
#include "interp/runloop.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/mode.h"
#include "platform/window.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/wait.h"
#include "ui/buttons.h"
#include "ui/hooks.h"
#include "ui/input_watch.h"
#include "ui/right_click.h"

namespace ui {

namespace {

int highlighted = -1;

bool kanade() { return ui_hooks.mode_kanade && ui_hooks.mode_kanade(); }

void post_pointer_move() {
  int x = 0, y = 0;
  platform::pointer_position(x, y);
  platform::post_message_at(platform::msg_mouse_move, x, y);
}

// A point of button i that hits it (its centre when it can), for the
// headless --auto-click; false when no sampled point does.
bool point_on_button(int i, int& x, int& y) {
  const Button& b = button_table.buttons[i];
  int left = std::max(b.button_left, 0), top = std::max(b.button_top, 0);
  int right = std::min(b.button_right, platform::screen_width - 1),
      bottom = std::min(b.button_bottom, platform::screen_height - 1);
  if (left > right || top > bottom) return false;
  x = left + (right - left) / 2;
  y = top + (bottom - top) / 2;
  if (button_at(x, y) == i) return true;
  for (int sy = 0; sy < 16; sy++)
    for (int sx = 0; sx < 16; sx++) {
      x = left + static_cast<int>(int64_t{right - left} * sx / 15);
      y = top + static_cast<int>(int64_t{bottom - top} * sy / 15);
      if (button_at(x, y) == i) return true;
    }
  return false;
}

// --auto-click: the first button in definition order that the pointer can
// reach gets a click.
void click_first_button() {
  for (int i = 0; i < button_table.count; i++) {
    int x, y;
    if (!point_on_button(i, x, y)) continue;
    warp_pointer(x, y);
    break;
  }
  platform::post_pointer_click();
}

// The next or previous button the arrow keys reach (definition order,
// wrapping; only buttons with a positive corner on the screen).
int arrow_target(bool forward) {
  auto reachable = [](int i) {
    const Button& b = button_table.buttons[i];
    return b.button_left > 0 && b.button_top > 0 && b.button_left < platform::screen_width &&
           b.button_top < platform::screen_height;
  };
  int n = button_table.count;
  if (forward) {
    for (int i = highlighted + 1; i < n; i++)
      if (reachable(i)) return i;
    for (int i = 0; i < n; i++)
      if (reachable(i)) return i;
  } else {
    for (int i = (highlighted < 0 ? n : highlighted) - 1; i >= 0; i--)
      if (reachable(i)) return i;
    for (int i = n - 1; i >= 0; i--)
      if (reachable(i)) return i;
  }
  return -1;
}

// The keys of the key options and their codes.
struct OptionKey {
  KeyWatch watch;
  int32_t code;
};

struct WaitKeys {
  KeyWatch up{platform::key_up}, down{platform::key_down};
  std::vector<OptionKey> options;
  KeyWatch space{platform::key_space}, escape{platform::key_escape};
};

WaitKeys make_keys() {
  const ButtonSettings& s = button_settings;
  WaitKeys k;
  if (s.getpageup) k.options.push_back({{platform::key_page_up}, -12});
  if (s.getenter) k.options.push_back({{platform::key_enter}, -19});
  if (s.gettab) k.options.push_back({{platform::key_tab}, -20});
  if (s.getfunction)
    for (int f = 0; f < 12; f++) k.options.push_back({{platform::key_f1 + f}, -21 - f});
  if (s.getcursor) {
    k.options.push_back({{platform::key_up}, -40});
    k.options.push_back({{platform::key_right}, -41});
    k.options.push_back({{platform::key_down}, -42});
    k.options.push_back({{platform::key_left}, -43});
  }
  return k;
}

bool watched(const WaitKeys& k, int key) {
  if (key == k.up.key || key == k.down.key) return true;
  if (key == platform::key_space) return text::escape_space_reports && !button_settings.space_is_click;
  if (key == platform::key_escape) return text::escape_space_reports;
  for (const OptionKey& o : k.options)
    if (o.watch.key == key) return true;
  return false;
}

// The keys' step of the wait: a code to return, or 0 to go on.
int32_t handle_keys(WaitKeys& k, const platform::Message& m, uint32_t now) {
  // A watched key types no character: Space and Enter would be clicks.
  if (m.id == platform::msg_key_down && watched(k, m.param)) platform::remove_messages(platform::msg_char);
  if (!platform::main_window_is_foreground()) return 0;
  const ButtonSettings& s = button_settings;
  if (!s.getcursor) {
    bool up = key_released(k.up, m, now), down = key_released(k.down, m, now);
    if (up || down) {
      int i = arrow_target(down);
      if (i >= 0) warp_pointer(button_table.buttons[i].button_left, button_table.buttons[i].button_top);
    }
  }
  for (OptionKey& o : k.options)
    if (key_released(o.watch, m, now)) return o.code;
  if (text::escape_space_reports) {
    if (key_released(k.space, m, now) && !s.space_is_click) return -11;
    if (key_released(k.escape, m, now)) {
      if (!(s.escape_pointer_set && highlighted >= 0)) return -10;
      warp_pointer(s.escape_pointer_x, s.escape_pointer_y);
    }
  }
  return 0;
}

void end_page_of_choice_buttons(bool choice_texts, ButtonWaitMode mode) {
  if (!choice_texts || mode == ButtonWaitMode::selectbtnwait) return;
  text::clear_message_window();
  text::write_page_mark();
}

void save_records() {
  if (text::wait_hooks.save_records) text::wait_hooks.save_records();
}

}  // namespace

int highlighted_button() { return highlighted; }
void forget_highlight() { highlighted = -1; }

void button_pointer_moved(int x, int y) {
  int i = button_at(x, y);
  if (i == highlighted) return;
  if (highlighted >= 0) highlight_button(highlighted, false);
  highlighted = i;
  if (i >= 0) highlight_button(i, true);
}

int32_t run_button_wait(ButtonWaitMode mode) {
  const ButtonSettings& s = button_settings;
  bool text_mode = mode == ButtonWaitMode::textbtnwait || mode == ButtonWaitMode::selectbtnwait;
  if (!btnnowindowerase && !text_mode) text::hide_message_window();
  if (!text_mode) text::skip_mode = 0;
  if (mode == ButtonWaitMode::selectbtnwait) {
    platform::remove_messages(platform::msg_command);
    text::skip_mode = 0;
  }
  if (mode == ButtonWaitMode::textbtnwait) {
    platform::Message pending;
    if (platform::peek_message(pending, platform::msg_left_button_up, false) ||
        platform::peek_message(pending, platform::msg_right_button_up, false))
      text::auto_mode = text::skip_mode = 0;
  }
  if (text_mode && !text::message_window.window_shown) text::show_message_window();

  for (platform::MessageId id : {platform::msg_left_button_up, platform::msg_right_button_up, platform::msg_char})
    platform::remove_messages(id);
  text::pump_one_message();
  text::click_flag = text::right_click_flag = 0;

  highlighted = -1;
  bool choice_texts = prepare_buttons();
  if (!kanade()) post_pointer_move();
  uint32_t start = platform::clock_ms();
  uint32_t quiet_since = start;
  bool records_saved = false;
  WaitKeys keys = make_keys();
  auto end_with = [&](int32_t result) {
    end_page_of_choice_buttons(choice_texts, mode);
    last_wait_time = static_cast<int32_t>(platform::clock_ms() - start);
    return result;
  };

  while (true) {
    if (interp::quit_requested || interp::menu_reset_request) return 0;
    uint32_t now = platform::clock_ms();
    if (!records_saved && now - start > 1000) {
      records_saved = true;
      save_records();
    }
    if (s.button_timeout >= 0 && now - start > static_cast<uint32_t>(s.button_timeout)) {
      if (s.timeout_waits_voice && text::wait_hooks.direct_voice_playing)
        while (text::wait_hooks.direct_voice_playing(10)) {
        }
      save_records();
      last_wait_time = s.button_timeout;
      return text::wheel_reports ? -5 : -2;
    }

    platform::sleep_ms(0);
    platform::Message m;
    bool handled = text::handle_one_message(m);
    now = platform::clock_ms();
    if (handled && is_player_input(m)) quiet_since = now;
    if (uint32_t ms = platform::auto_click_ms(); ms && now - quiet_since >= ms) {
      click_first_button();
      quiet_since = now;
    }

    if (m.id == platform::msg_mouse_move) {
      int32_t band = s.area_limit;
      if ((band > 0 && m.y < band) || (band < 0 && m.y > -int64_t{band})) {
        if (!btnnowindowerase && highlighted >= 0) highlight_button(highlighted, false);
        highlighted = -1;
        end_page_of_choice_buttons(choice_texts, mode);
        return -4;
      }
      button_pointer_moved(m.x, m.y);
    }
    if (text_mode && text::ctrl_skip_held()) return 0;
    if (int32_t code = handle_keys(keys, m, now)) return end_with(code);

    bool held = s.report_while_down &&
                (platform::key_held(platform::key_left_button) || m.id == platform::msg_left_button_down);
    if (held || text::click_flag) {
      text::click_flag = 0;
      return end_with(highlighted >= 0 ? button_table.buttons[highlighted].button_number : 0);
    }
    if (text::wheel_reports && m.id == platform::msg_mouse_wheel && m.param != 0)
      return end_with(m.param > 0 ? -2 : -3);
    if (text::right_click_flag) {
      text::right_click_flag = 0;
      return end_with(-1);
    }
    if (mode == ButtonWaitMode::textbtnwait) {
      if (text::auto_mode && !(text::wait_hooks.wave_voice_playing && text::wait_hooks.wave_voice_playing()) &&
          text::auto_mode_due(start) &&
          !(text::wait_hooks.direct_voice_playing && text::wait_hooks.direct_voice_playing(10)))
        return 0;
      if (text::autoclick_active && now - start >= static_cast<uint32_t>(text::autoclick_interval)) return 0;
      if (text::skip_mode) return 0;
    }
    bool ends_alone = s.button_timeout >= 0 || (mode == ButtonWaitMode::textbtnwait &&
                                                (text::auto_mode || text::skip_mode || text::autoclick_active));
    if (!handled && !ends_alone) close_when_no_input_can_come("button wait");
    text::advance_animations();
    rest_after_empty_pass(handled);
  }
}

int32_t run_link_wait() {
  graphics::DibSurface& display = graphics::TheScreen.display;
  graphics::DibSurface saved = display;
  const text::MessageWindow& w = text::message_window;
  int count = std::clamp(text::text_link_count, 0, text::kMaxTextLinks);
  int current = -1;
  auto link_at = [&](int x, int y) {
    for (int k = 0; k < count; k++) {
      const text::TextLink& l = text::text_links[k];
      if (x >= l.start_x && x < l.end_x && y >= l.start_y && int64_t{y} < int64_t{l.start_y} + w.glyph_height) return k;
    }
    return -1;
  };
  // The two rows of the underline, restored or drawn in the link colour.
  auto underline = [&](int k, bool on) {
    const text::TextLink& l = text::text_links[k];
    for (int64_t y = int64_t{l.start_y} + w.glyph_height - 2; y < int64_t{l.start_y} + w.glyph_height; y++) {
      if (y < 0 || y >= display.height || y >= saved.height) continue;
      int left = std::max(l.start_x, 0), right = std::min(l.end_x, display.width);
      for (int x = left; x < right; x++) {
        uint8_t* p = display.row(static_cast<int>(y)) + 3 * x;
        const uint8_t* q = saved.row(static_cast<int>(y)) + 3 * x;
        p[0] = on ? w.link_colour[2] : q[0];
        p[1] = on ? w.link_colour[1] : q[1];
        p[2] = on ? w.link_colour[0] : q[2];
      }
    }
    platform::present_display();
  };
  platform::remove_messages(platform::msg_left_button_up);
  text::click_flag = text::right_click_flag = 0;
  post_pointer_move();
  uint32_t quiet_since = platform::clock_ms();
  int32_t result = 0;
  while (true) {
    if (interp::quit_requested || interp::menu_reset_request) break;
    platform::sleep_ms(0);
    platform::Message m;
    bool handled = text::handle_one_message(m);
    uint32_t now = platform::clock_ms();
    if (handled && is_player_input(m)) quiet_since = now;
    if (uint32_t ms = platform::auto_click_ms(); ms && now - quiet_since >= ms) {
      if (count > 0) {
        const text::TextLink& l = text::text_links[0];
        warp_pointer(l.start_x + std::max(0, l.end_x - l.start_x - 1) / 2, l.start_y + w.glyph_height / 2);
      }
      platform::post_pointer_click();
      quiet_since = now;
    }
    if (m.id == platform::msg_mouse_move) {
      int k = link_at(m.x, m.y);
      if (k != current) {
        if (current >= 0) underline(current, false);
        if (k >= 0) underline(k, true);
        current = k;
      }
    }
    if (text::click_flag) {
      text::click_flag = 0;
      result = current >= 0 ? text::text_links[current].number : 0;
      break;
    }
    if (text::right_click_flag) {
      text::right_click_flag = 0;
      result = -1;
      break;
    }
    if (!handled) close_when_no_input_can_come("button wait");
    text::advance_animations();
    rest_after_empty_pass(handled);
  }
  text::text_link_count = 0;
  return result;
}

}  // namespace ui
