// interp/hooks: the one record through which the interpreter reaches the subsystems above it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace interp {

// Every slot is null until app/ sets it (app/wiring.cpp, the only writer);
// a null slot is skipped, so the interpreter runs on its own in tests.
struct Hooks {
  // The run loop
  void (*poll_traps)() = nullptr;                         // timer and click traps, every pass
  void (*display_text_line)(const char* sjis) = nullptr;  // shows an assembled text line
  void (*start_define_block)() = nullptr;                 // text start values before *define runs
  void (*finish_define_block)() = nullptr;                // `game`: the define block's settings take effect
  // Every pass in run mode where something starts (no blank or separator):
  // the save point, when the save-point flag is set and a page begins.
  void (*take_save_point)() = nullptr;
  void (*mark_read_text)(int32_t position) = nullptr;     // the read-text record
  // The reset to *start (`reset`, the menus): the subsystems' parts of it, in
  // their fixed order, around the interpreter's own (restart_at_start).
  void (*reset_to_start)() = nullptr;

  // The label log and the file log (`labellog`, `filelog`, lchk, fchk).
  void (*log_label)(std::string_view name) = nullptr;
  bool (*label_logged)(std::string_view name) = nullptr;
  bool (*file_logged)(std::string_view name) = nullptr;
  void (*log_file)(std::string_view name) = nullptr;

  // Dispatch: a word that is no command may be a voice shorthand (v12,
  // dv12). True when it was one and has been handled.
  bool (*voice_shorthand)(const std::string& name) = nullptr;

  // winexec: the CD stops and its device closes, the wave device stops.
  void (*stop_sound_for_winexec)() = nullptr;

  // The window's messages, for commands that wait on something else.
  int (*pump_one_message)() = nullptr;  // 1 when a message was handled

  // The error box: save slot 999 first (`errorsave`), then the transcript
  // is closed and every sound stops before the process ends.
  void (*write_error_save)() = nullptr;
  void (*close_transcript)() = nullptr;
  void (*stop_all_sound)() = nullptr;
};
extern Hooks hooks;

}  // namespace interp
