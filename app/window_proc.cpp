#include "app/window_proc.h"

#include "app/context.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/menu_custom.h"
#include "app/screen.h"
#include "interp/debug.h"
#include "interp/runloop.h"
#include "platform/cursor_file.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/msgbox.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "text/message_window.h"
#include "text/wait.h"

namespace app {

AppContext context_record;
AppContext* app_context = &context_record;
bool menu_hidden = false;
bool custom_cursor = false;
int32_t current_font_item = -1;
std::string menu_font_face;
int32_t text_speed_setting = 1;
std::string version_text[2] = {"Orvane Version 2.00", "Orvane: a player for scenario scripts on Linux"};
ShellHooks shell_hooks;

namespace {

void record_position(const platform::Message& m) {
  app_context->last_x = m.x;
  app_context->last_y = m.y;
  text::last_click_x = m.x;
  text::last_click_y = m.y;
}

// A click while automatic or skip mode runs only switches them off.
bool cancels_modes() {
  if (!text::auto_mode && !text::skip_mode) return false;
  text::auto_mode = text::skip_mode = 0;
  return true;
}

void choose_font_item(int32_t id, const std::string& face_sjis) {
  menu_font_face = face_sjis;
  if (current_font_item >= 0) platform::check_menu_item(platform::menu_bar(), current_font_item, false);
  platform::check_menu_item(platform::menu_bar(), id, true);
  current_font_item = id;
  platform::menu_bar_changed();
}

void on_mouse_move(const platform::Message& m) {
  app_context->last_x = m.x;
  app_context->last_y = m.y;
  if (!app_context->full_screen) return;
  if (m.y < 20 && menu_hidden) {
    platform::set_menu_bar_attached(true);
    menu_hidden = false;
    repaint_window();
  } else if (m.y > 19 && !menu_hidden) {
    platform::set_menu_bar_attached(false);
    menu_hidden = true;
    repaint_window();
  }
}

void on_character(int32_t c) {
  text::skip_mode = 0;
  app_context->last_x = c;
  if (c == 'n') platform::post_command(40006);
  if (c == ' ' || c == '\r') text::click_flag = 1;
}

}  // namespace

void run_menu_command(int32_t id) {
  platform::MenuList& menu = platform::menu_bar();
  switch (id) {
    case 40001: platform::post_message(platform::msg_close); break;
    case 40002: enter_full_screen(); break;
    case 40003: leave_full_screen(); break;
    case 40004: choose_font_item(40004, platform::utf8_to_sjis("ＭＳ ゴシック")); break;
    case 40005:
      if (interp::debug_mode)
        edit_variable_by_number();
      else
        show_version_box();
      break;
    case 40006: {
      int state = shell_hooks.read_state_here ? shell_hooks.read_state_here() : -1;
      if (text::read_skip_only && state == 0) break;  // text not read yet
      text::skip_mode = 1;
      break;
    }
    case 40007:
      if (text::autoclick_active) break;
      text::page_click_mode = 1;
      platform::check_radio_item(menu, 40007, {40007, 40008});
      break;
    case 40008:
      text::page_click_mode = 0;
      platform::check_radio_item(menu, 40008, {40007, 40008});
      break;
    case 40014:
    case 40015:
    case 40016:
      text_speed_setting = id - 40014;
      text::message_window.menu_speed_index = text_speed_setting;
      platform::check_radio_item(menu, id, {40014, 40015, 40016});
      break;
    case 40017:
    case 40018:
      waves_enabled = id == 40017;
      platform::check_radio_item(menu, id, {40017, 40018});
      break;
    case 40019: text::auto_mode = 1; break;
    case 40020: show_cd_drive_dialog(); break;
    case 40021:
      platform::check_radio_item(menu, 40021, {40021, 40022});
      if (!cd_enabled) {
        cd_enabled = 1;
        if (shell_hooks.play_cd_track) shell_hooks.play_cd_track();
      }
      break;
    case 40022:
      if (shell_hooks.stop_cd) shell_hooks.stop_cd();
      cd_enabled = 0;
      platform::check_radio_item(menu, 40022, {40021, 40022});
      break;
    case 40024: show_volume_dialog(); break;
    case 40025:
    case 40026:
      text::read_skip_only = id == 40025;
      platform::check_radio_item(menu, id, {40025, 40026});
      break;
    case 40028:
      if (platform::ask_yes_no("リセット確認", "リセットしますか？")) interp::menu_reset_request = true;
      break;
    case 40029: platform::post_command(app_context->full_screen ? 40003 : 40002); break;
    default:
      // A font of the font menu: the font list's name for its identifier,
      // else the item's own label.
      if (platform::MenuItem* item = platform::find_menu_item(menu, id))
        choose_font_item(id, id >= 0 && id < static_cast<int32_t>(font_list().size())
                                 ? font_list()[id]
                                 : platform::utf8_to_sjis(item->text));
      break;
  }
  platform::menu_bar_changed();
}

void window_procedure(const platform::Message& m) {
  app_context->last_message = m.id;
  if (m.id != platform::msg_timer && custom_cursor) {
    int x = 0, y = 0;
    platform::pointer_position(x, y);
    if (x > 0 && x < screen_width && y > 0 && y < screen_height) platform::reapply_cursor();
  }
  switch (m.id) {
    case platform::msg_close: request_close(); break;
    case platform::msg_destroy: on_destroy(); break;
    case platform::msg_size:
      // The window manager left full screen on its own: enter it again.
      if (app_context->full_screen && !platform::full_screen_active()) {
        app_context->full_screen = 0;
        platform::post_command(40002);
      }
      break;
    case platform::msg_paint: platform::present_display(); break;
    case platform::msg_char: on_character(m.param); break;
    case platform::msg_system_key_up:
      if (m.param == platform::key_alt && app_context->full_screen && menu_hidden) {
        platform::set_menu_bar_attached(true);
        menu_hidden = false;
        repaint_window();
      }
      break;
    case platform::msg_command: run_menu_command(m.param); break;
    case platform::msg_timer:
      if (shell_hooks.timer_tick) shell_hooks.timer_tick();
      break;
    case platform::msg_mouse_move: on_mouse_move(m); break;
    case platform::msg_left_button_up:
      if (cancels_modes()) break;
      text::click_flag = 1;
      if (shell_hooks.stop_voice_on_click) shell_hooks.stop_voice_on_click();
      record_position(m);
      break;
    case platform::msg_right_button_up:
      if (cancels_modes()) break;
      text::right_click_flag = 1;
      record_position(m);
      break;
    case platform::msg_left_button_down:
    case platform::msg_right_button_down: record_position(m); break;
    case platform::msg_mouse_wheel: app_context->last_x = m.param; break;
    case platform::msg_mci_notify:
      if (shell_hooks.cd_notify) shell_hooks.cd_notify(m.param);
      break;
    default: break;
  }
}

}  // namespace app
