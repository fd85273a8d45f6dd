// interp/command_rows: the interpreter's commands, one group per kind, in the command list's order.
#pragma once
#include "interp/dispatch.h"

namespace interp {

extern const interp::CommandRows define_rows;        // labels and the define block
extern const interp::CommandRows variable_rows;      // variables and arrays
extern const interp::CommandRows control_flow_rows;  // control flow
extern const interp::CommandRows utility_rows;       // arithmetic, string and utility commands
extern const interp::CommandRows debug_rows;         // error reporting and debugging aids

}  // namespace interp
