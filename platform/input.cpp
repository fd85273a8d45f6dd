#include "platform/input.h"

#include "platform/mode.h"

namespace platform {

namespace {
bool held[256];
int pointer_x = 0, pointer_y = 0;
bool foreground = true;
}  // namespace

bool key_held(int key) { return key >= 0 && key < 256 && held[key]; }

void set_key_held(int key, bool on) {
  if (key >= 0 && key < 256) held[key] = on;
}

void release_all_keys() {
  for (bool& h : held) h = false;
}

void pointer_position(int& x, int& y) {
  x = pointer_x;
  y = pointer_y;
}

void set_pointer_position(int x, int y) {
  pointer_x = x;
  pointer_y = y;
}

bool main_window_is_foreground() { return headless || foreground; }

void set_main_window_foreground(bool on) { foreground = on; }

}  // namespace platform
