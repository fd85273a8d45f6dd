#include "interp/targets.h"

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/sjis.h"

namespace interp {

void report_syntax_error(const char* message_utf8) {
  report_error(platform::utf8_to_sjis("構文エラー").c_str(), platform::utf8_to_sjis(message_utf8).c_str());
}

int32_t read_numeric_target(const char* message_utf8) {
  if (skip_blanks() != '%') report_syntax_error(message_utf8);
  int32_t n = read_variable_number();
  numeric_variable(n);  // range check here, where the number was written
  return n;
}

int32_t read_string_target(const char* message_utf8) {
  if (skip_blanks() != '$') report_syntax_error(message_utf8);
  int32_t n = read_variable_number();
  string_variable(n);
  return n;
}

}  // namespace interp
