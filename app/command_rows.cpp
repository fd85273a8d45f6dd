#include "app/command_rows.h"

#include "app/dialogs.h"
#include "app/input_dialog.h"
#include "app/main_window.h"
#include "app/menu_commands.h"
#include "app/menu_custom.h"

namespace app {

namespace {

using interp::CommandRow;

// One row a line, as the command list reads.
// clang-format off
// start-up and the main window
const CommandRow window_rows_array[] = {
    {"mousecursor", cmd_mousecursor, false},
    {"caption", cmd_caption, false},
    {"movemousecursor", cmd_movemousecursor, false},
    {"minimizewindow", cmd_minimizewindow, false},
};

// menu-bar commands
const CommandRow menu_rows_array[] = {
    {"menu_full", cmd_menu_full, false},
    {"menu_click_page", cmd_menu_click_page, false},
    {"menu_automode", cmd_menu_automode, false},
    {"menu_dwavvol", cmd_menu_dwavvol, false},
    {"menu_click_def", cmd_menu_click_def, false},
    {"menu_cd_on", cmd_menu_cd_on, false},
    {"menu_cd_off", cmd_menu_cd_off, false},
    {"menu_window", cmd_menu_window, false},
};

// settings and menu customisation
const CommandRow settings_rows_array[] = {
    {"resetmenu", cmd_resetmenu, true},
    {"insertmenu", cmd_insertmenu, true},
    {"mode_ext", cmd_mode_ext, true},
    {"mode_kanade", cmd_mode_kanade, true},
    {"mode_saya", cmd_mode_saya, true},
    {"versionstr", cmd_versionstr, true},
    {"killmenu", cmd_killmenu, true},
};

// dialogs
const CommandRow dialog_rows_array[] = {
    {"mesbox", cmd_mesbox, false},
    {"inputstr", cmd_inputstr, false},
    {"input", cmd_input, false},
    {"inputnum", cmd_inputnum, false},
};
// clang-format on

}  // namespace

const interp::CommandRows window_rows = window_rows_array;
const interp::CommandRows menu_rows = menu_rows_array;
const interp::CommandRows settings_rows = settings_rows_array;
const interp::CommandRows dialog_rows = dialog_rows_array;

}  // namespace app
