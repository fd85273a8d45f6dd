// text/lookback_viewer: the viewer that pages back through the lookback history inside the message window.
#pragma once
#include <cstdint>
#include <string>

namespace text {

// Pages back through the finished pages, the last finished one first, with
// the wheel, Page Up/Down, the arrow keys and the two arrow buttons; a
// right click, Escape, a click beside the buttons or a wheel turn towards
// the player on the newest page closes it. 0 when no page was finished
// (the fifth menu sound is played), 1 after the viewer ran.
int show_lookback();

// The number of finished pages the history holds.
int32_t finished_pages();

// The text of finished page k (1 the newest): its bytes from just after the
// (k+1)-th page mark counted back from the write position up to the next
// mark; empty when there is no such page.
std::string lookback_page(int32_t k);

// Loads the four default button pictures (a missing file gives a blank
// picture) unless lookbackbutton did; run once the define block is over.
void load_default_lookback_buttons();

// The define commands of the viewer.
void cmd_lookbackcolor();   // #rrggbb
void cmd_lookbackbutton();  // up highlighted, up, down highlighted, down
void cmd_lookbacksp();      // up sprite, down sprite
void cmd_lookbackvoice();   // name

}  // namespace text
