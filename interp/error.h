// interp/error: the fatal error box that ends the program.
#pragma once
#include <cstdint>
#include <string>

#include "script/scenario.h"

namespace interp {

// Shows the error box: the message, the script location ("N.txt line:L") and
// an excerpt of the script before the current position; then stops every
// sound and ends the program with status 1. Title and message are Shift-JIS,
// as the system's text is. Does not return.
[[noreturn]] void report_error(const char* title, const char* message);

// The box for what failed while loading or scanning the scenario, with the
// script position the failure names.
[[noreturn]] void report_failure(const script::Failure& failure);

// report_error with a title and a printf format written in the source (UTF-8,
// converted to Shift-JIS here); the arguments are script bytes (Shift-JIS).
[[noreturn]] void report_errorf(const char* title_utf8, const char* format_utf8, ...)
    __attribute__((format(printf, 2, 3)));

// Test seam: when set, the composed box (title and text, both UTF-8) is handed
// to this function instead of being shown, and the process does not end.
// The hook must not return (a test throws from it).
using FatalHook = void (*)(const std::string& title, const std::string& text);
void set_fatal_hook(FatalHook hook);

// Where a script offset lies: numbered file and line (1-based). For a
// scenario from a single scrambled file the file is 0 and the line counts
// from the start of the scenario.
struct ScriptLocation {
  int file;
  int line;
};
ScriptLocation locate_position(int32_t position);

// The box's text (Shift-JIS): the message, an empty line, "N.txt line:L" and
// the excerpt: the previous line after '|' and the erroneous line up to the
// position after '>'.
std::string compose_error_text(const char* message, int32_t position);

// Set by `errorsave`: the error path first writes save slot 999.
extern bool error_save_flag;

}  // namespace interp
