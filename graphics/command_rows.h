// graphics/command_rows: the picture commands, one group per kind, in the command list's order.
#pragma once
#include "interp/dispatch.h"

namespace graphics {

extern const interp::CommandRows sprite_wait_rows;  // spwait, listed among the waits
extern const interp::CommandRows image_tag_rows;    // image tags and loading
extern const interp::CommandRows archive_rows;      // archives
extern const interp::CommandRows screen_rows;       // screen layers and sprites
extern const interp::CommandRows effect_rows;       // transition effects
extern const interp::CommandRows overlay_rows;      // number and bar displays, picture tools

}  // namespace graphics
