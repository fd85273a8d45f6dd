#include "save/save_commands.h"

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/calendar.h"
#include "platform/player_files.h"
#include "platform/sjis.h"
#include "save/save_file.h"
#include "text/wait.h"

namespace save {

SaveMenuSettings save_menu_settings;

namespace {

int32_t& numeric_argument(const char* title, const char* message) {
  if (interp::skip_blanks() != '%')
    interp::report_error(platform::utf8_to_sjis(title).c_str(), platform::utf8_to_sjis(message).c_str());
  return interp::numeric_variable(interp::read_variable_number());
}

}  // namespace

void reset_save_menu_settings() {
  save_menu_settings.slot_count = 9;
  save_menu_settings.save_title = platform::utf8_to_sjis("＜セーブ＞");
  save_menu_settings.load_title = platform::utf8_to_sjis("＜ロード＞");
  save_menu_settings.slot_word = platform::utf8_to_sjis("しおり");
}

void cmd_savegame() { write_save_file(interp::read_number()); }

void cmd_loadgame() {
  if (load_save_file(interp::read_number())) text::just_loaded = true;
}

void cmd_savefileexist() {
  int32_t& v = numeric_argument("エラー", "savefileexistの第一引数は数字変数です。");
  interp::expect_comma();
  int32_t slot = interp::read_number();
  v = platform::player_file_exists(save_file_name(slot)) ? 1 : 0;
  interp::apply_intlimits();
}

void cmd_saveon() { interp::save_point_flag = true; }
void cmd_saveoff() { interp::save_point_flag = false; }

void cmd_savename() {
  std::string save_title = interp::read_string();
  interp::expect_comma();
  std::string load_title = interp::read_string();
  interp::expect_comma();
  std::string slot_word = interp::read_string();
  save_menu_settings.save_title = save_title;
  save_menu_settings.load_title = load_title;
  save_menu_settings.slot_word = slot_word;
}

void cmd_savenumber() { save_menu_settings.slot_count = interp::read_number(); }

void cmd_savetime() {
  int32_t slot = interp::read_number();
  interp::expect_comma();
  int32_t& month = numeric_argument("構文エラー", "savedateの第二引数は数字変数です。");
  interp::expect_comma();
  int32_t& day = numeric_argument("構文エラー", "savedateの第三引数は数字変数です。");
  interp::expect_comma();
  int32_t& hour = numeric_argument("構文エラー", "savedateの第四引数は数字変数です。");
  interp::expect_comma();
  int32_t& minute = numeric_argument("構文エラー", "savedateの第五引数は数字変数です。");
  platform::LocalTime t;
  if (platform::player_file_time(save_file_name(slot), t)) {
    month = t.month;
    day = t.day;
    hour = t.hour;
    minute = t.minute;
  } else {
    month = 0;
  }
  interp::apply_intlimits();
}

}  // namespace save
