// graphics/effect: the numbered effect table and run_effect, which brings the work picture to the display.
#pragma once
#include <string>

#include "graphics/draw_image.h"

namespace graphics {

constexpr int kEffectCount = 256;

struct EffectDefinition {
  int kind = -1;  // -1 undefined
  int duration = 0;
  std::string mask;
};
extern EffectDefinition EffectTable[kEffectCount];

struct EffectSettings {
  int blank_ms = 30;  // effectblank
  int speed = 0;      // 0 normal, 1 half durations, 2 all immediate
  bool cut = false;   // effectcut
};
extern EffectSettings effect_settings;

// Reads an effect definition from the script: the kind; the duration
// unless the kind is 1; the mask tag for kinds 15 and 18.
EffectDefinition read_effect_definition();

// Puts the effect table back to its start: 0 shows nothing, 1 is immediate,
// the others are undefined.
void reset_effect_table();

// Called after the display surface changed, to show it in the window (set
// by the program; null in tests and without a window).
extern void (*present_display_hook)();

// Brings the rectangle (none: the whole screen) of the work surface to the
// display surface with the effect kind; empties the pending rectangle.
// Kind -1 (an undefined number) and unknown kinds are error boxes.
void run_effect(int kind, int duration, const std::string& mask, const Rect* rect);

// The effect defined under a number (error box for numbers never defined).
const EffectDefinition& effect_definition(int number);

// Composes the pending rectangle and runs the effect kind on it; kind 0
// leaves the change pending.
void refresh_screen(int kind, int duration, const std::string& mask);
// The same with a numbered effect.
void refresh_screen_with_effect(int number);

}  // namespace graphics
