// ui/button_wait: the button waits (btnwait, btnwait2, textbtnwait, selectbtnwait) and the text-link wait (tbtnwait).
#pragma once
#include <cstdint>

#include "platform/messages.h"

namespace ui {

enum class ButtonWaitMode {
  btnwait,        // the table is emptied after a click on a button
  btnwait2,       // the table stays
  textbtnwait,    // also the click wait of the text: skip, auto mode and autoclick end it with 0
  selectbtnwait,  // as textbtnwait, the message window neither erased nor cleared
};

// Runs a button wait and returns its result: the number of the button
// clicked (0 for a click on none), -1 right click, -2/-3 wheel away/towards,
// -4 pointer outside btnarea's band, -2 (-5 with usewheel) time-out, and
// the key codes of the key options. Emptying the table is the caller's.
int32_t run_button_wait(ButtonWaitMode mode);

// One pointer move as the wait handles it: hit test and highlight change.
// (The wait's own step; exported for timing.)
void button_pointer_moved(int x, int y);
// The button highlighted now, or -1; forgets it (start of a wait).
int highlighted_button();
void forget_highlight();

// tbtnwait: waits on the text links of the page; returns the clicked
// link's number (0 for a click on none) or -1 for a right click, and
// empties the link list.
int32_t run_link_wait();

}  // namespace ui
