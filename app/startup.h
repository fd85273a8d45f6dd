// app/startup: the command line and the reset loop that loads and runs the game.
#pragma once

namespace app {

// Parses the command line, enters the game folder and plays the game.
// Returns the process exit status: 0 after `end`, 2 for a bad command line
// (a fatal error box ends the process with 1 on its own).
int run_program(int argc, char** argv);

// The reset loop: load the scenario, scan the labels, run *define, then
// *start; again from loading after `definereset`. Returns when the game ends.
void play_game();

}  // namespace app
