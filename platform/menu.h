// platform/menu: the menu bar model (IDR_MENU) and the strip we draw and click for it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace platform {

struct MenuItem {
  std::string text;  // UTF-8; a separator has no text and id 0
  int32_t id = 0;    // the command posted when chosen
  bool checked = false;
  bool grayed = false;
  std::vector<MenuItem> submenu;  // non-empty: a popup that opens this list
  bool popup = false;             // a popup even while its list is empty
};
using MenuList = std::vector<MenuItem>;

MenuItem menu_command(const char* text, int32_t id, bool checked = false);
MenuItem menu_popup(const char* text, MenuList items);
MenuItem menu_separator();

// The menu bar "IDR_MENU" as the resource defines it.
MenuList idr_menu();

// The main window's menu bar (starts as idr_menu(); the settings replace
// or edit it). Call menu_bar_changed after editing so the strip is redrawn.
MenuList& menu_bar();
void menu_bar_changed();

// Items addressed by command identifier, searched through every submenu.
MenuItem* find_menu_item(MenuList& menu, int32_t id);
bool check_menu_item(MenuList& menu, int32_t id, bool checked);
bool menu_item_checked(MenuList& menu, int32_t id);
// Radio group: clears the check mark of every item of `group` and sets it
// on `chosen`.
void check_radio_item(MenuList& menu, int32_t chosen, std::initializer_list<int32_t> group);
bool delete_menu_command(MenuList& menu, int32_t id);

// By position within one list (a position past the end appends / fails).
void insert_menu_item(MenuList& list, size_t position, MenuItem item);
bool delete_menu_position(MenuList& list, size_t position);

// The strip on screen. Points are canvas coordinates: the strip occupies
// rows 0..kMenuStripHeight-1 and open lists hang below it.
enum class MenuPointer { move, press, release };
// True when the menu took the event (an open list takes every event).
// Choosing an item closes the menu and posts its command.
bool menu_pointer_event(MenuPointer what, int x, int y);
bool menu_is_open();
void close_menu();
// Draws the strip and the open lists into a width x height ARGB picture
// (transparent where the menu is not); false when nothing changed since the
// last call and `force` is not set.
bool draw_menu(uint32_t* argb, int width, int height, bool force);

}  // namespace platform
