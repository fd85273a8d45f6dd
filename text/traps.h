// text/traps: the click traps and the timer trap, polled by the run loop.
#pragma once
#include <cstdint>
#include <string>

namespace text {

enum class TrapMode { click, timer };

// Stop states: 0 armed, 1 stopped, 2 fired while stopped (held for resume).
struct TrapState {
  TrapMode mode = TrapMode::click;
  std::string click_label;
  int click_stop = 0;
  bool right_click_traps = false;
  bool skip_mode_traps = false;
  std::string timer_label;
  int timer_stop = 0;
  uint32_t deadline = 0;
};
extern TrapState trap_state;

// The run loop's trap check before each command: fires (jumps) or holds.
void poll_traps();
// Empties both trap labels (reset, start of the define block).
void clear_traps();

void cmd_trap();
void cmd_lr_trap();
void cmd_trap2();
void cmd_lr_trap2();
void cmd_timertrap();

}  // namespace text
