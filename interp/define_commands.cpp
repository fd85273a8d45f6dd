#include "interp/define_commands.h"

#include "interp/error.h"
#include "interp/hooks.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"

namespace interp {

void cmd_numalias() {
  if (num_alias_count() >= kMaxAliases) report_errorf("エラー", "数字エイリアスが多すぎます。");
  std::string name = read_identifier();
  if (find_num_alias(name)) report_errorf("エラー", "数字エイリアス%sが二重定義されています。", name.c_str());
  expect_comma();
  add_num_alias(name, read_number());
}

void cmd_stralias() {
  if (str_alias_count() >= kMaxAliases) report_errorf("エラー", "文字列エイリアスが多すぎます。");
  std::string name = read_identifier();
  if (find_str_alias(name)) report_errorf("エラー", "文字列エイリアス%sが二重定義されています。", name.c_str());
  expect_comma();
  add_str_alias(name, read_string());
}

void cmd_game() {
  // The stored menu preferences are applied here once the settings exist.
  if (hooks.finish_define_block) hooks.finish_define_block();
  define_finished = true;
}

void cmd_definereset() { restart_requested = true; }

}  // namespace interp
