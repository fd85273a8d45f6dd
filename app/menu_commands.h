// app/menu_commands: the script commands that act as if the player chose a menu item.
#pragma once

namespace app {

void cmd_menu_full();
void cmd_menu_window();
void cmd_menu_click_def();
void cmd_menu_click_page();
void cmd_menu_automode();
void cmd_menu_dwavvol();
void cmd_menu_cd_on();
void cmd_menu_cd_off();

}  // namespace app
