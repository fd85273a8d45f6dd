// save/command_rows: the commands of save files and of the persistent records, in the command list's order.
#pragma once
#include "interp/dispatch.h"

namespace save {

extern const interp::CommandRows save_rows;    // save-game files
extern const interp::CommandRows record_rows;  // global variables, read-text record and logs

}  // namespace save
