// Menu customisation in the define block, the font menu and the menu bar
// the game starts with.
#include <gtest/gtest.h>

#include "app/context.h"
#include "app/menu_custom.h"
#include "interp/runloop.h"
#include "platform/menu.h"
#include "platform/messages.h"
#include "platform/sjis.h"
#include "tests/support/game_folder.h"
#include "tests/support/script_fixture.h"
#include "text/wait.h"

using platform::MenuList;
using testsupport::fatal_of;
using testsupport::load_script;

namespace {

class MenuCustom : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::clear_messages();
    text::reset_wait_defaults();
    app::reset_menu_settings();
  }
  void TearDown() override {
    platform::clear_messages();
    app::reset_menu_settings();
  }
  // Runs one command on `args` as its script.
  std::string run(void (*command)(), const std::string& args) {
    load_script(args);
    return fatal_of(command);
  }
  static std::string texts(const MenuList& list) {
    std::string out;
    for (const platform::MenuItem& m : list) out += (out.empty() ? "" : ",") + m.text;
    return out;
  }
};

}  // namespace

TEST_F(MenuCustom, InsertionsGoFirstAndDepthReachesTheLastSubmenu) {
  ASSERT_EQ(run(app::cmd_resetmenu, ""), "");
  EXPECT_TRUE(platform::menu_bar().empty());
  ASSERT_EQ(run(app::cmd_insertmenu, "\"A\",reset"), "");
  ASSERT_EQ(run(app::cmd_insertmenu, "\"B\",END"), "");
  EXPECT_EQ(texts(platform::menu_bar()), "B,A");
  EXPECT_EQ(platform::menu_bar()[0].id, 40001);
  EXPECT_EQ(platform::menu_bar()[1].id, 40028);
  ASSERT_EQ(run(app::cmd_insertmenu, "\"Sub\",sub"), "");
  ASSERT_EQ(run(app::cmd_insertmenu, "\"x\",textslow,1"), "");
  ASSERT_EQ(run(app::cmd_insertmenu, "\"y\",TextFast , 1"), "");
  ASSERT_EQ(run(app::cmd_insertmenu, "\"Inner\",sub,1"), "");
  ASSERT_EQ(run(app::cmd_insertmenu, "\"z\",kidokuon,2"), "");
  const MenuList& bar = platform::menu_bar();
  EXPECT_EQ(texts(bar), "Sub,B,A");
  EXPECT_EQ(texts(bar[0].submenu), "Inner,y,x");
  EXPECT_EQ(bar[0].submenu[1].id, 40016);
  EXPECT_EQ(texts(bar[0].submenu[0].submenu), "z");
  EXPECT_EQ(bar[0].submenu[0].submenu[0].id, 40025);
  // A font submenu: the installed fonts, then デフォルト checked.
  ASSERT_EQ(run(app::cmd_insertmenu, "\"F\",font"), "");
  const MenuList& fonts = platform::menu_bar()[0].submenu;
  ASSERT_EQ(fonts.size(), app::font_list().size() + 1);
  EXPECT_EQ(fonts.back().id, 40004);
  EXPECT_TRUE(fonts.back().checked);
  for (size_t i = 0; i < app::font_list().size(); ++i) {
    EXPECT_EQ(fonts[i].id, static_cast<int32_t>(i));
    EXPECT_EQ(platform::utf8_to_sjis(fonts[i].text), app::font_list()[i]);
  }
  // killmenu by position; one past the end changes nothing.
  ASSERT_EQ(run(app::cmd_killmenu, "1"), "");
  ASSERT_EQ(run(app::cmd_killmenu, "9"), "");
  EXPECT_EQ(texts(platform::menu_bar()), "F,B,A");
}

TEST_F(MenuCustom, ErrorsOfTheMenuCommands) {
  EXPECT_EQ(run(app::cmd_insertmenu, "\"A\",reset"), "エラー|resetmenuを使わないとメニューをカスタムできません。");
  ASSERT_EQ(run(app::cmd_resetmenu, ""), "");
  EXPECT_EQ(run(app::cmd_resetmenu, ""), "エラー|resetmenuは一度だけしか使えません。");
  EXPECT_EQ(run(app::cmd_insertmenu, "\"A\",frobnicate"), "エラー|メニューカスタマイズ指定が間違っています。");
  EXPECT_EQ(run(app::cmd_insertmenu, "\"A\" reset"), "構文エラー|コンマが必要なところにコンマが有りません。");
  // Depth without a submenu to descend into, and too deep for the strip.
  EXPECT_EQ(run(app::cmd_insertmenu, "\"A\",reset,1"), "エラー|insertmenuの階層指定に当たるサブメニューがありません。");
  ASSERT_EQ(run(app::cmd_insertmenu, "\"S\",sub"), "");
  ASSERT_EQ(run(app::cmd_insertmenu, "\"T\",sub,1"), "");
  EXPECT_EQ(run(app::cmd_insertmenu, "\"U\",sub,2"), "エラー|メニューの階層が深すぎます。サブメニューは二段までです。");
  EXPECT_EQ(run(app::cmd_insertmenu, "\"V\",reset,3"),
            "エラー|メニューの階層が深すぎます。サブメニューは二段までです。");
  EXPECT_EQ(run(app::cmd_insertmenu, "\"V\",reset,2000000000"),
            "エラー|メニューの階層が深すぎます。サブメニューは二段までです。");
  EXPECT_EQ(texts(platform::menu_bar()[0].submenu), "T");
}

TEST_F(MenuCustom, TheGameStartsWithoutTheExtendedItemsUnlessAsked) {
  app::finish_menu();
  EXPECT_EQ(platform::find_menu_item(platform::menu_bar(), 40019), nullptr);
  EXPECT_EQ(platform::find_menu_item(platform::menu_bar(), 40024), nullptr);
  EXPECT_NE(platform::find_menu_item(platform::menu_bar(), 40018), nullptr);
  EXPECT_EQ(platform::menu_bar().size(), 9u);
  EXPECT_EQ(platform::utf8_to_sjis("ＭＳ ゴシック"), app::menu_font_face);

  app::reset_menu_settings();
  ASSERT_EQ(run(app::cmd_mode_ext, ""), "");
  app::finish_menu();
  EXPECT_NE(platform::find_menu_item(platform::menu_bar(), 40019), nullptr);
  EXPECT_NE(platform::find_menu_item(platform::menu_bar(), 40024), nullptr);

  // A custom bar gets its check marks from the state through posted commands.
  app::reset_menu_settings();
  ASSERT_EQ(run(app::cmd_resetmenu, ""), "");
  ASSERT_EQ(run(app::cmd_insertmenu, "\"slow\",textslow"), "");
  ASSERT_EQ(run(app::cmd_insertmenu, "\"off\",waveoff"), "");
  ASSERT_EQ(run(app::cmd_insertmenu, "\"on\",waveon"), "");
  app::text_speed_setting = 0;
  app::waves_enabled = 0;
  app::cd_enabled = 1;
  app::app_context->full_screen = 0;
  text::page_click_mode = 0;
  text::read_skip_only = 0;
  app::finish_menu();
  std::vector<int32_t> posted;
  platform::Message m;
  while (platform::peek_message(m, platform::msg_command)) posted.push_back(m.param);
  EXPECT_EQ(posted, (std::vector<int32_t>{40003, 40018, 40026, 40021, 40008, 40014, 40004}));
  EXPECT_EQ(app::current_font_item, -1);
  app::text_speed_setting = 1;
  app::waves_enabled = 1;
}

TEST(MenuCustomProgram, DefinitionOnlyAndCustomBarRuns) {
  // The commands exist in the define block only, and a custom bar plays.
  auto r = testsupport::run_game("一",
                                 "resetmenu\ninsertmenu \"終了\",end\ninsertmenu \"音\",sub\n"
                                 "insertmenu \"切\",waveoff,1\nmode_ext\nmode_saya\nmode_kanade\n"
                                 "versionstr \"A\",\"B\"\nkillmenu 5\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "一\n");
  r = testsupport::run_game("resetmenu");
  EXPECT_EQ(testsupport::error_box(r), "構文エラー\n不正な命令\"resetmenu\"です。");
  r = testsupport::run_game("", "insertmenu \"A\",bogus\n");
  EXPECT_EQ(testsupport::error_box(r), "エラー\nresetmenuを使わないとメニューをカスタムできません。");
}
