// app/window_proc: the main window's procedure: input into flags, paint, and the menu-bar commands.
#pragma once
#include "platform/messages.h"

namespace app {

void window_procedure(const platform::Message& m);

// Runs one menu-bar command (the low word of a command message).
void run_menu_command(int32_t id);

}  // namespace app
