// ui/hooks: the work of other subsystems that selections, buttons and menus call, and the interface sound entry point.
#pragma once
#include <cstdint>
#include <string>

#include "platform/calendar.h"

namespace ui {

// What the save and load screens show: the slot count (savenumber), the two
// titles and the slot word (savename), Shift-JIS.
struct SaveMenuTexts {
  int32_t slot_count = 9;
  std::string save_title, load_title, slot_word;
};

// Each slot is null until the program joins the subsystem that owns the
// work; the calls below then do nothing.
struct UiHooks {
  // Plays a wave file once on the sound-effect channel.
  void (*play_sound)(const std::string& name) = nullptr;
  // `mode_kanade` is in force: lists and button waits post no pointer move
  // when they start.
  bool (*mode_kanade)() = nullptr;
  // `mode_saya` is in force: while the system menu shows, sprites 0..9,
  // bars and numbers are left out.
  bool (*mode_saya)() = nullptr;
  // The save files: writes / loads slot n (1-based; a load is false when
  // nothing was loaded); the local time of slot n's file, false without one.
  void (*write_save_file)(int32_t slot) = nullptr;
  bool (*load_save_file)(int32_t slot) = nullptr;
  bool (*save_file_time)(int32_t slot, platform::LocalTime& time) = nullptr;
  // savenumber and savename (empty texts: the start values).
  void (*save_menu_texts)(SaveMenuTexts& texts) = nullptr;
  // Stops every sound and video (a reset from the menu).
  void (*stop_all_sound)() = nullptr;
  // The save/load dialog in save (true) or load mode (savedlg, loaddlg).
  void (*save_load_dialog)(bool save) = nullptr;
};
extern UiHooks ui_hooks;

// Plays one of the interface sounds (selectvoice, menuselectvoice); an empty
// name plays nothing.
void play_system_sound(const std::string& name);

}  // namespace ui
