// text/wait: the one-message pump, timed and click waits, skip and auto modes, and the flags the window procedure sets.
#pragma once
#include <cstdint>
#include <string>

#include "platform/messages.h"

namespace text {

// Interaction flags and settings (32-bit, as the window procedure and the
// environment file handle them).
extern int32_t click_flag;        // a left click, space or Enter arrived
extern int32_t right_click_flag;  // a right click arrived
extern int32_t skip_mode;
extern int32_t auto_mode;
extern int32_t auto_mode_allowed;  // `automode` appeared in the define block
extern int32_t auto_mode_time;     // ms; negative: -n ms per character of the line
extern int32_t autoclick_active;
extern int32_t autoclick_interval;
extern int32_t page_click_mode;  // '@' waits are passed over
extern int32_t ctrl_alt_skip;    // the Ctrl skip needs Ctrl and Alt
extern int32_t read_skip_only;   // skip mode stops at text not yet read
extern uint32_t timer_base;
extern int32_t cursor_shown;        // 0 none, 1 normal cursor, 2 page cursor
extern bool wheel_reports;          // `usewheel`
extern bool escape_space_reports;   // `useescspc`
extern std::string click_voice[2];  // `clickvoice`: normal, page
// Characters of the text line being shown (the text output counts them);
// the per-character automatic mode waits for them.
extern int32_t chars_in_line;
// Set by the right-click menu when it ended a wait by entering the
// right-click routine (rgosub).
extern bool wait_interrupted;
// Set when a game was loaded (loadgame, the right-click menu's or another
// menu's load): the script position has changed, so the text output, click
// waits, selections and button waits abandon what they were doing, and the
// waiting command clears it and does nothing more. Also cleared when a text
// line or a click wait begins, and by `reset`. A requested reset is
// interp::rmenu_reset_request.
extern bool just_loaded;
// Where the click that ended the last `click`/`clickpos` wait was.
extern int32_t last_click_x, last_click_y;

// The work of later parts that the waits call when it exists: null until
// its owner sets it.
struct WaitHooks {
  // One cell step of animated sprites and standing pictures, with the
  // recomposition; `pending` says whether to stop early before a picture.
  void (*step_animations)(bool (*input_waiting)()) = nullptr;
  // The click cursor: save the area under it, step its cell, put it back.
  void (*cursor_save)() = nullptr;
  void (*cursor_step)() = nullptr;
  void (*cursor_restore)() = nullptr;
  // The right-click action; true when the wait must be left at once.
  bool (*right_click)() = nullptr;
  // Plays a wave once on the sound-effect channel (the lookback's page
  // turn), and sound k (0-based) of `menuselectvoice`.
  void (*play_sound_effect)(const std::string& name) = nullptr;
  void (*play_menu_sound)(int k) = nullptr;
  // Voices: playing through the media interface; a DirectSound voice still
  // playing after waiting up to ms (stops it when it ended); a click voice.
  bool (*wave_voice_playing)() = nullptr;
  bool (*direct_voice_playing)(uint32_t ms) = nullptr;
  void (*play_click_voice)(const std::string& name) = nullptr;
  // Saves the read-text record and (with globalon) the global variables.
  void (*save_records)() = nullptr;
  // kidokuskip: loads the read-text record from its file.
  void (*open_read_text_record)() = nullptr;
};
extern WaitHooks wait_hooks;

// Yields, then takes one message and handles it (accelerator, translation,
// window procedure). 1 if a message was handled, 0 if the queue was empty.
// Until Escape (and with space_too the space bar) is released. A headless
// run with no scripted input left cannot release it; with --auto-click, the
// quiet time that would have clicked ends the hold (the keys then count as
// released), as the next event may lie far away on the virtual clock.
void wait_until_released(bool space_too);
// A headless wait that no scripted input can end any more: closes the window
// as the player would, so that the run ends (asked again after a scripted
// "no", the headless answer is yes), and says so once on standard error,
// naming the wait: such an ending must never pass for the scenario's own.
void close_for_lack_of_input(const char* wait_name);
int pump_one_message();
// Takes one message and handles it as pump_one_message does (no yield),
// leaving it in `m` for waits that look at the last message; false (and an
// empty `m`) when the queue was empty.
bool handle_one_message(platform::Message& m);

// One animation tick of sprites, standing pictures and cursors.
void advance_animations();

// Waits ms milliseconds pumping messages; with click_ends a left click,
// the Ctrl skip or skip mode ends it early.
void timed_wait(uint32_t ms, bool click_ends);

// The click wait (cursor as set in cursor_shown).
void wait_for_click();

// Whether the automatic mode's delay is over for a wait that began at
// `start` (auto_mode_time, or per character of the line).
bool auto_mode_due(uint32_t start);

bool ctrl_skip_held();
bool escape_held();

// What `reset` clears: the click flags, skip and automatic modes, autoclick.
void reset_wait_state();
// Every setting back to its start value (start and full restart).
void reset_wait_defaults();

}  // namespace text
