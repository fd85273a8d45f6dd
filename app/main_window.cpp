#include "app/main_window.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/context.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/window_proc.h"
#include "graphics/surface.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "platform/clock.h"
#include "platform/cursor_file.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/lock.h"
#include "platform/menu.h"
#include "platform/messages.h"
#include "platform/msgbox.h"
#include "platform/player_files.h"
#include "platform/sjis.h"
#include "platform/tempdir.h"
#include "platform/window.h"
#include "text/transcript.h"
#include "text/wait.h"

namespace app {

namespace {

// The picture the window shows until the screen code registers its own.
graphics::DibSurface fallback_display;

void post_pointer_move(int x, int y) {
  platform::Message m;
  m.id = platform::msg_mouse_move;
  m.x = x;
  m.y = y;
  platform::post_message(m);
}

void ensure_display_surface() {
  graphics::DibSurface* s = platform::display_surface();
  if (s && s != &fallback_display) return;
  if (fallback_display.width != screen_width || fallback_display.height != screen_height)
    graphics::create_surface(fallback_display, screen_width, screen_height);
  platform::set_display_surface(&fallback_display);
}

}  // namespace

bool open_main_window() {
  ensure_display_surface();
  platform::set_window_procedure(window_procedure);
  platform::set_accelerator(platform::key_enter, true, 40029);  // "IDA_ACE": Alt+Enter
  platform::menu_bar() = platform::idr_menu();
  app_context->full_screen = 0;
  menu_hidden = false;
  return platform::create_main_window(screen_width, screen_height);
}

void show_main_window_for_game() {
  ensure_display_surface();
  platform::resize_main_window(screen_width, screen_height);
  platform::menu_bar_changed();
  platform::show_main_window();
  repaint_window();
  platform::sleep_ms(500);
  platform::set_timer(1, 100);
}

void repaint_window() { platform::present_display(); }

void enter_full_screen() {
  platform::check_radio_item(platform::menu_bar(), 40002, {40002, 40003});
  platform::menu_bar_changed();
  if (app_context->full_screen) return;
  repaint_window();
  if (!platform::set_full_screen(true)) return;
  platform::set_menu_bar_attached(false);
  app_context->full_screen = 1;
  menu_hidden = true;
  repaint_window();
  post_pointer_move(0, 1);  // brings the strip back while the pointer is near the top
}

void leave_full_screen() {
  if (menu_hidden) {
    platform::set_menu_bar_attached(true);
    menu_hidden = false;
    repaint_window();
  }
  platform::check_radio_item(platform::menu_bar(), 40003, {40002, 40003});
  platform::menu_bar_changed();
  if (!app_context->full_screen) return;
  app_context->full_screen = 0;
  bool left = false;
  for (int attempt = 0; attempt < 10 && !left; ++attempt) {
    left = platform::set_full_screen(false);
    if (!left) platform::sleep_ms(5);
  }
  if (!left) return;
  repaint_window();
  post_pointer_move(0, 1);
}

void request_close() {
  platform::kill_timer(1);
  if (!platform::ask_yes_no("終了確認", "終了しますか？", platform::BoxIcon::question)) {
    platform::set_timer(1, 100);
    return;
  }
  platform::release_instance_lock();
  text::skip_mode = text::auto_mode = 0;
  text::autoclick_active = 0;
  on_destroy();
}

void shutdown_program() {
  static bool done = false;
  if (done) return;
  done = true;
  if (shell_hooks.save_persistent) shell_hooks.save_persistent();
  platform::finish_player_file_writes();
  if (shell_hooks.stop_all_sound) shell_hooks.stop_all_sound();
  platform::kill_timer(1);
  text::close_transcript();
  platform::destroy_main_window();
  platform::remove_temp_folder();
  platform::release_instance_lock();
}

void on_destroy() {
  shutdown_program();
  std::fflush(nullptr);
  std::exit(0);
}

void cmd_caption() {
  std::string text = interp::read_string();
  platform::set_window_caption(platform::sjis_to_utf8(text));
}

void cmd_minimizewindow() { platform::minimise_main_window(); }

void cmd_movemousecursor() {
  int32_t x = interp::read_number();
  interp::expect_comma();
  int32_t y = interp::read_number();
  platform::move_pointer(x, y);
}

void cmd_mousecursor() {
  std::string name = interp::read_string();
  if (!name.empty() && name[0] == 'o') {
    if (name != "off") interp::report_errorf("エラー", "mousecursorのパラメータは、offかファイル名です。");
    platform::use_arrow_cursor();
    custom_cursor = false;
    return;
  }
  std::string path = platform::game_path(name);
  std::string extracted;
  if (!platform::game_file_exists(name)) {
    if (shell_hooks.extract_to_temp) extracted = shell_hooks.extract_to_temp(name);
    if (extracted.empty()) interp::report_errorf("エラー", "カーソルファイルが見つかりません。");
    path = extracted;
  }
  // A file that is no cursor leaves the arrow in place rather than ending
  // the game over a pointer picture.
  if (platform::use_cursor_file(path))
    custom_cursor = true;
  else
    std::fprintf(stderr, "orvane: %s is not a cursor file\n", platform::sjis_to_utf8(name).c_str());
  if (!extracted.empty()) unlink(extracted.c_str());
}

}  // namespace app
