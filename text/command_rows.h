// text/command_rows: the text system's commands, one group per kind, in the command list's order.
#pragma once
#include "interp/dispatch.h"

namespace text {

extern const interp::CommandRows window_rows;     // message window and text settings
extern const interp::CommandRows output_rows;     // text output
extern const interp::CommandRows wait_mode_rows;  // waiting, clicks, skip and auto modes (up to delay; spwait follows)
extern const interp::CommandRows wait_rows;       // waiting, clicks, skip and auto modes (from wait on)
extern const interp::CommandRows lookback_rows;   // lookback

}  // namespace text
