// app/context: the application record and the main window's globals.
#pragma once
#include <cstdint>
#include <string>

#include "sound/channels.h"
#include "sound/music.h"

namespace app {

struct AppContext {
  int show_command = 0;       // how the window is first shown (always normal here)
  std::string command_line;   // stored, not interpreted
  int32_t full_screen = 0;    // 1 while the display is in full screen
  uint32_t last_message = 0;  // the last message the window procedure saw
  int32_t last_x = 0;         // last mouse x; also the last character and wheel delta
  int32_t last_y = 0;
};
extern AppContext* app_context;

extern bool menu_hidden;    // full screen: the menu strip is currently removed
extern bool custom_cursor;  // `mousecursor` set a cursor file

// Menu-bar settings that the window procedure changes.
extern int32_t current_font_item;   // menu id of the checked font item, -1 none
extern std::string menu_font_face;  // Shift-JIS face chosen from the font menu
extern int32_t text_speed_setting;  // 0 slow, 1 normal, 2 fast
using sound::cd_enabled;            // the sound's own switches
using sound::waves_enabled;
// The two texts of the version box (`versionstr` replaces them).
extern std::string version_text[2];

// Work of later parts that the shell calls when it exists (null until set).
struct ShellHooks {
  void (*timer_tick)() = nullptr;             // polls looping music and waves
  void (*stop_voice_on_click)() = nullptr;    // `voice_cut_on_click` handling
  void (*cd_notify)(int32_t code) = nullptr;  // CD play notifications
  void (*play_cd_track)() = nullptr;          // plays cd_track with cd_loop
  void (*stop_cd)() = nullptr;                // stops and closes the CD device
  // -1 without a read-text record, else whether the current script position
  // has been read.
  int (*read_state_here)() = nullptr;
  void (*save_persistent)() = nullptr;  // global variables, read-text record, logs, envdata
  void (*stop_all_sound)() = nullptr;
  // Extracts a file from the archives into the temporary folder; the path,
  // or empty when it is in no archive.
  std::string (*extract_to_temp)(const std::string& sjis_name) = nullptr;
};
extern ShellHooks shell_hooks;

}  // namespace app
