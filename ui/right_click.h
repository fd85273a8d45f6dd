// ui/right_click: the right-click action of click waits, selections and button waits, and the flags that end a wait.
#pragma once
#include <cstdint>
#include <string>

namespace ui {

// 0 hides the message window until a click (the start value), 1 the
// system menu, -1 the lookback, -2 nothing, 2 the right-click routine.
extern int32_t right_click_mode;
// `rmode`: 0 refuses the right-click action (not systemcall's).
extern int32_t right_click_enabled;
extern std::string rgosub_label;

// Runs the right-click action; code -1 is a right click (or Escape), other
// codes are the system calls. Returns true when the wait that received it
// must be left (see wait_must_end).
bool show_right_click_menu(int code);

// The default right-click action: the message window goes (sprites stay)
// until a click, a right click, Space or Escape, and comes back.
void hide_window_until_click();

// The right-click routine was entered, a reset was asked for, a game was
// loaded, or the program is ending: the waiting command does no more.
bool wait_must_end();

// Start values (program start and full restart); `reset` sets only
// right_click_enabled back.
void init_right_click();
void reset_right_click();

}  // namespace ui
