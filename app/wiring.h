// app/wiring: where the subsystems are joined: the command table and every hook slot, set once.
#pragma once

namespace app {

// Installs the joined command table and fills interp::hooks, the text
// system's screen link and wait hooks, and the picture code's hooks. The
// one writer of each slot; idempotent. The program and the tests call it
// before anything runs.
void connect_subsystems();

}  // namespace app
