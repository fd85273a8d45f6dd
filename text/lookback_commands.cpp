#include "text/lookback_commands.h"

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "text/lookback.h"

namespace text {

void cmd_lookbackon() { lookback.recording = 1; }

void cmd_lookbackoff() { lookback.recording = 0; }

void cmd_lookbackflush() { lookback_reset(); }

void cmd_textcommit() { write_page_mark(); }

void cmd_gettext() {
  if (interp::skip_blanks() != '$') interp::report_errorf("構文エラー", "gettextの引数は文字変数です。");
  int32_t n = interp::read_variable_number();
  interp::set_string_variable(n, current_page_text());
}

}  // namespace text
