// ui/save_load_screen: the in-game save and load screens, which list the save slots and return the one picked.
#pragma once
#include <cstdint>
#include <string>

#include "ui/hooks.h"

namespace ui {

// One slot's line (Shift-JIS): the slot word, the number in full-width
// digits and the date of its file, or a row of dashes when it is empty.
struct SlotLine {
  std::string text;
  std::string name;  // the word and the number, for the confirmations
  bool used = false;
};

// The slot count, titles and slot word in force (their start values where
// nothing set them).
SaveMenuTexts save_menu_texts();

// The line of slot k (1-based) among `slot_count`.
SlotLine slot_line(int32_t k, int32_t slot_count);

// Shows the slots (mode 1 save, 0 load) and returns the index (0-based) of
// the one picked, its name in `name`; -1 when the screen was left. Loading
// refuses an empty slot with the fifth menu sound.
int show_save_load_menu(int mode, std::string& name);

}  // namespace ui
