#include "graphics/animation.h"

#include "graphics/effect.h"
#include "graphics/screen.h"
#include "platform/clock.h"

namespace graphics {

namespace {

int64_t interval_of(const ImageRecord& r) {
  if (r.cell_interval_ms != -1) return r.cell_interval_ms;
  // The list holds cell_count numbers; a cell set past it by a command uses none.
  if (r.current_cell < 0 || r.current_cell >= int(r.cell_intervals.size())) return 0;
  return r.cell_intervals[r.current_cell];
}

}  // namespace

bool step_animation(ImageRecord& r, uint32_t now) {
  if (r.cell_count < 2 || r.anim_mode == kAnimManual || !has_surface(r)) return false;
  if (int64_t(uint32_t(now - r.last_step_ms)) <= interval_of(r)) return false;
  // In 64 bits: `cell` may have set any cell, INT_MAX and INT_MIN included.
  int64_t next = int64_t(r.current_cell) + r.step_direction;
  if (next >= r.cell_count || next < 0) {
    switch (r.anim_mode) {
      case kAnimStop: return false;
      case kAnimPingPong:
        r.step_direction = -r.step_direction;
        next = int64_t(r.current_cell) + r.step_direction;
        if (next < 0 || next >= r.cell_count) next = 0;
        break;
      default: next = 0; break;
    }
  }
  r.current_cell = static_cast<int>(next);
  r.last_step_ms = now;
  return true;
}

bool animation_can_step(const ImageRecord& r) {
  if (r.cell_count < 2 || r.anim_mode == kAnimManual || !has_surface(r)) return false;
  // A stop-mode picture stands still once its next cell would lie outside
  // its cells: on its last cell, or on any cell a command set out of range.
  int64_t next = int64_t(r.current_cell) + r.step_direction;
  return r.anim_mode != kAnimStop || (next >= 0 && next < r.cell_count);
}

bool advance_screen_animations(uint32_t now, bool (*interrupted)()) {
  Screen& s = TheScreen;
  bool stepped = false;
  for (SpriteSlot& sp : s.sprites) {
    if (sp.tag.empty() || !sp.visible || sp.image.cell_count < 2) continue;
    if (interrupted && interrupted()) return stepped;
    if (step_animation(sp.image, now)) {
      mark_image(sp.image, sp.x, sp.y);
      stepped = true;
    }
  }
  for (StandingPicture& p : s.standing) {
    if (p.tag.empty() || p.image.cell_count < 2) continue;
    if (interrupted && interrupted()) return stepped;
    if (step_animation(p.image, now)) {
      mark_image(p.image, p.x, p.y);
      stepped = true;
    }
  }
  return stepped;
}

void animation_tick(bool (*interrupted)()) {
  if (advance_screen_animations(platform::clock_ms(), interrupted)) refresh_screen(1, 0, "");
}

}  // namespace graphics
