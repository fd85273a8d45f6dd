// interp/targets: reading a command's target variable, with the command's own sigil message.
#pragma once
#include <cstdint>

namespace interp {

// Skips blanks, requires '%' (or '$'), reads the variable number and checks
// its range. A wrong sigil is the error box titled "構文エラー" with
// `message_utf8`, the command's own text. Returns the variable number.
int32_t read_numeric_target(const char* message_utf8);
int32_t read_string_target(const char* message_utf8);

// The "構文エラー" box with a fixed message written in the source (UTF-8).
[[noreturn]] void report_syntax_error(const char* message_utf8);

}  // namespace interp
