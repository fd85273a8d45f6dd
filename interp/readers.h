// interp/readers: the argument readers every command handler uses.
// All work on the script at ScriptPosition, skip leading blanks (space, tab),
// leave the position behind what they read, and report errors through
// report_error. They never read past the script's terminating NUL.
#pragma once
#include <cstdint>
#include <string>

#include "interp/variables.h"
#include "script/scenario.h"

namespace interp {

// The program position: a byte offset into script::ScriptBuffer. Every
// reader moves it; jumps set it.
extern int32_t ScriptPosition;

inline char skip_blanks() {  // the byte at the new position
  char c;
  while ((c = script::ScriptBuffer[ScriptPosition]) == ' ' || c == '\t') ++ScriptPosition;
  return c;
}
std::string read_identifier();  // lower-cased; trailing blanks skipped; may be empty
int32_t read_number();
std::string read_string();
std::string read_label();  // the name without '*'
[[noreturn]] void report_missing_comma();
inline void expect_comma() {
  if (skip_blanks() != ',') report_missing_comma();
  ++ScriptPosition;  // a comma is never the terminating NUL
}

// After the caller consumed '?'. mode 0: declaration (no checks),
// 1: one element, 2: a row (one index fewer than the dimensions).
ArrayReference read_array_reference(int mode);

// The byte at the position, and consuming it. advance never moves past the
// script's terminating NUL.
char peek_byte();
void advance(int32_t n = 1);

// The byte at an offset (NUL outside the script).
char script_byte(int32_t offset);

// Consumes the sigil byte at the position ('%', '$' or '?') that the handler
// has checked, and reads the variable number after it with read_number:
//   if (skip_blanks() != '%') report_errorf("構文エラー", "...");
//   int32_t& v = numeric_variable(read_variable_number());
int32_t read_variable_number();

}  // namespace interp
