#include "script/define.h"

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "text/message_window.h"

namespace script {

void cmd_numalias() {
  if (interp::num_alias_count() >= interp::kMaxAliases) interp::report_errorf("エラー", "数字エイリアスが多すぎます。");
  std::string name = interp::read_identifier();
  if (interp::find_num_alias(name))
    interp::report_errorf("エラー", "数字エイリアス%sが二重定義されています。", name.c_str());
  interp::expect_comma();
  interp::add_num_alias(name, interp::read_number());
}

void cmd_stralias() {
  if (interp::str_alias_count() >= interp::kMaxAliases)
    interp::report_errorf("エラー", "文字列エイリアスが多すぎます。");
  std::string name = interp::read_identifier();
  if (interp::find_str_alias(name))
    interp::report_errorf("エラー", "文字列エイリアス%sが二重定義されています。", name.c_str());
  interp::expect_comma();
  interp::add_str_alias(name, interp::read_string());
}

void cmd_game() {
  // The stored menu preferences are applied here once the settings exist.
  text::finish_define_block();
  interp::define_finished = true;
}

void cmd_definereset() { interp::restart_requested = true; }

}  // namespace script
