// ui/input_watch: keys reported on press or release with a 125 ms repeat, and when a headless wait gives up.
#pragma once
#include <cstdint>

#include "platform/messages.h"

namespace ui {

constexpr uint32_t kKeyRepeatMs = 125;

// One key a wait watches. Key messages count as well as the key state, so
// that a press and release arriving together is not missed.
struct KeyWatch {
  int key = 0;
  bool down = false;
  bool reported = false;
  uint32_t since = 0;
};

// Selection arrows: true at the key's press, then every 125 ms while held.
bool key_pressed(KeyWatch& k, const platform::Message& m, uint32_t now);
// Button-wait keys: true at the key's release unless it was reported while
// held, and every 125 ms while held.
bool key_released(KeyWatch& k, const platform::Message& m, uint32_t now);

// True for messages that are the player's input (for --auto-click).
bool is_player_input(const platform::Message& m);

// A headless run whose wait can end by nothing but input, when no input
// can come any more (no scripted events, no --auto-click, an empty queue):
// the window is closed as a player would close it, so that the run ends,
// and standard error names the wait.
void close_when_no_input_can_come(const char* wait_name);

// A pass of a wait that found no message: on the real clock the processor
// is given away for a moment.
void rest_after_empty_pass(bool handled);

// Moves the pointer to a point of the screen (through the window's scale
// and letterbox) and posts the pointer move, as the window manager does.
void warp_pointer(int x, int y);

}  // namespace ui
