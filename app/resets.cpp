#include "app/resets.h"

#include "app/context.h"
#include "app/input_dialog.h"
#include "app/menu_custom.h"
#include "app/settings.h"
#include "graphics/commands.h"
#include "interp/reset.h"
#include "interp/runloop.h"
#include "platform/dialog.h"
#include "platform/menu.h"
#include "platform/window.h"
#include "save/logs.h"
#include "save/persistent.h"
#include "save/save_commands.h"
#include "save/save_file.h"
#include "script/labels.h"
#include "script/scenario.h"
#include "sound/commands.h"
#include "sound/video.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/reset.h"
#include "text/traps.h"
#include "text/wait.h"
#include "ui/commands.h"

namespace app {

namespace {

// The menu-bar settings and the state the window procedure keeps.
void reset_shell_state() {
  menu_hidden = false;
  custom_cursor = false;
  current_font_item = -1;
  menu_font_face.clear();
  text_speed_setting = 1;
  version_text[0] = "Orvane Version 2.00";
  version_text[1] = "Orvane: a player for scenario scripts on Linux";
  reset_player_settings();
  input_dialog = InputDialogState{};
  platform::clear_dialog_input();
  app_context->last_message = 0;
  app_context->last_x = app_context->last_y = 0;
}

}  // namespace

void reset_all() {
  save::log_clear(save::LabelLog);
  save::log_clear(save::FileLog);
  script::free_scenario();
  script::reset_labels();
  reset_shell_state();
  sound::reset_sound_state();
  reset_for_load();
  text::reset_state();
  graphics::reset_state();
  sound::reset_video();
}

void reset_for_load() {
  interp::reset_state();
  save::reset_persistent_flags();
  save::reset_save_menu_settings();
  save::reset_save_files();
  platform::screen_width = 640;
  platform::screen_height = 480;
  // The menu-bar settings, the sounds and the waits' modes start over as well.
  sound::reset_sound();
  text::reset_wait_defaults();
  text::clear_traps();
  ui::init_ui();
  reset_menu_settings();
  reset_settings();
}

void start_define_block() {
  text::init_message_window();
  text::init_text_output();
  text::init_lookback();
  text::trap_state.click_label.clear();
}

void reset_to_start() {
  sound::reset_sound_to_start();
  text::reset_message_window();
  text::reset_text_output();
  // Cleared before anything below can take a window message.
  interp::rmenu_reset_request = false;
  graphics::reset_pictures();
  text::reset_wait_state();
  text::clear_traps();
  interp::restart_at_start();
  save::reset_save_files();
  text::reset_lookback();
  ui::reset_ui();
}

}  // namespace app
