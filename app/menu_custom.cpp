#include "app/menu_custom.h"

#include <algorithm>
#include <cctype>

#include "app/context.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "platform/glyphs.h"
#include "platform/messages.h"
#include "platform/sjis.h"
#include "text/wait.h"

namespace app {

int32_t menu_customised = 0;
int32_t extended_menu = 0;
int32_t mode_saya = 0;
int32_t mode_kanade = 0;

namespace {

constexpr size_t kMaxFonts = 999;

struct MenuKeyword {
  const char* keyword;
  int32_t command;
};
// Compared after conversion to upper case.
constexpr MenuKeyword kMenuKeywords[] = {
    {"RESET", 40028},    {"END", 40001},       {"FULL", 40002},     {"WINDOW", 40003},      {"VERSION", 40005},
    {"SKIP", 40006},     {"AUTO", 40019},      {"CDDRIVE", 40020},  {"DWAVEVOLUME", 40024}, {"WAVEON", 40017},
    {"CDON", 40021},     {"CDOFF", 40022},     {"TEXTSLOW", 40014}, {"TEXTMIDDLE", 40015},  {"TEXTFAST", 40016},
    {"CLICKDEF", 40008}, {"CLICKPAGE", 40007}, {"KIDOKUON", 40025}, {"KIDOKUOFF", 40026},   {"WAVEOFF", 40018},
};

std::string default_font_sjis() { return platform::utf8_to_sjis("ＭＳ ゴシック"); }

// The list that holds the item 40004, searched through the submenus.
platform::MenuList* list_with_default_font(platform::MenuList& menu) {
  for (platform::MenuItem& m : menu) {
    if (!m.popup && m.submenu.empty() && m.id == 40004 && !m.text.empty()) return &menu;
    if (platform::MenuList* found = list_with_default_font(m.submenu)) return found;
  }
  return nullptr;
}

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

const std::vector<std::string>& font_list() {
  // Enumerating the fonts costs tens of milliseconds; the set of installed
  // fonts does not change while the game runs.
  static const std::vector<std::string> fonts = [] {
    std::vector<std::string> all = platform::list_font_faces();
    if (all.size() > kMaxFonts) all.resize(kMaxFonts);
    return all;
  }();
  return fonts;
}

int32_t font_menu_id(const std::string& face_sjis) {
  const std::vector<std::string>& fonts = font_list();
  for (size_t i = 0; i < fonts.size(); ++i)
    if (fonts[i] == face_sjis) return static_cast<int32_t>(i);
  return -1;
}

void fill_font_menu(platform::MenuList& menu) {
  platform::MenuList* list = list_with_default_font(menu);
  if (!list) return;
  const std::vector<std::string>& fonts = font_list();
  for (size_t i = 0; i < fonts.size(); ++i) {
    size_t at = 0;
    while (at < list->size() && !((*list)[at].id == 40004 && !(*list)[at].popup)) ++at;
    platform::insert_menu_item(
        *list, at, platform::menu_command(platform::sjis_to_utf8(fonts[i]).c_str(), static_cast<int32_t>(i)));
  }
}

void reset_menu_settings() {
  menu_customised = 0;
  extended_menu = 0;
  mode_saya = 0;
  mode_kanade = 0;
  platform::menu_bar() = platform::idr_menu();
  platform::check_menu_item(platform::menu_bar(), 40004, true);
  fill_font_menu(platform::menu_bar());
  platform::menu_bar_changed();
}

void finish_menu() {
  menu_font_face = default_font_sjis();
  platform::MenuList& bar = platform::menu_bar();
  if (menu_customised) {
    platform::menu_bar_changed();
    platform::post_command(app_context->full_screen ? 40002 : 40003);
    platform::post_command(waves_enabled ? 40017 : 40018);
    platform::post_command(text::read_skip_only ? 40025 : 40026);
    platform::post_command(cd_enabled ? 40021 : 40022);
    platform::post_command(text::page_click_mode ? 40007 : 40008);
    platform::post_command(40014 + std::clamp(text_speed_setting, 0, 2));
    current_font_item = -1;
    int32_t font = font_menu_id(menu_font_face);
    platform::post_command(menu_font_face == default_font_sjis() || font < 0 ? 40004 : font);
    return;
  }
  if (extended_menu || text::auto_mode_allowed) return;
  for (size_t i = 0; i < bar.size() && i < 10;) {
    const platform::MenuItem& m = bar[i];
    if (!m.popup && m.submenu.empty() && m.id == 40019)
      platform::delete_menu_position(bar, i);
    else
      ++i;
  }
  for (platform::MenuItem& m : bar) {
    if (!m.popup && m.submenu.empty()) continue;
    if (m.submenu.size() > 2 && m.submenu[2].id == 40024 && !m.submenu[2].popup)
      platform::delete_menu_position(m.submenu, 2);
  }
  platform::menu_bar_changed();
}

void cmd_resetmenu() {
  if (menu_customised) interp::report_errorf("エラー", "resetmenuは一度だけしか使えません。");
  platform::menu_bar().clear();
  menu_customised = 1;
  platform::menu_bar_changed();
}

void cmd_insertmenu() {
  if (!menu_customised) interp::report_errorf("エラー", "resetmenuを使わないとメニューをカスタムできません。");
  std::string label = platform::sjis_to_utf8(interp::read_string());
  interp::expect_comma();
  std::string keyword = interp::read_identifier();
  int32_t depth = 0;
  if (interp::skip_blanks() == ',') {
    interp::advance();
    depth = interp::read_number();
  }
  platform::MenuList* target = &platform::menu_bar();
  for (int32_t level = 0; level < depth; ++level) {
    if (level >= kMaxMenuDepth)
      interp::report_errorf("エラー", "メニューの階層が深すぎます。サブメニューは二段までです。");
    if (target->empty() || !((*target)[0].popup || !(*target)[0].submenu.empty()))
      interp::report_errorf("エラー", "insertmenuの階層指定に当たるサブメニューがありません。");
    target = &(*target)[0].submenu;
  }
  for (const MenuKeyword& k : kMenuKeywords)
    if (upper(keyword) == k.keyword) {
      platform::insert_menu_item(*target, 0, platform::menu_command(label.c_str(), k.command));
      platform::menu_bar_changed();
      return;
    }
  bool font = keyword == "font", sub = keyword == "sub";
  if (!font && !sub) interp::report_errorf("エラー", "メニューカスタマイズ指定が間違っています。");
  if (depth >= kMaxMenuDepth)
    interp::report_errorf("エラー", "メニューの階層が深すぎます。サブメニューは二段までです。");
  platform::MenuList items;
  if (font) items.push_back(platform::menu_command("デフォルト", 40004, true));
  platform::insert_menu_item(*target, 0, platform::menu_popup(label.c_str(), std::move(items)));
  if (font) fill_font_menu((*target)[0].submenu);
  platform::menu_bar_changed();
}

void cmd_killmenu() {
  int32_t position = interp::read_number();
  if (position >= 0) platform::delete_menu_position(platform::menu_bar(), static_cast<size_t>(position));
  platform::menu_bar_changed();
}

void cmd_mode_ext() { extended_menu = 1; }

void cmd_versionstr() {
  std::string first = interp::read_string();
  interp::expect_comma();
  std::string second = interp::read_string();
  version_text[0] = first;
  version_text[1] = second;
}

void cmd_mode_saya() { mode_saya = 1; }
void cmd_mode_kanade() { mode_kanade = 1; }

}  // namespace app
