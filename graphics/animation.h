// graphics/animation: stepping the cells of animated pictures.
#pragma once
#include <cstdint>

#include "graphics/image.h"

namespace graphics {

// Steps the record's cell when its interval has passed since the last step
// (the per-cell interval of the current cell when cell_interval_ms is -1).
// Returns true when the cell changed; a picture that stopped on its last cell
// (mode 1) or is stepped by commands only (mode 3) never changes here.
bool step_animation(ImageRecord& r, uint32_t now);

// Whether step_animation can still change the record's cell, given time.
bool animation_can_step(const ImageRecord& r);

// The animation pass over the screen: visible sprites with two or more
// cells, then the standing pictures. Each one that steps marks its
// rectangle dirty. `interrupted` (may be null) is asked before each picture
// and ends the pass early when it returns true. Returns true when anything
// stepped; the caller then refreshes the screen.
bool advance_screen_animations(uint32_t now, bool (*interrupted)());

// One animation tick of the waits: the pass above at the current time, and
// the changed rectangles recomposed and shown at once.
void animation_tick(bool (*interrupted)());

}  // namespace graphics
