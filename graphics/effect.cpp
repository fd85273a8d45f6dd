#include "graphics/effect.h"

#include <algorithm>
#include <cstring>

#include "graphics/effect_kinds.h"
#include "graphics/screen.h"
#include "graphics/window_picture.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "platform/clock.h"

namespace graphics {

EffectDefinition EffectTable[kEffectCount];
EffectSettings effect_settings;
void (*present_display_hook)() = nullptr;

namespace {

[[noreturn]] void undefined_effect() { interp::report_errorf("エラー", "未定義のエフェクトを使いました"); }

bool known_kind(int kind) { return (kind >= 0 && kind <= 18) || kind == 90; }

void show_at_once(const Rect& r) {
  Screen& s = TheScreen;
  if (s.display.width != s.width || s.work.width != s.width) return;
  size_t bytes = size_t(r.right - r.left + 1) * 3;
  for (int y = r.top; y <= r.bottom; ++y)
    std::memcpy(s.display.row(y) + size_t(r.left) * 3, s.work.row(y) + size_t(r.left) * 3, bytes);
  if (present_display_hook) present_display_hook();
}

}  // namespace

void reset_effect_table() {
  for (EffectDefinition& e : EffectTable) e = EffectDefinition();
  EffectTable[0].kind = 0;
  EffectTable[1].kind = 1;
}

const EffectDefinition& effect_definition(int number) {
  if (number < 0 || number >= kEffectCount || EffectTable[number].kind == -1) undefined_effect();
  return EffectTable[number];
}

void run_effect(int kind, int duration, const std::string& mask, const Rect* rect) {
  Screen& s = TheScreen;
  s.dirty = DirtyRect();
  if (kind == -1) undefined_effect();
  if (kind == 0) return;
  if (!known_kind(kind))
    interp::report_errorf("エラー", "不正なエフェクト番号です。EFFECT命令をチェックしてください。");
  Rect r = clamp_rect(rect, s.width, s.height);
  if (effect_settings.speed == 1) duration /= 2;
  if (effect_settings.speed == 2) kind = 1;
  if (kind != 1 && effect_hooks.fast_forward && effect_hooks.fast_forward()) {
    if (effect_settings.cut)
      kind = 1;
    else
      duration /= 8;
  }
  if (kind == 1) {
    if (r.left <= r.right && r.top <= r.bottom) show_at_once(r);
    return;
  }
  if (!screen_surfaces_ready()) return;
  if (!run_effect_kind(kind, duration, mask, r)) return;  // kinds that end on their own
  copy_rect(s.display, s.work, r.left, r.top, r.right, r.bottom);
  end_window_drawing();
  if (effect_settings.blank_ms > 0) platform::sleep_ms(uint32_t(effect_settings.blank_ms));
}

void refresh_screen(int kind, int duration, const std::string& mask) {
  if (kind == 0) return;  // the change stays pending
  // Nothing pending: the effect runs on an empty rectangle and shows nothing.
  Rect r{0, 0, -1, -1};
  if (take_dirty(r)) compose_screen(&r);
  run_effect(kind, duration, mask, &r);
}

void refresh_screen_with_effect(int number) {
  const EffectDefinition& e = effect_definition(number);
  refresh_screen(e.kind, e.duration, e.mask);
}

// kind; duration unless the kind is 1; mask tag for kinds 15 and 18.
EffectDefinition read_effect_definition() {
  EffectDefinition e;
  e.kind = interp::read_number();
  if (e.kind != 1) {
    interp::expect_comma();
    e.duration = interp::read_number();
  }
  if (e.kind == 15 || e.kind == 18) {
    interp::expect_comma();
    e.mask = interp::read_string();
  }
  return e;
}

}  // namespace graphics
