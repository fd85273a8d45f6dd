#include "graphics/window_picture.h"

#include <cstring>

#include "graphics/effect.h"
#include "graphics/screen.h"

namespace graphics {

EffectHooks effect_hooks;
DibSurface WindowPicture;

bool screen_surfaces_ready() {
  const Screen& s = TheScreen;
  for (const DibSurface* d : {&s.work, &s.display, &s.scratch})
    if (d->width != s.width || d->height != s.height || s.width <= 0 || s.height <= 0) return false;
  return true;
}

void begin_window_drawing() {
  const DibSurface& d = TheScreen.display;
  if (WindowPicture.width != d.width || WindowPicture.height != d.height)
    create_surface(WindowPicture, d.width, d.height);
  std::memcpy(WindowPicture.pixels.data(), d.pixels.data(), d.pixels.size());
}

void show_window_picture() {
  if (effect_hooks.present_picture) effect_hooks.present_picture(&WindowPicture);
}

void end_window_drawing() {
  if (effect_hooks.present_picture) effect_hooks.present_picture(nullptr);
  if (present_display_hook) present_display_hook();
}

void copy_rect(DibSurface& dst, const DibSurface& src, int left, int top, int right, int bottom) {
  if (left > right || top > bottom) return;
  size_t bytes = size_t(right - left + 1) * 3;
  for (int y = top; y <= bottom; ++y) std::memcpy(dst.row(y) + size_t(left) * 3, src.row(y) + size_t(left) * 3, bytes);
}

bool pump_effect_message() { return effect_hooks.pump_one_message && effect_hooks.pump_one_message() != 0; }

}  // namespace graphics
