#include "interp/system_commands.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "interp/hooks.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/targets.h"
#include "interp/variables.h"
#include "platform/calendar.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/registry.h"

namespace interp {

namespace {

// What the winexec wait does after one poll of the window's messages.
enum class WinexecWait { keep_waiting, stop_waiting, end_program };

// Reads three numeric targets separated by commas, each with its own
// message, and stores the three values (no limits, as the date and time
// commands never applied them).
void store_three(const char* const messages[3], const int values[3]) {
  int32_t target[3];
  for (int i = 0; i < 3; ++i) {
    if (i > 0) expect_comma();
    target[i] = read_numeric_target(messages[i]);
  }
  for (int i = 0; i < 3; ++i) numeric_variable(target[i]) = values[i];
}

// Pumps the window's messages while winexec waits for its program, so the
// window keeps painting and its menu and close box work. A program started
// here cannot post to our queue, so the wait ends when the program exits
// (or the player closes the window, which ends the interpreter).
WinexecWait pump_messages_during_winexec() {
  while (hooks.pump_one_message && hooks.pump_one_message()) {
  }
  return interp::quit_requested ? WinexecWait::end_program : WinexecWait::keep_waiting;
}

// winexec stops the CD audio, closes the CD device and stops the wave
// device before starting the program.
void stop_sound_for_winexec() {
  if (hooks.stop_sound_for_winexec) hooks.stop_sound_for_winexec();
}

}  // namespace

// date %y, %m, %d: two-digit year, month, day.
void cmd_date() {
  static const char* const messages[3] = {"dateの第一引数は数字変数です。", "dateの第ニ引数は数字変数です。",
                                          "dateの第三引数は数字変数です。"};
  platform::LocalTime t = platform::local_time();
  const int values[3] = {t.year % 100, t.month, t.day};
  store_three(messages, values);
}

// time %h, %m, %s
void cmd_time() {
  static const char* const messages[3] = {"timeの第一引数は数字変数です。", "timeの第ニ引数は数字変数です。",
                                          "timeの第三引数は数字変数です。"};
  platform::LocalTime t = platform::local_time();
  const int values[3] = {t.hour, t.minute, t.second};
  store_three(messages, values);
}

// The interpreter version 2.00, times 100.
void cmd_getversion() {
  int32_t n = read_numeric_target("getversionの第一引数は数字変数です。");
  numeric_variable(n) = 200;
  apply_intlimits();
}

void cmd_getreg() {
  int32_t n = read_string_target("getregの第一引数は文字変数です。");
  expect_comma();
  std::string key = read_string();
  expect_comma();
  std::string value = read_string();
  set_string_variable(n, platform::read_registry_string(key, value));
}

void cmd_getini() {
  int32_t n = read_string_target("getiniの第一引数は文字変数です。");
  expect_comma();
  std::string file = read_string();
  expect_comma();
  std::string section = read_string();
  expect_comma();
  std::string key = read_string();
  set_string_variable(n, platform::read_profile_string(file, section, key));
}

void cmd_shell() { platform::open_with_default_handler(read_string()); }

// winexec "command line", wait
void cmd_winexec() {
  std::string command = read_string();
  expect_comma();
  int32_t wait = read_number();
  stop_sound_for_winexec();
  if (!wait) {
    platform::run_command_detached(command);
    return;
  }
  int pid = platform::start_command(command);
  while (!platform::child_has_exited(pid)) {
    WinexecWait next = pump_messages_during_winexec();
    if (next == WinexecWait::stop_waiting) return;
    // end_program arrives with the window, which then ends the interpreter
    // through its destruction path.
    if (next == WinexecWait::end_program) return;
    platform::sleep_ms(10);
  }
}

// Creates the file, or empties it when it exists; failures are silent.
// Anything that exists but is no regular file (a folder, a device, a pipe
// that would block the open) is left alone.
void cmd_filecreate() {
  std::string path = platform::game_path(read_string());
  std::error_code ec;
  auto status = std::filesystem::status(path, ec);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) return;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
}

// Deletes the file; a missing file (or a folder) is left alone silently.
void cmd_fileremove() {
  std::string path = platform::game_path(read_string());
  std::error_code ec;
  if (std::filesystem::is_directory(std::filesystem::symlink_status(path, ec))) return;
  std::filesystem::remove(path, ec);
}

}  // namespace interp
