#include "text/command_rows.h"

#include "text/lookback_commands.h"
#include "text/lookback_viewer.h"
#include "text/output_commands.h"
#include "text/traps.h"
#include "text/wait_commands.h"
#include "text/window_commands.h"

namespace text {

namespace {

using interp::CommandRow;

// One row a line, as the command list reads.
// clang-format off
// message window and text settings
const CommandRow window_rows_array[] = {
    {"windowback", cmd_windowback, true},
    {"noteraseman", cmd_noteraseman, true},
    {"defaultspeed", cmd_defaultspeed, true},
    {"defaultfont", cmd_defaultfont, true},
    {"linkcolor", cmd_linkcolor, true},
    {"locate", cmd_locate, false},
    {"br", cmd_br, false},
    {"textoff", cmd_textoff, false},
    {"texton", cmd_texton, false},
    {"textclear", cmd_textclear, false},
    {"textmode", cmd_textmode, false},
    {"erasetextwindow", cmd_erasetextwindow, false},
    {"textspeed", cmd_textspeed, false},
    {"getcursorpos", cmd_getcursorpos, false},
    {"getnextline", cmd_getnextline, false},
    {"setfont", cmd_setfont, false},
    {"setwindow", cmd_setwindow, false},
    {"setwindow2", cmd_setwindow2, false},
};

// text output
const CommandRow output_rows_array[] = {
    {"texec", cmd_texec, false},
    {"textgosub", cmd_textgosub, true},
    {"linepage", cmd_linepage, true},
    {"clickstr", cmd_clickstr, true},
    {"puttext", cmd_puttext, false},
    {"setcursor", cmd_setcursor, false},
    {"abssetcursor", cmd_abssetcursor, false},
    {"ispage", cmd_ispage, false},
};

// waiting, clicks, skip and auto modes (up to delay; spwait follows)
const CommandRow wait_mode_rows_array[] = {
    {"kidokumode", cmd_kidokumode, false},
    {"automode", cmd_automode, true},
    {"usewheel", cmd_usewheel, true},
    {"useescspc", cmd_useescspc, true},
    {"ctrlalt", cmd_ctrlalt, true},
    {"kidokuskip", cmd_kidokuskip, true},
    {"automode_time", cmd_automode_time, true},
    {"clickvoice", cmd_clickvoice, true},
    {"autoclick", cmd_autoclick, false},
    {"lr_trap", cmd_lr_trap, false},
    {"lr_trap2", cmd_lr_trap2, false},
    {"trap2", cmd_trap2, false},
    {"timertrap", cmd_timertrap, false},
    {"trap", cmd_trap, false},
    {"skipoff", cmd_skipoff, false},
    {"delay", cmd_delay, false},
};

// waiting, clicks, skip and auto modes (from wait on)
const CommandRow wait_rows_array[] = {
    {"wait", cmd_wait, false},
    {"resettimer", cmd_resettimer, false},
    {"waittimer", cmd_waittimer, false},
    {"gettimer", cmd_gettimer, false},
    {"click", cmd_click, false},
    {"clickpos", cmd_clickpos, false},
    {"getmousepos", cmd_getmousepos, false},
};

// lookback
const CommandRow lookback_rows_array[] = {
    {"lookbacksp", cmd_lookbacksp, true},
    {"lookbackbutton", cmd_lookbackbutton, true},
    {"lookbackcolor", cmd_lookbackcolor, true},
    {"lookbackvoice", cmd_lookbackvoice, true},
    {"lookbackon", cmd_lookbackon, false},
    {"lookbackoff", cmd_lookbackoff, false},
    {"textcommit", cmd_textcommit, false},
    {"gettext", cmd_gettext, false},
    {"lookbackflush", cmd_lookbackflush, false},
};
// clang-format on

}  // namespace

const interp::CommandRows window_rows = window_rows_array;
const interp::CommandRows output_rows = output_rows_array;
const interp::CommandRows wait_mode_rows = wait_mode_rows_array;
const interp::CommandRows wait_rows = wait_rows_array;
const interp::CommandRows lookback_rows = lookback_rows_array;

}  // namespace text
