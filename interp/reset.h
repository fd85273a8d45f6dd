// interp/reset: the interpreter's whole state back at its start values.
#pragma once

namespace interp {

// Variables, limits, aliases and arrays; the call stack and re-wait; the run
// loop's flags; the position; `errorsave`; the debug caption; the random
// generator's seed. The debug marker (read once at start-up from the game
// folder) and the command table stay.
void reset_state();

}  // namespace interp
