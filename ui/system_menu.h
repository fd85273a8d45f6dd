// ui/system_menu: the system menu of rmenu, the system calls, the yes/no confirmation and their commands.
#pragma once
#include <cstdint>
#include <string>

namespace ui {

// What a system-menu entry or a system call does.
enum SystemAction : int32_t {
  action_lookback = 0,
  action_windowerase = 1,
  action_load = 2,
  action_save = 3,
  action_reset = 4,
  action_skip = 5,
  action_savedlg = 6,
  action_loaddlg = 7,
  action_lookback2 = 8,
  action_resetdlg = 9,
};

constexpr int kMaxSystemMenuEntries = 50;

// The entries `rmenu` lists, in order.
struct SystemMenu {
  std::string captions[kMaxSystemMenuEntries];
  int32_t actions[kMaxSystemMenuEntries] = {};
  int32_t count = 0;
};
extern SystemMenu system_menu;

// The system menu (code -1: chosen from the rmenu list, shown again after a
// "no" to the reset question) or one system call's action. Saves the
// window's text layers and brings them back on leaving.
void run_system_menu(int code);

// Asks `question` (Shift-JIS) with はい / いいえ in the centred menu layout:
// 1 yes, 0 no, -1 cancelled (right click, Escape, the program quitting).
int confirm(const std::string& question);

// Start values (program start and full restart).
void init_system_menu();

void cmd_rmenu();       // caption, keyword, ... to the end of the line
void cmd_rlookback();   // the right click shows the lookback
void cmd_roff();        // the right click does nothing
void cmd_rgosub();      // label: the right click calls it
void cmd_rmode();       // n: 0 refuses the right-click action
void cmd_systemcall();  // keyword
void cmd_reset();       // restarts at *start at once

}  // namespace ui
