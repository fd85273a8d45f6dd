// app/resets: every subsystem's reset, in one fixed order, for each occasion.
#pragma once

namespace app {

// Everything at its start values: program start, and each test.
void reset_all();

// Before the scenario is (re)loaded: start-up and `definereset`. The
// interpreter starts over; the menu bar and the waits' modes too.
void reset_for_load();

// The *define block begins (interp::hooks.start_define_block): the text
// system's start values.
void start_define_block();

// `reset` and the menus' reset (interp::hooks.reset_to_start): message
// window, text output, pictures, waits, traps, then the interpreter at
// *start, then the lookback.
void reset_to_start();

}  // namespace app
