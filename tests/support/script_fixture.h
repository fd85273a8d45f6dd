// tests/support/script_fixture: running readers and commands in-process on a script.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace testsupport {

// What the error box would have shown (UTF-8), thrown by the fatal hook.
struct FatalError {
  std::string title;
  std::string text;
};

// Converts `utf8` to Shift-JIS, makes it the whole scenario (no file table),
// sets the position to 0, clears every variable, array, alias, limit and log,
// and installs a fatal hook that throws FatalError.
void load_script(std::string_view utf8);

// Scans the labels and loads the scenario from the current folder; a
// failure is reported through the error box as the program does.
void scan_labels();
void load_scenario();

// Runs `f`; returns the error's title and message ("title|message", the
// message without location and excerpt), or "" when no error was reported.
std::string fatal_of(const std::function<void()>& f);

}  // namespace testsupport
