// graphics/click_cursor: the two click-wait cursors, drawn over the display with their backdrop kept.
#pragma once
#include <cstdint>

#include "graphics/image.h"

namespace graphics {

constexpr int kNormalCursor = 0, kPageCursor = 1;
extern ImageRecord ClickCursors[2];

// Loads ":l/3,160,2;cursor0.bmp" and ":l/3,160,2;cursor1.bmp". A missing
// file gives a blank picture; under jpegmode the ".jpg" of the same name is
// tried first, and when that is missing too it is the jpegmode error box.
void load_click_cursors();

// Keeps the display area under cursor k at (x, y): one cell and one pixel
// more each way. Called when a click wait with a cursor begins.
void save_cursor_backdrop(int k, int x, int y);

// Steps cursor k when its interval has passed (pictures of one cell never
// show): puts the backdrop back, draws the new cell at (x, y) on the display
// and shows it. True when it was drawn.
bool step_click_cursor(int k, int x, int y, uint32_t now);

// Puts the kept backdrop back on the display and shows it (end of the wait).
void restore_cursor_backdrop();

}  // namespace graphics
