// save/save_point: when the run loop's save point turns into a snapshot.
#pragma once
#include <cstdint>

namespace save {

// Called by the run loop on every pass in run mode, before it looks at the
// byte at the ScriptPosition. A pass is a save point when the save-point
// flag is set and the message window's write position is column 0, row 0.
//
// A save point before a text line is taken at once. Before a command it is
// only noted: commands at the top of a page often run in long loops, and
// the snapshot costs far more than such a command. The noted point is taken
// when the next pass is no save point, when a save file is written and
// when an error box writes its save; a later save point replaces it. A
// command between the noted pass and its snapshot is one that ends the
// page's top (its own changes are in the snapshot and it runs again after
// a load) or one that saves (whose state is the one a player expects).
void save_point_pass();

// Takes the noted save point now, if there is one.
void settle_save_point();

// The noted save point (tests).
bool save_point_noted();

// Forgets a noted save point (reset, restart, load).
void forget_save_point();

}  // namespace save
