// sound/command_rows: the sound's commands, one group per kind, in the command list's order.
#pragma once
#include "interp/dispatch.h"

namespace sound {

extern const interp::CommandRows music_rows;   // music
extern const interp::CommandRows effect_rows;  // sound effects and voices
extern const interp::CommandRows volume_rows;  // volume control

}  // namespace sound
