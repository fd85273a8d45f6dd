#include "ui/menu.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/effect.h"
#include "graphics/screen.h"
#include "interp/runloop.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/mode.h"
#include "platform/window.h"
#include "text/glyph_blend.h"
#include "text/lookback_viewer.h"
#include "text/message_window.h"
#include "text/wait.h"
#include "ui/hooks.h"
#include "ui/input_watch.h"
#include "ui/right_click.h"
#include "ui/selection.h"

namespace ui {

namespace {

bool screen_tinted = false;

bool kanade() { return ui_hooks.mode_kanade && ui_hooks.mode_kanade(); }

// The item under a point, or -1.
int item_at(const ListItem* items, int count, int x, int y) {
  for (int k = 0; k < count; k++) {
    const ListItem& it = items[k];
    if (x >= it.left && x <= it.right && y >= it.top && y <= it.bottom) return k;
  }
  return -1;
}

// What a selection does when nobody answers it: --choose picks its item at
// once, or after the --auto-click time like the first item; a menu idle
// that long is cancelled. True when it acted.
bool answer_for_idle_player(const ListItem* items, int count, const ListLook& look, uint32_t quiet_ms,
                            bool& answered_at_once) {
  uint32_t idle = platform::auto_click_ms();
  int choose = platform::choose_item();
  bool due = idle ? quiet_ms >= idle : (choose >= 0 && !answered_at_once);
  if (!due || count <= 0) return false;
  answered_at_once = true;
  if (look.menu) {
    int x = 0, y = 0;
    platform::pointer_position(x, y);
    platform::post_message_at(platform::msg_right_button_down, x, y);
    platform::post_message_at(platform::msg_right_button_up, x, y);
    return true;
  }
  const ListItem& it = items[std::clamp(choose, 0, count - 1)];
  warp_pointer(std::clamp(it.pointer_x, it.left, it.right), std::clamp(it.pointer_y, it.top, it.bottom));
  platform::post_pointer_click();
  return true;
}

}  // namespace

void draw_list_item(const ListItem& item, int32_t colour) {
  if (item.absolute) {
    draw_choice_text_at(item.text, item.column, item.row, colour);
    return;
  }
  int32_t column = item.column, row = item.row;
  draw_choice_text(item.text, column, row, colour);
}

void draw_list_item(const ListItem& item) { draw_list_item(item, item.colour_off); }

int run_list(ListItem* items, int count, const ListLook& look) {
  platform::remove_messages(platform::msg_left_button_up);
  platform::remove_messages(platform::msg_char);
  text::click_flag = text::right_click_flag = 0;
  auto post_pointer = [] {
    int x = 0, y = 0;
    platform::pointer_position(x, y);
    platform::post_message_at(platform::msg_mouse_move, x, y);
  };
  if (!kanade()) post_pointer();
  int selected = -1;
  KeyWatch up{platform::key_up}, down{platform::key_down}, escape{platform::key_escape};
  KeyWatch left{platform::key_left}, right{platform::key_right};
  uint32_t quiet_since = platform::clock_ms();
  bool answered_at_once = false;
  while (true) {
    if (interp::quit_requested) return 0;
    if (interp::menu_reset_request) return -1;
    platform::sleep_ms(0);
    platform::Message m;
    bool handled = text::handle_one_message(m);
    uint32_t now = platform::clock_ms();
    if (handled && is_player_input(m)) quiet_since = now;
    if (answer_for_idle_player(items, count, look, now - quiet_since, answered_at_once)) quiet_since = now;

    // Arrow keys move the pointer to the previous or next item.
    bool foreground = platform::main_window_is_foreground();
    bool go_up = key_pressed(up, m, now) && foreground;
    bool go_down = key_pressed(down, m, now) && foreground;
    if (look.sideways) {
      go_up = (key_pressed(left, m, now) && foreground) || go_up;
      go_down = (key_pressed(right, m, now) && foreground) || go_down;
    }
    if ((go_up || go_down) && count > 0) {
      int k = go_up ? (selected <= 0 ? count - 1 : selected - 1)
                    : (selected < 0 || selected >= count - 1 ? 0 : selected + 1);
      warp_pointer(items[k].pointer_x, items[k].pointer_y);
    }

    if (m.id == platform::msg_mouse_move) {
      int k = item_at(items, count, m.x, m.y);
      if (k != selected) {
        if (k >= 0) play_system_sound(look.over_sound);
        if (selected >= 0) draw_list_item(items[selected]);
        if (k >= 0) draw_list_item(items[k], look.colour_on);
        selected = k;
      }
    }

    if (text::click_flag) {
      text::click_flag = 0;
      if (selected >= 0) {
        if (items[selected].usable) {
          const std::string& sound = items[selected].click_sound;
          play_system_sound(sound.empty() ? look.click_sound : sound);
          draw_list_item(items[selected]);
          return selected;
        }
        play_system_sound(look.refused_sound);
      }
    }

    if (m.id == platform::msg_mouse_wheel && m.param > 0) text::show_lookback();

    bool escape_pressed = key_pressed(escape, m, now) && foreground;
    if (text::right_click_flag || escape_pressed || text::escape_held()) {
      text::wait_until_released(false);
      text::right_click_flag = 0;
      escape.down = false;
      if (look.menu) {
        play_system_sound(look.cancel_sound);
        if (selected >= 0) draw_list_item(items[selected]);
        return -1;
      }
      if (selected >= 0) draw_list_item(items[selected]);
      selected = -1;
      if (show_right_click_menu(-1)) return -1;
      text::click_flag = text::right_click_flag = 0;
      post_pointer();
    }
    if (!handled && platform::choose_item() < 0) close_when_no_input_can_come("selection");
    if (!look.menu) text::advance_animations();
    rest_after_empty_pass(handled);
  }
}

int run_choice_list(int count, int32_t start_column, int32_t start_row, const std::string* texts) {
  const SelectionSettings& s = selection_settings;
  play_system_sound(menu_mode ? s.menu_voice[menu_voice_open] : s.select_voice[select_voice_open]);
  text::skip_mode = 0;
  count = std::clamp(count, 0, kMaxChoices);
  std::vector<ListItem> items(count);
  ListLook look;
  if (menu_mode) {
    look = menu_look();
    const MenuLayout& l = s.menu_layout;
    int32_t longest = 0;
    for (int k = 0; k < count; k++) longest = std::max<int32_t>(longest, static_cast<int32_t>(texts[k].size()));
    int32_t half = static_cast<int32_t>(int64_t{l.pitch_x} * longest / 4);
    int32_t x = platform::screen_width / 2 - half;
    for (int k = 0; k < count; k++) {
      int32_t y = static_cast<int32_t>(platform::screen_height / 2 + int64_t{k - count / 2} * l.pitch_y);
      ListItem& it = items[k];
      it = menu_item(texts[k], x, y, s.menu_colour_off);
      it.right = platform::screen_width / 2 + half - 1;
      draw_list_item(it);
    }
  } else {
    look.colour_on = s.select_colour_on;
    look.over_sound = s.select_voice[select_voice_over];
    look.click_sound = s.select_voice[select_voice_click];
    text::MessageWindow& w = text::message_window;
    if (!w.window_shown) text::show_message_window();
    // Each item starts at the start column on a row of its own; the rows
    // it takes and the widest item decide where the pointer finds it.
    std::vector<int32_t> first_row(count + 1);
    int32_t row = start_row, width = 0;
    for (int k = 0; k < count; k++) {
      ListItem& it = items[k];
      it.text = texts[k];
      it.column = start_column;
      it.row = row;
      it.colour_off = s.select_colour_off;
      first_row[k] = row;
      int32_t column = start_column;
      width = std::max(width, draw_choice_text(it.text, column, row, it.colour_off));
    }
    first_row[count] = row;
    for (int k = 0; k < count; k++) {
      ListItem& it = items[k];
      it.left = static_cast<int32_t>(int64_t{w.text_origin_x} + start_column + 1);
      it.right = static_cast<int32_t>(int64_t{w.text_origin_x} + (int64_t{start_column} + width) * w.pitch_x);
      it.top = static_cast<int32_t>(int64_t{w.text_origin_y} + int64_t{first_row[k]} * w.pitch_y);
      it.bottom = static_cast<int32_t>(int64_t{w.text_origin_y} + int64_t{first_row[k + 1]} * w.pitch_y - 1);
      it.pointer_x = it.left;
      it.pointer_y = it.top;
    }
  }
  return run_list(items.data(), count, look);
}

void enter_menu_mode() {
  menu_mode = true;
  screen_tinted = false;
}

void clear_menu_screen() { screen_tinted = false; }

void leave_menu_mode() {
  menu_mode = false;
  screen_tinted = false;
  graphics::mark_whole_screen();
  graphics::refresh_screen(1, 0, "");
}

void tint_menu_screen() {
  if (!menu_mode || screen_tinted) return;
  screen_tinted = true;
  graphics::Screen& s = graphics::TheScreen;
  text::MessageWindow& w = text::message_window;
  int32_t draw_window = w.draw_window, shown = w.window_shown;
  w.draw_window = 0;
  graphics::compose_screen(nullptr);
  w.draw_window = draw_window;
  w.window_shown = shown;
  uint32_t tint = static_cast<uint32_t>(selection_settings.menu_layout.tint);
  uint8_t table[3][256];
  const unsigned channel[3] = {tint & 0xFF, (tint >> 8) & 0xFF, (tint >> 16) & 0xFF};  // blue, green, red
  for (int k = 0; k < 3; k++)
    for (unsigned v = 0; v < 256; v++) table[k][v] = text::blend_product(v, channel[k]);
  int height = std::min(s.work.height, s.display.height), width = std::min(s.work.width, s.display.width);
  for (int y = 0; y < height; y++) {
    uint8_t* p = s.work.row(y);
    for (int x = 0; x < s.work.width; x++, p += 3) {
      p[0] = table[0][p[0]];
      p[1] = table[1][p[1]];
      p[2] = table[2][p[2]];
    }
    std::memcpy(s.display.row(y), s.work.row(y), 3 * static_cast<size_t>(width));
  }
  platform::present_display();
}

int32_t menu_centred_x(int32_t byte_length) {
  return static_cast<int32_t>(platform::screen_width / 2 -
                              int64_t{selection_settings.menu_layout.pitch_x} * byte_length / 4);
}

ListItem menu_item(const std::string& text, int32_t x, int32_t y, int32_t colour_off, int32_t byte_length) {
  const MenuLayout& l = selection_settings.menu_layout;
  if (byte_length <= 0) byte_length = static_cast<int32_t>(text.size());
  ListItem it;
  it.text = text;
  it.column = x;
  it.row = y;
  it.absolute = true;
  it.left = x;
  it.top = y;
  it.right = static_cast<int32_t>(x + int64_t{l.pitch_x} * byte_length / 2 - 1);
  it.bottom = static_cast<int32_t>(y + int64_t{l.pitch_y} - 1);
  it.pointer_x = x;
  it.pointer_y = y;
  it.colour_off = colour_off;
  return it;
}

ListLook menu_look() {
  const SelectionSettings& s = selection_settings;
  ListLook look;
  look.menu = true;
  look.colour_on = s.menu_colour_on;
  look.over_sound = s.menu_voice[menu_voice_over];
  look.click_sound = s.menu_voice[menu_voice_click];
  look.cancel_sound = s.menu_voice[menu_voice_cancel];
  return look;
}

}  // namespace ui
