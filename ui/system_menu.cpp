#include "ui/system_menu.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

#include "graphics/screen.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "platform/messages.h"
#include "platform/msgbox.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "text/lookback_viewer.h"
#include "text/message_window.h"
#include "text/wait.h"
#include "ui/hooks.h"
#include "ui/menu.h"
#include "ui/right_click.h"
#include "ui/save_load_screen.h"
#include "ui/selection.h"

namespace ui {

SystemMenu system_menu;

namespace {

constexpr int32_t kSkipCommand = 40006;      // the menu bar's skip
constexpr int32_t kAutoModeCommand = 40019;  // the menu bar's automatic mode

struct Keyword {
  const char* word;
  int32_t action;
};

// rmenu's keywords; "lookback2" opens the lookback as "lookback" does.
const Keyword kMenuKeywords[] = {{"lookback", action_lookback},   {"windowerase", action_windowerase},
                                 {"load", action_load},           {"save", action_save},
                                 {"reset", action_reset},         {"skip", action_skip},
                                 {"lookback2", action_lookback2}, {"resetdlg", action_resetdlg}};

// systemcall's keywords besides "rmenu" and "automode".
const Keyword kCallKeywords[] = {{"lookback", action_lookback}, {"windowerase", action_windowerase},
                                 {"load", action_load},         {"save", action_save},
                                 {"reset", action_reset},       {"skip", action_skip},
                                 {"savedlg", action_savedlg},   {"loaddlg", action_loaddlg},
                                 {"resetdlg", action_resetdlg}};

int32_t find_keyword(const Keyword* table, size_t n, const std::string& word) {
  for (size_t i = 0; i < n; i++)
    if (word == table[i].word) return table[i].action;
  return -1;
}

// A keyword: a bare word, or a quoted string.
std::string read_keyword() {
  if (interp::skip_blanks() == '"') return interp::read_string();
  return interp::read_identifier();
}

// The window's text layers, kept while the menu draws over the screen.
struct SavedText {
  std::vector<uint8_t> coverage;
  std::vector<uint8_t> colour;
};

SavedText save_text() {
  text::TextLayers layers = text::text_layers();
  SavedText s;
  size_t pixels = static_cast<size_t>(platform::screen_width) * platform::screen_height;
  s.coverage.assign(layers.coverage_map, layers.coverage_map + pixels);
  s.colour = layers.colour_layer->pixels;
  return s;
}

void clear_text() {
  text::TextLayers layers = text::text_layers();
  std::fill_n(layers.coverage_map, static_cast<size_t>(platform::screen_width) * platform::screen_height, 0);
  std::fill(layers.colour_layer->pixels.begin(), layers.colour_layer->pixels.end(), 0);
}

void restore_text(const SavedText& s) {
  text::TextLayers layers = text::text_layers();
  size_t pixels = static_cast<size_t>(platform::screen_width) * platform::screen_height;
  if (s.coverage.size() == pixels) std::copy(s.coverage.begin(), s.coverage.end(), layers.coverage_map);
  if (s.colour.size() == layers.colour_layer->pixels.size()) layers.colour_layer->pixels = s.colour;
}

// The question with the slot's name put in.
std::string slot_question(const char* pattern_utf8, const std::string& name) {
  std::string pattern = platform::utf8_to_sjis(pattern_utf8);
  size_t at = pattern.find("%s");
  return pattern.substr(0, at) + name + pattern.substr(at + 2);
}

void stop_sound_and_reset() {
  if (ui_hooks.stop_all_sound) ui_hooks.stop_all_sound();
  interp::rmenu_reset_request = true;
}

// The load screen until a slot is loaded (true) or the screen is left.
bool load_from_screen() {
  while (!interp::quit_requested) {
    clear_text();
    clear_menu_screen();
    std::string name;
    int slot = show_save_load_menu(0, name);
    if (slot < 0) return false;
    clear_menu_screen();
    if (confirm(slot_question("%sをロードします。よろしいですか？", name)) != 1) continue;
    if (ui_hooks.load_save_file && ui_hooks.load_save_file(slot + 1)) {
      text::just_loaded = true;
      return true;
    }
    return false;
  }
  return false;
}

// The save screen until a slot is saved or the screen is left.
void save_from_screen() {
  while (!interp::quit_requested) {
    clear_text();
    clear_menu_screen();
    std::string name;
    int slot = show_save_load_menu(1, name);
    if (slot < 0) return;
    clear_menu_screen();
    if (confirm(slot_question("%sにセーブします。よろしいですか？", name)) != 1) continue;
    if (ui_hooks.write_save_file) ui_hooks.write_save_file(slot + 1);
    return;
  }
}

// Draws an answer of the confirmation.
ListItem answer_item(const char* utf8, int32_t x, int32_t y) {
  // Three menu cells wide, whatever the text.
  return menu_item(platform::utf8_to_sjis(utf8), x, y, selection_settings.menu_colour_off, 6);
}

}  // namespace

int confirm(const std::string& question) {
  const SelectionSettings& s = selection_settings;
  const MenuLayout& l = s.menu_layout;
  const text::MessageWindow& w = text::message_window;
  play_system_sound(s.menu_voice[menu_voice_open]);
  int32_t centre_y = platform::screen_height / 2;
  int32_t x = std::max<int32_t>(menu_centred_x(static_cast<int32_t>(question.size())), 1);
  int32_t colour = w.text_colour[0] << 16 | w.text_colour[1] << 8 | w.text_colour[2];
  draw_choice_text_at(question, x, centre_y - l.pitch_y, colour);
  ListItem answers[2] = {answer_item("はい　", platform::screen_width / 2 - 4 * l.pitch_x, centre_y),
                         answer_item("いいえ", platform::screen_width / 2 + 2 * l.pitch_x, centre_y)};
  answers[0].click_sound = s.menu_voice[menu_voice_yes];
  answers[1].click_sound = s.menu_voice[menu_voice_no];
  for (const ListItem& a : answers) draw_list_item(a);
  ListLook look = menu_look();
  look.sideways = true;
  int k = run_list(answers, 2, look);
  if (interp::quit_requested || k < 0) return -1;
  return k == 0 ? 1 : 0;
}

void run_system_menu(int code) {
  SavedText saved = save_text();
  bool saya = ui_hooks.mode_saya && ui_hooks.mode_saya();
  graphics::TheScreen.hide_low_sprites = saya;
  enter_menu_mode();
  bool show_lookback = false, erase_window = false;
  while (!interp::quit_requested) {
    clear_text();
    int32_t action = code;
    if (code == -1) {
      int k = run_choice_list(system_menu.count, 0, 0, system_menu.captions);
      if (interp::quit_requested || k < 0 || k >= system_menu.count) break;
      action = system_menu.actions[k];
    }
    if (action == action_lookback || action == action_lookback2) {
      show_lookback = true;
    } else if (action == action_windowerase) {
      erase_window = true;
    } else if (action == action_load) {
      load_from_screen();
    } else if (action == action_save) {
      save_from_screen();
    } else if (action == action_reset) {
      clear_text();
      clear_menu_screen();
      if (confirm(platform::utf8_to_sjis("終了します。よろしいですか？")) == 1) {
        stop_sound_and_reset();
      } else if (code == -1) {
        clear_menu_screen();
        continue;
      }
    } else if (action == action_skip) {
      platform::post_command(kSkipCommand);
    } else if (action == action_savedlg || action == action_loaddlg) {
      if (ui_hooks.save_load_dialog) ui_hooks.save_load_dialog(action == action_savedlg);
    } else if (action == action_resetdlg) {
      if (platform::ask_yes_no(platform::utf8_to_sjis("タイトルに戻る"),
                               platform::utf8_to_sjis("タイトルに戻ります。よろしいですか？")))
        stop_sound_and_reset();
    }
    break;
  }
  graphics::TheScreen.hide_low_sprites = false;
  restore_text(saved);
  leave_menu_mode();
  if (show_lookback) text::show_lookback();
  if (erase_window) hide_window_until_click();
}

void init_system_menu() { system_menu = SystemMenu{}; }

void cmd_rmenu() {
  SystemMenu m;
  do {
    if (m.count > 0) interp::advance();  // the comma
    std::string caption = interp::read_string();
    interp::expect_comma();
    int32_t action = find_keyword(kMenuKeywords, std::size(kMenuKeywords), read_keyword());
    if (action < 0) interp::report_errorf("エラー", "rmenu命令へのパラメータが間違っています。");
    if (m.count < kMaxSystemMenuEntries) {
      m.captions[m.count] = caption;
      m.actions[m.count] = action;
      m.count++;
    }
  } while (interp::skip_blanks() == ',');
  system_menu = m;
  right_click_mode = 1;
}

void cmd_rlookback() { right_click_mode = -1; }

void cmd_roff() { right_click_mode = -2; }

void cmd_rgosub() {
  rgosub_label = interp::read_label();
  right_click_mode = 2;
}

void cmd_rmode() { right_click_enabled = interp::read_number(); }

void cmd_systemcall() {
  std::string word = read_keyword();
  platform::remove_messages(platform::msg_left_button_up);
  if (word == "rmenu") {
    show_right_click_menu(-1);
  } else if (word == "automode") {
    platform::post_command(kAutoModeCommand);
  } else {
    int32_t action = find_keyword(kCallKeywords, std::size(kCallKeywords), word);
    if (action < 0) interp::report_errorf("エラー", "systemcall命令へのパラメータが間違っています。");
    if (action == action_savedlg) {
      // The text the dialog is given, and the comma after it.
      interp::read_string();
      interp::expect_comma();
    }
    show_right_click_menu(action);
  }
  if (interp::rmenu_reset_request) interp::reset_to_start();
  text::just_loaded = false;
}

void cmd_reset() {
  if (ui_hooks.stop_all_sound) ui_hooks.stop_all_sound();
  interp::reset_to_start();
}

}  // namespace ui
