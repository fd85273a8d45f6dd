// graphics/effect_commands: the effect settings commands, the window effect and the shakes.
#pragma once
#include "graphics/effect.h"

namespace graphics {

// The message window's show and hide effect (windoweffect); immediate at start.
extern EffectDefinition window_effect;
void reset_window_effect();

void cmd_windoweffect();    // windoweffect kind[, duration][, mask]
void cmd_effectblank();     // effectblank ms
void cmd_effectcut();       // effectcut
void cmd_seteffectspeed();  // seteffectspeed 0|1|2
void cmd_geteffectspeed();  // geteffectspeed %v
void cmd_quake();           // quake amplitude, duration
void cmd_quakex();          // quakex count, duration
void cmd_quakey();          // quakey count, duration
void cmd_flushout();        // flushout / yugami duration

}  // namespace graphics
