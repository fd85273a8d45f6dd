#include "save/command_rows.h"

#include "save/persistent.h"
#include "save/save_commands.h"

namespace save {

namespace {

using interp::CommandRow;

// clang-format off
const CommandRow save_rows_array[] = {
    {"savetime", cmd_savetime, false},
    {"savenumber", cmd_savenumber, true},
    {"savename", cmd_savename, true},
    {"savegame", cmd_savegame, false},
    {"loadgame", cmd_loadgame, false},
    {"savefileexist", cmd_savefileexist, false},
    {"saveon", cmd_saveon, false},
    {"saveoff", cmd_saveoff, false},
};

const CommandRow record_rows_array[] = {
    {"filelog", cmd_filelog, true},
    {"labellog", cmd_labellog, true},
    {"globalon", cmd_globalon, true},
};
// clang-format on

}  // namespace

const interp::CommandRows save_rows = save_rows_array;
const interp::CommandRows record_rows = record_rows_array;

}  // namespace save
