#include "app/menu_commands.h"

#include "platform/clock.h"
#include "platform/messages.h"
#include "text/wait.h"

namespace app {

namespace {

// Pumps 50 messages, posts the command, pumps 50 more; the command runs in
// the window procedure as a chosen menu item would.
void act_as_menu(int32_t id, uint32_t sleep_ms) {
  for (int i = 0; i < 50; ++i) {
    text::pump_one_message();
    platform::sleep_ms(sleep_ms);
  }
  platform::post_command(id);
  for (int i = 0; i < 50; ++i) {
    text::pump_one_message();
    platform::sleep_ms(sleep_ms);
  }
}

}  // namespace

void cmd_menu_full() { act_as_menu(40002, 1); }
void cmd_menu_window() { act_as_menu(40003, 0); }
void cmd_menu_click_def() { act_as_menu(40008, 1); }
void cmd_menu_click_page() { act_as_menu(40007, 1); }
void cmd_menu_automode() { act_as_menu(40019, 1); }
void cmd_menu_dwavvol() { act_as_menu(40024, 1); }
void cmd_menu_cd_on() { act_as_menu(40021, 1); }
void cmd_menu_cd_off() { act_as_menu(40022, 1); }

}  // namespace app
