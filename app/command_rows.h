// app/command_rows: the commands of the main window and the menu bar, in the command list's order.
#pragma once
#include "interp/dispatch.h"

namespace app {

extern const interp::CommandRows window_rows;    // start-up and the main window
extern const interp::CommandRows menu_rows;      // menu-bar commands
extern const interp::CommandRows settings_rows;  // settings and menu customisation
extern const interp::CommandRows dialog_rows;    // dialogs

}  // namespace app
