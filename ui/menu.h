// ui/menu: the list engine of selections and system menus (pointer, arrow keys, wheel, sounds) and the centred layout.
#pragma once
#include <cstdint>
#include <string>

namespace ui {

// One entry of a list on the screen. It is drawn with draw_choice_text at
// (column, row), cells of the message window, or with `absolute` at the
// pixel (column, row); it reacts to the pointer inside (left, top)-(right, bottom)
// (inclusive); the arrow keys move the pointer to (pointer_x, pointer_y).
// colour_off is its resting colour; an item that is not usable cannot be
// chosen (a click on it plays the refused sound).
struct ListItem {
  std::string text;
  int32_t column = 0, row = 0;
  bool absolute = false;
  int32_t left = 0, top = 0, right = -1, bottom = -1;
  int32_t pointer_x = 0, pointer_y = 0;
  int32_t colour_off = 0;
  bool usable = true;
  std::string click_sound;  // played instead of the list's click sound (a confirmation's yes and no)
};

// How a list behaves. `menu`: a right click or Escape cancels (-1) with the
// cancel sound; otherwise it runs the right-click action and the list goes
// on, and sprite animations run. Sounds may be empty.
struct ListLook {
  bool menu = false;
  int32_t colour_on = 0xFFFFFF;
  std::string over_sound, click_sound, cancel_sound, refused_sound;
  bool sideways = false;  // Left and Right move as Up and Down do (a yes/no row)
};

// Runs the list over items already drawn: the item under the pointer is
// drawn in colour_on; returns the index of the item clicked, or -1 when
// the list was cancelled (menu) or a wait-ending action happened (the
// right-click routine, a reset, a loaded game); 0 when the program quits.
int run_list(ListItem* items, int count, const ListLook& look);

// Draws an item in its resting colour, or in `colour`.
void draw_list_item(const ListItem& item);
void draw_list_item(const ListItem& item, int32_t colour);

// `run_choice_list`: shows the texts as a list and runs it. Outside
// menu_mode the items go into the message window from (start_column,
// start_row) on, one row each (plus wrapped rows); in menu_mode they are
// centred on the darkened screen. Plays the open sound first. Returns the
// chosen index or -1 as run_list does.
int run_choice_list(int count, int32_t start_column, int32_t start_row, const std::string* texts);

// ---- The centred menu layout, for the system menu, the save and load
// screens and confirmations.

// Sets menu_mode; the first text drawn then darkens the screen.
void enter_menu_mode();
// The next text drawn in menu_mode darkens a fresh copy of the screen,
// wiping what the menu drew so far.
void clear_menu_screen();
// Clears menu_mode and shows the screen as the game left it (the whole
// screen recomposed, message window included).
void leave_menu_mode();
// In menu_mode, once per menu: the screen recomposed without the message
// window and tinted with the menu tint colour, shown at once. Drawing in
// menu_mode calls it.
void tint_menu_screen();

// x of a text of `byte_length` bytes centred on the screen:
// screen width / 2 - pitch x * byte_length / 4.
int32_t menu_centred_x(int32_t byte_length);
// An item of the menu layout at pixel (x, y): its row one pitch high and
// `byte_length` half cells wide (at least the text's own length when 0).
ListItem menu_item(const std::string& text, int32_t x, int32_t y, int32_t colour_off, int32_t byte_length = 0);
// The look of the system menu: menu colours and menuselectvoice sounds.
ListLook menu_look();

}  // namespace ui
