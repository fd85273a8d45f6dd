// interp/runloop: the main loop that executes the scenario, and the reset to *start.
#pragma once
#include <cstdint>
#include <string>

namespace interp {

// 1 while the *define block runs, 0 afterwards. Handlers read it when a
// command behaves differently during definition.
extern int define_mode;
// Set by `game`: run_loop in define mode returns after that command.
extern bool define_finished;
// Set by `definereset`: run_loop returns, the start-up sequence reloads.
extern bool restart_requested;
// Set by `end` (and later by closing the window): run_loop returns and the
// program ends with status 0.
extern bool quit_requested;
// Reset requests of the menu bar and of the right-click menu.
extern bool menu_reset_request;
extern bool rmenu_reset_request;
// The save point: set by `saveon` and by reset_to_start, cleared by `saveoff`.
extern bool save_point_flag;
// How text lines are assembled: `linepage` ends every line with a page wait
// ('\'); with `textgosub` on, '@' and '\' end the line.
extern bool line_page_mode;
extern bool text_gosub_mode;

// Runs the scenario from the ScriptPosition. With define_mode 1 it starts at
// *define and returns after `game`; with 0 it returns when a restart or the
// end of the program is requested.
void run_loop(int define_mode);

// Clears the run-time state and continues at *start: the subsystems' resets
// in app/'s fixed order (hooks.reset_to_start), or the interpreter's own part
// alone when nothing else is joined.
void reset_to_start();
// The interpreter's part of it: the save point, the right-click menu's
// request, local variables, the call stack, and the position at *start.
void restart_at_start();

// The run loop's flags at their start values.
void reset_run_state();

// Assembles the text line at the ScriptPosition (variables substituted,
// full-width digits, line-page mark) and leaves the position at its end.
// Returns the Shift-JIS line; it never exceeds kTextLineCapacity - 1 bytes.
constexpr int kTextLineCapacity = 528;
std::string assemble_text_line();

}  // namespace interp
