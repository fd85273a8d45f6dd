// ui/command_rows: the commands of selections and buttons, one group per kind, in the command list's order.
#pragma once
#include "interp/dispatch.h"

namespace ui {

extern const interp::CommandRows selection_rows;  // selections
extern const interp::CommandRows button_rows;     // buttons

}  // namespace ui
