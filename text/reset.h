// text/reset: the text system's whole state back at its start values.
#pragma once

namespace text {

// The message window and its define-block layout, text output and links,
// the lookback history, the waits' modes and defaults, the traps, the click
// cursor's place and the last click. The transcript (opened from the
// command line) and the hooks app/ set stay.
void reset_state();

}  // namespace text
