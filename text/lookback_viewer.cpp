#include "text/lookback_viewer.h"

#include <algorithm>

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/mode.h"
#include "platform/window.h"
#include "text/glyph_blend.h"
#include "text/glyph_cache.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/screen_link.h"
#include "text/wait.h"

namespace text {

namespace {

constexpr uint32_t kKeyRepeatMs = 125;
constexpr int kUpOn = 0, kUpOff = 1, kDownOn = 2, kDownOff = 3;

// Page Down / Page Up and the arrows: a step at the key's press, then every
// 125 ms while it is held. Key messages count as well as the key state, so
// that a press and release arriving together is not missed.
struct KeyRepeat {
  uint32_t last = 0;
  bool due(int key, const platform::Message& m) {
    uint32_t now = platform::clock_ms();
    bool pressed = m.id == platform::msg_key_down && m.param == key;
    bool held = platform::main_window_is_foreground() && platform::key_held(key);
    if (pressed && !held) return last = now, true;
    if ((!pressed && !held) || now - last < kKeyRepeatMs) return false;
    last = now;
    return true;
  }
};

bool escape_pressed(const platform::Message& m) {
  return escape_held() || (m.id == platform::msg_key_down && m.param == platform::key_escape);
}

// Until Escape is released (a headless run with no scripted input left
// cannot release it).
void wait_escape_release() {
  while (escape_held() && !(platform::headless && !platform::scripted_events_pending())) pump_one_message();
}

bool is_mark(int32_t i) { return static_cast<uint8_t>(lookback.history_bytes[i]) == kLookbackPageMark; }

// The write position; one out of range (a damaged save) reads as an empty
// history.
int32_t write_index() {
  return lookback.write_pos >= 0 && lookback.write_pos <= kLookbackSize ? lookback.write_pos : 0;
}

// Index of the n-th page mark counted back from the write position, or -1.
int32_t mark_back(int32_t n) {
  for (int32_t i = write_index() - 1; i >= 0; i--)
    if (is_mark(i) && --n == 0) return i;
  return -1;
}

struct Rect {
  int left = 0, top = 0, right = -1, bottom = -1;
};

// One run of the viewer.
struct Viewer {
  int32_t page = 1;
  int32_t pages = 0;
  int state = 0;  // +1 pointer over the up button, -1 over the down button
  bool first = true;
  Rect up, down;  // where the buttons are (empty when not shown)
  bool sprites = false;

  bool older() const { return page < pages; }
};

bool sprite_area(int32_t n, Rect& r) {
  return screen_link.sprite_area && screen_link.sprite_area(n, r.left, r.top, r.right, r.bottom);
}

// Where the buttons of the page shown now are, and whether the pointer is
// over one: picture buttons count only strictly inside their rectangle,
// sprite buttons with their edges.
void place_buttons(Viewer& v) {
  const MessageWindow& w = message_window;
  v.up = v.down = Rect{};
  if (v.sprites) {
    if (v.older()) sprite_area(lookback_settings.up_sprite, v.up);
    if (v.page > 1) sprite_area(lookback_settings.down_sprite, v.down);
    return;
  }
  int width = 0, height = 0;
  auto size = [&](int k) {
    width = height = 0;
    return screen_link.lookback_button_size && screen_link.lookback_button_size(k, width, height);
  };
  if (v.older() && size(kUpOff))
    v.up = Rect{w.window_right - width, w.window_top, w.window_right - 1, w.window_top + height - 1};
  if (v.page > 1 && size(kDownOff))
    v.down = Rect{w.window_right - width, w.window_bottom - height, w.window_right - 1, w.window_bottom - 1};
}

bool over(const Rect& r, int x, int y, bool edges) {
  if (r.right < r.left) return false;
  if (edges) return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
  return x > r.left && x < r.right && y > r.top && y < r.bottom;
}

int state_at(const Viewer& v, int x, int y) {
  if (over(v.up, x, y, v.sprites)) return 1;
  if (over(v.down, x, y, v.sprites)) return -1;
  return 0;
}

// Draws the page from the text origin in the lookback colour: a line feed
// starts the next row; characters outside the window are left out.
void draw_page(const std::string& bytes) {
  const MessageWindow& w = message_window;
  platform::DibSurface& surface = text_surface();
  const platform::GlyphFont& font = message_font();
  int64_t x = w.text_origin_x, y = w.text_origin_y;
  for (size_t i = 0; i < bytes.size();) {
    uint8_t first = static_cast<uint8_t>(bytes[i]);
    if (first == kLookbackLineFeed) {
      x = w.text_origin_x;
      y += w.pitch_y;
      i++;
      continue;
    }
    uint8_t second = i + 1 < bytes.size() ? static_cast<uint8_t>(bytes[i + 1]) : ' ';
    i += 2;
    bool inside = x >= w.window_left && y >= w.window_top && x + w.glyph_width <= w.window_right &&
                  y + w.glyph_height <= w.window_bottom && x >= 0 && y >= 0 &&
                  x + w.glyph_width <= platform::screen_width && y + w.glyph_height <= platform::screen_height;
    if (inside && first != 0 && second != 0)
      blend_glyph(surface, TextLayers{}, static_cast<int>(x), static_cast<int>(y), glyph_coverage(font, first, second),
                  w.glyph_width, w.glyph_height, lookback_settings.colour, w.shadow != 0);
    x += w.pitch_x;
  }
}

void draw_picture_buttons(const Viewer& v) {
  if (v.sprites || !screen_link.draw_lookback_button) return;
  platform::DibSurface& surface = text_surface();
  if (v.up.right >= v.up.left)
    screen_link.draw_lookback_button(surface, v.state == 1 ? kUpOn : kUpOff, v.up.left, v.up.top);
  if (v.down.right >= v.down.left)
    screen_link.draw_lookback_button(surface, v.state == -1 ? kDownOn : kDownOff, v.down.left, v.down.top);
}

// Sprite buttons are shown when their direction is possible (cell 1 under
// the pointer) and hidden otherwise; the change is composed by the next
// refresh.
void set_sprite_buttons(const Viewer& v, bool leaving) {
  if (!v.sprites || !screen_link.set_sprite_button) return;
  bool up = !leaving && v.older(), down = !leaving && v.page > 1;
  screen_link.set_sprite_button(lookback_settings.up_sprite, up, v.state == 1 ? 1 : 0);
  screen_link.set_sprite_button(lookback_settings.down_sprite, down, v.state == -1 ? 1 : 0);
}

void refresh_window(bool window_effect) {
  const MessageWindow& w = message_window;
  if (screen_link.refresh_area)
    screen_link.refresh_area(w.window_left, w.window_top, w.window_right + 2, w.window_bottom + 2, window_effect);
}

// Shows page v.page: the first time the window goes off and comes back
// through the window effect, afterwards it is recomposed; then the text
// and the buttons are drawn over it.
void display(Viewer& v) {
  place_buttons(v);
  int x = 0, y = 0;
  platform::pointer_position(x, y);
  v.state = state_at(v, x, y);
  set_sprite_buttons(v, false);
  if (v.first) {
    hide_message_window();
    show_message_window();
    v.first = false;
  } else {
    refresh_window(false);
  }
  draw_page(lookback_page(v.page));
  draw_picture_buttons(v);
  platform::present_display();
}

void turn_to(Viewer& v, int32_t page) {
  v.page = std::clamp(page, 1, std::max(v.pages, 1));
  if (wait_hooks.play_sound_effect && !lookback_settings.voice.empty())
    wait_hooks.play_sound_effect(lookback_settings.voice);
  display(v);
}

}  // namespace

int32_t finished_pages() {
  int32_t marks = 0;
  for (int32_t i = write_index() - 1; i >= 0; i--)
    if (is_mark(i)) marks++;
  return std::max(marks - 1, 0);
}

std::string lookback_page(int32_t k) {
  int32_t start = k >= 1 ? mark_back(k + 1) : -1;
  if (start < 0) return "";
  std::string bytes;
  // The copy wraps past the end of the history and stops at the next mark,
  // at the write position, or after one full turn.
  int32_t end = write_index();
  for (int32_t i = (start + 1) % kLookbackSize, n = 0; i != end && n < kLookbackSize;
       i = (i + 1) % kLookbackSize, n++) {
    if (is_mark(i)) break;
    bytes += lookback.history_bytes[i];
  }
  return bytes;
}

int show_lookback() {
  lookback_active = 1;
  Viewer v;
  v.pages = finished_pages();
  if (v.pages == 0) {
    if (wait_hooks.play_menu_sound) wait_hooks.play_menu_sound(4);
    lookback_active = 0;
    return 0;
  }
  v.sprites = lookback_settings.up_sprite >= 0 && lookback_settings.down_sprite >= 0;
  display(v);
  click_flag = right_click_flag = 0;
  KeyRepeat down, up;
  uint32_t quiet_since = platform::clock_ms();  // for --auto-click
  while (!interp::quit_requested) {
    platform::sleep_ms(0);
    platform::Message m;
    bool handled = handle_one_message(m);
    if (handled && m.id != platform::msg_timer && m.id != platform::msg_paint) quiet_since = platform::clock_ms();
    if (uint32_t ms = platform::auto_click_ms(); ms && platform::clock_ms() - quiet_since >= ms) {
      // An automatic click beside the buttons closes the viewer.
      platform::post_pointer_click();
      quiet_since = platform::clock_ms();
    }
    // Headless with every scripted event delivered, no input can come:
    // the window is closed as the player would, so that the run ends.
    if (!handled && platform::headless && !platform::auto_click_ms() && !platform::scripted_events_pending())
      platform::post_message(platform::msg_close);
    if (m.id == platform::msg_mouse_move) {
      int state = state_at(v, m.x, m.y);
      if (state != v.state) display(v);
    } else if (m.id == platform::msg_mouse_wheel) {
      if (m.param < 1) {
        if (v.page < 2) break;
        turn_to(v, v.page - 1);
      } else {
        turn_to(v, v.older() ? v.page + 1 : v.page);
      }
    }
    if (down.due(platform::key_page_down, m) || down.due(platform::key_down, m)) {
      if (v.page < 2) break;
      turn_to(v, v.page - 1);
    }
    if (up.due(platform::key_page_up, m) || up.due(platform::key_up, m)) turn_to(v, v.older() ? v.page + 1 : v.page);
    if (click_flag) {
      click_flag = 0;
      if (v.state == 0) break;
      turn_to(v, v.page + v.state);
    }
    if (right_click_flag || escape_pressed(m)) {
      wait_escape_release();
      right_click_flag = 0;
      break;
    }
    if (!handled && !platform::virtual_clock()) platform::sleep_ms(1);
  }
  lookback_active = 0;
  Viewer gone = v;
  set_sprite_buttons(gone, true);
  refresh_window(false);
  platform::present_display();
  return 1;
}

void load_default_lookback_buttons() {
  if (lookback_settings.buttons_loaded || !screen_link.load_lookback_button) return;
  for (int k = 0; k < 4; k++) screen_link.load_lookback_button(k, lookback_settings.button_tags[k], true);
}

void cmd_lookbackcolor() {
  if (interp::skip_blanks() != '#') interp::report_errorf("エラー", "lookbackcolorのパラメータは#rrggbbの色指定です。");
  int32_t rgb = read_colour_literal();
  lookback_settings.colour[0] = static_cast<uint8_t>(rgb >> 16);
  lookback_settings.colour[1] = static_cast<uint8_t>(rgb >> 8);
  lookback_settings.colour[2] = static_cast<uint8_t>(rgb);
}

void cmd_lookbackbutton() {
  for (int k = 0; k < 4; k++) {
    if (k > 0) interp::expect_comma();
    lookback_settings.button_tags[k] = interp::read_string();
    if (screen_link.load_lookback_button) screen_link.load_lookback_button(k, lookback_settings.button_tags[k], false);
    if (k == 0) lookback_settings.buttons_loaded = true;
  }
}

void cmd_lookbacksp() {
  int32_t up = interp::read_number();
  interp::expect_comma();
  int32_t down = interp::read_number();
  for (int32_t n : {up, down})
    if (n < 0 || n > 255) interp::report_errorf("エラー", "スプライト番号%dは0～255の範囲外です。", n);
  lookback_settings.up_sprite = up;
  lookback_settings.down_sprite = down;
}

void cmd_lookbackvoice() { lookback_settings.voice = interp::read_string(); }

}  // namespace text
