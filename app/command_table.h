// app/command_table: the one command table, joined from every subsystem's row groups.
#pragma once
#include "interp/dispatch.h"

namespace app {

// Every command in the order of the command list (app/command_table.cpp
// lists the groups). Built once; lives as long as the program.
interp::CommandRows joined_command_table();

}  // namespace app
