// platform/input: key states, the pointer and the foreground test.
#pragma once
#include <cstdint>

namespace platform {

// Key codes: the window manager's virtual-key numbers. Letters are 'A'..'Z',
// digits '0'..'9'.
enum Key : int {
  key_left_button = 0x01,  // the mouse buttons, as the window manager numbers them
  key_right_button = 0x02,
  key_backspace = 0x08,
  key_tab = 0x09,
  key_enter = 0x0D,
  key_shift = 0x10,
  key_ctrl = 0x11,
  key_alt = 0x12,
  key_escape = 0x1B,
  key_space = 0x20,
  key_page_up = 0x21,
  key_page_down = 0x22,
  key_end = 0x23,
  key_home = 0x24,
  key_left = 0x25,
  key_up = 0x26,
  key_right = 0x27,
  key_down = 0x28,
  key_f1 = 0x70,  // key_f1 + n - 1 is Fn, up to F12
};

// True while the key is held (as far as the queued input has told).
bool key_held(int key);
// Records a key's state (window input and scripted events).
void set_key_held(int key, bool held);
// Releases every key (focus lost).
void release_all_keys();

// The pointer's last known position in client coordinates of the logical
// screen (may lie outside it).
void pointer_position(int& x, int& y);
void set_pointer_position(int x, int y);

// True when the main window has the input focus (headless: always).
bool main_window_is_foreground();
void set_main_window_foreground(bool on);

}  // namespace platform
