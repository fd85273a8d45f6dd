#include "interp/command_rows.h"

#include "interp/arithmetic.h"
#include "interp/assign.h"
#include "interp/control_flow.h"
#include "interp/debug.h"
#include "interp/define_commands.h"
#include "interp/strings.h"
#include "interp/system_commands.h"
#include "interp/variables.h"

namespace interp {

namespace {

using interp::CommandRow;

// One row a line, as the command list reads.
// clang-format off
// labels and the define block
const CommandRow define_rows_array[] = {
    {"definereset", cmd_definereset, false},
    {"stralias", cmd_stralias, true},
    {"numalias", cmd_numalias, true},
    {"game", cmd_game, true},
};

// variables and arrays
const CommandRow variable_rows_array[] = {
    {"movl", cmd_movl, false},
    {"dim", cmd_dim, true},
    {"intlimit", cmd_intlimit, true},
};

// control flow
const CommandRow control_flow_rows_array[] = {
    {"end", cmd_end, false},
    {"tablegoto", cmd_tablegoto, false},
    {"jumpf", cmd_jumpf, false},
    {"jumpb", cmd_jumpb, false},
    {"goto", cmd_goto, false},
    {"skip", cmd_skip, false},
    {"gosub", cmd_gosub, false},
    {"for", cmd_for, false},
    {"next", cmd_next, false},
    {"break", cmd_break, false},
    {"return", cmd_return, false},
    {"notif", cmd_notif, false},
    {"if", cmd_if, false},
};

// arithmetic, string and utility commands
const CommandRow utility_rows_array[] = {
    {"getversion", cmd_getversion, false},
    {"winexec", cmd_winexec, false},
    {"filecreate", cmd_filecreate, false},
    {"fileremove", cmd_fileremove, false},
    {"date", cmd_date, false},
    {"time", cmd_time, false},
    {"mov", cmd_mov, false},
    {"mov5", cmd_mov5, false},
    {"mov6", cmd_mov6, false},
    {"mov7", cmd_mov7, false},
    {"mov8", cmd_mov8, false},
    {"mov9", cmd_mov9, false},
    {"mov10", cmd_mov10, false},
    {"mov4", cmd_mov4, false},
    {"mov3", cmd_mov3, false},
    {"rnd", cmd_rnd, false},
    {"rnd2", cmd_rnd2, false},
    {"getreg", cmd_getreg, false},
    {"getini", cmd_getini, false},
    {"itoa", cmd_itoa, false},
    {"atoi", cmd_atoi, false},
    {"add", cmd_add, false},
    {"sub", cmd_sub, false},
    {"inc", cmd_inc, false},
    {"dec", cmd_dec, false},
    {"shell", cmd_shell, false},
    {"mul", cmd_mul, false},
    {"div", cmd_div, false},
    {"mod", cmd_mod, false},
    {"len", cmd_len, false},
    {"mid", cmd_mid, false},
    {"cmp", cmd_cmp, false},
};

// error reporting and debugging aids
const CommandRow debug_rows_array[] = {
    {"errorsave", cmd_errorsave, true},
    {"chkdbg", cmd_chkdbg, true},
    {"createdebugwindow", cmd_createdebugwindow, true},
};
// clang-format on

}  // namespace

const interp::CommandRows define_rows = define_rows_array;
const interp::CommandRows variable_rows = variable_rows_array;
const interp::CommandRows control_flow_rows = control_flow_rows_array;
const interp::CommandRows utility_rows = utility_rows_array;
const interp::CommandRows debug_rows = debug_rows_array;

}  // namespace interp
