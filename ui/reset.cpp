// The subsystem's resets: every selection, button and right-click setting at start, and what `reset` changes.
#include "ui/buttons.h"
#include "ui/commands.h"
#include "ui/right_click.h"
#include "ui/system_menu.h"
#include "ui/selection.h"

namespace ui {

void init_ui() {
  init_selections();
  init_buttons();
  init_right_click();
  init_system_menu();
}

void reset_ui() { reset_right_click(); }

}  // namespace ui
