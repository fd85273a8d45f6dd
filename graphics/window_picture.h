// graphics/window_picture: the picture the window shows while effects and shakes draw on it step by step.
#pragma once
#include "graphics/surface.h"

namespace graphics {

// What effects need from the window and the waits; set by the program, null
// in tests and without a window (nothing is pumped, nothing is shown).
struct EffectHooks {
  // Handles one window message (text::pump_one_message).
  int (*pump_one_message)() = nullptr;
  // True while Ctrl (Ctrl and Alt with ctrlalt) is held in the foreground
  // window, or skip mode is on: effects run faster or not at all.
  bool (*fast_forward)() = nullptr;
  // Shows the picture in the window at once and keeps showing it; null
  // turns the window back to the display surface.
  void (*present_picture)(DibSurface* picture) = nullptr;
};
extern EffectHooks effect_hooks;

// The window's own picture. Effects copy strips into it, scroll it and
// shift it, as they would draw on the window itself, and show it after
// every step; the display surface keeps the picture the window repaints from.
extern DibSurface WindowPicture;

// True when the work, display and scratch surfaces are made at the screen's
// size (effects and shakes do nothing before).
bool screen_surfaces_ready();

// Starts drawing on the window: the window picture takes what the window
// shows now (the display surface).
void begin_window_drawing();
// Shows the window picture (one step's result).
void show_window_picture();
// The window shows the display surface again.
void end_window_drawing();

// Copies the rectangle (inclusive, inside both) from one screen-sized
// picture to another.
void copy_rect(DibSurface& dst, const DibSurface& src, int left, int top, int right, int bottom);

// One pumped message, when there is a window; false when none was waiting.
bool pump_effect_message();

}  // namespace graphics
