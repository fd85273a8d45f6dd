#include "ui/hooks.h"

namespace ui {

UiHooks ui_hooks;

void play_system_sound(const std::string& name) {
  if (!name.empty() && ui_hooks.play_sound) ui_hooks.play_sound(name);
}

}  // namespace ui
