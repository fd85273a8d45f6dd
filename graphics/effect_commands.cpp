#include "graphics/effect_commands.h"

#include "graphics/shake.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "interp/targets.h"
#include "interp/variables.h"

namespace graphics {

EffectDefinition window_effect{1, 0, ""};  // a cut until windoweffect

namespace {

void read_two(int32_t& a, int32_t& b) {
  a = interp::read_number();
  interp::expect_comma();
  b = interp::read_number();
}

}  // namespace

void reset_window_effect() {
  window_effect = EffectDefinition();
  window_effect.kind = 1;
}

void cmd_windoweffect() { window_effect = read_effect_definition(); }

void cmd_effectblank() { effect_settings.blank_ms = interp::read_number(); }

void cmd_effectcut() { effect_settings.cut = true; }

void cmd_seteffectspeed() { effect_settings.speed = interp::read_number(); }

void cmd_geteffectspeed() {
  int32_t v = interp::read_numeric_target("geteffectspeedの第一引数は数字変数です。");
  interp::numeric_variable(v) = effect_settings.speed;
  interp::apply_intlimits();
}

void cmd_quake() {
  int32_t amplitude, duration;
  read_two(amplitude, duration);
  quake(amplitude, duration);
}

void cmd_quakex() {
  int32_t count, duration;
  read_two(count, duration);
  quake_swing(false, count, duration);
}

void cmd_quakey() {
  int32_t count, duration;
  read_two(count, duration);
  quake_swing(true, count, duration);
}

void cmd_flushout() { flush_out(interp::read_number()); }

}  // namespace graphics
