// app/menu_custom: the define block's menu customisation, the font menu and the menu's state when the game starts.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/menu.h"

namespace app {

extern int32_t menu_customised;  // `resetmenu` ran in this define block
extern int32_t extended_menu;    // `mode_ext`: keep オートモード and the volume item
extern int32_t mode_saya;        // drawing mode flag of the screen code
extern int32_t mode_kanade;      // behaviour flag of selections and buttons

// The menu strip shows a list and one submenu of it: items go at most two
// submenus deep, so a submenu may be inserted at depth 0 or 1 only.
constexpr int32_t kMaxMenuDepth = 2;

// Installed text fonts (Shift-JIS face names); an entry's index is the menu
// identifier of its font item. At most 999.
const std::vector<std::string>& font_list();
// The identifier of the first font item with that face name; -1 when none.
int32_t font_menu_id(const std::string& face_sjis);
// Inserts an item for every font before the item 40004 of `menu` (searched
// through its submenus).
void fill_font_menu(platform::MenuList& menu);

// The define block has ended: the default font, the custom menu bar with its
// check marks posted, or the standard bar without the extended items.
void finish_menu();

// A full reset: no customisation, the standard menu bar with its fonts.
void reset_menu_settings();

void cmd_resetmenu();
void cmd_insertmenu();
void cmd_killmenu();
void cmd_mode_ext();
void cmd_versionstr();
void cmd_mode_saya();
void cmd_mode_kanade();

}  // namespace app
