// interp/debug: aids for scenario writers: errorsave, the debug caption, chkdbg, debug.580.
#pragma once
#include <string>

namespace interp {

// Set by `createdebugwindow`: every displayed text line updates debug_caption.
extern bool debug_caption_flag;
// The caption the main window shows in debug-caption mode (Shift-JIS):
// "(DebugMode) N.txt line:L", or "---" while skipping.
extern std::string debug_caption;
// Set at start-up when "debug.580" exists in the game folder.
extern bool debug_mode;

// Recomputes debug_caption for the current position (when the flag is on).
// `skipping`: skip mode is on or the skip key is held.
void update_debug_caption(bool skipping);

// Tests for "debug.580" (start-up).
void check_debug_marker();

void cmd_errorsave();
void cmd_createdebugwindow();
void cmd_chkdbg();  // chkdbg %v: 1 when the file "72604183" exists

}  // namespace interp
