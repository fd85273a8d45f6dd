// ui/command_rows: the commands of selections, buttons and the right-click menu, one group per kind, in the command
// list's order.
#pragma once
#include "interp/dispatch.h"

namespace ui {

extern const interp::CommandRows selection_rows;    // selections
extern const interp::CommandRows button_rows;       // buttons
extern const interp::CommandRows system_menu_rows;  // right-click menu and system calls

}  // namespace ui
