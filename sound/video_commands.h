// sound/video_commands: avi, mpegplay, mpegplay2 and ie.
#pragma once
#include "interp/dispatch.h"

namespace sound {

// avi, mpegplay, mpegplay2 and ie, in the command list's order.
extern const interp::CommandRows video_rows;

void cmd_avi();        // avi "name", click-to-end flag
void cmd_mpegplay();   // mpegplay "name", click-to-end flag
void cmd_mpegplay2();  // mpegplay2 %played, "name", click-to-end flag
void cmd_ie();         // ie "page.html"

}  // namespace sound
