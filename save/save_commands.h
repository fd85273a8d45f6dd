// save/save_commands: the script commands of save files and of the persistent records.
#pragma once
#include <cstdint>
#include <string>

namespace save {

// The save and load menus' settings (savenumber, savename); Shift-JIS.
struct SaveMenuSettings {
  int32_t slot_count = 9;
  std::string save_title, load_title, slot_word;
};
extern SaveMenuSettings save_menu_settings;
// Start values ("＜セーブ＞", "＜ロード＞", "しおり", 9 slots).
void reset_save_menu_settings();

void cmd_savegame();
void cmd_loadgame();
void cmd_savefileexist();
void cmd_saveon();
void cmd_saveoff();
void cmd_savename();
void cmd_savenumber();
void cmd_savetime();

}  // namespace save
