// ui/hooks: the work of other subsystems that selections, buttons and menus call, and the interface sound entry point.
#pragma once
#include <string>

namespace ui {

// Each slot is null until the program joins the subsystem that owns the
// work; the calls below then do nothing.
struct UiHooks {
  // Plays a wave file once on the sound-effect channel.
  void (*play_sound)(const std::string& name) = nullptr;
  // `mode_kanade` is in force: lists and button waits post no pointer move
  // when they start.
  bool (*mode_kanade)() = nullptr;
};
extern UiHooks ui_hooks;

// Plays one of the interface sounds (selectvoice, menuselectvoice); an empty
// name plays nothing.
void play_system_sound(const std::string& name);

}  // namespace ui
