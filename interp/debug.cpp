#include "interp/debug.h"

#include <cstdio>

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/files.h"

namespace interp {

bool debug_caption_flag = false;
std::string debug_caption;
bool debug_mode = false;

void update_debug_caption(bool skipping) {
  if (!debug_caption_flag) return;
  if (skipping) {
    debug_caption = "---";
    return;
  }
  ScriptLocation where = locate_position(ScriptPosition);
  char caption[64];
  std::snprintf(caption, sizeof caption, "(DebugMode) %d.txt line:%d", where.file, where.line);
  debug_caption = caption;
}

void check_debug_marker() { debug_mode = platform::game_file_exists("debug.580"); }

void cmd_errorsave() { error_save_flag = true; }

void cmd_createdebugwindow() { debug_caption_flag = true; }

void cmd_chkdbg() {
  if (skip_blanks() != '%') report_errorf("構文エラー", "chkdbgの第一引数は数字変数です。");
  int32_t& v = numeric_variable(read_variable_number());
  v = platform::game_file_exists("72604183") ? 1 : 0;
  apply_intlimits();
}

}  // namespace interp
