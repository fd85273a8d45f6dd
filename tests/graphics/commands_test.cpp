#include <gtest/gtest.h>

#include "graphics/archive.h"
#include "graphics/commands.h"
#include "graphics/effect.h"
#include "graphics/screen.h"
#include "graphics_test_util.h"
#include "interp/variables.h"
#include "tests/support/game_folder.h"
#include "tests/support/script_fixture.h"

using graphics::TheScreen;
using testsupport::fatal_of;
using testsupport::load_script;

namespace {

uint32_t shown_at(int x, int y) {
  const uint8_t* p = TheScreen.display.row(y) + 3 * x;
  return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

class Commands : public gtest_graphics::GameFolder {
 protected:
  void SetUp() override {
    gtest_graphics::GameFolder::SetUp();
    graphics::start_pictures(640, 480);
    gtest_graphics::write_file("red.bmp", gtest_graphics::solid_bmp(16, 16, 0xff0000));
    gtest_graphics::write_file("green.bmp", gtest_graphics::solid_bmp(16, 16, 0x00ff00));
  }
  // Runs one command on the argument text.
  void run(void (*cmd)(), const std::string& args) {
    load_script(args);
    cmd();
  }
};

TEST_F(Commands, PrintZeroKeepsSpritesPendingUntilPrintOne) {
  run(graphics::cmd_lsp, "1,\":c;red.bmp\",10,10");
  run(graphics::cmd_lsp, "0,\":c;green.bmp\",18,18");
  run(graphics::cmd_print, "0");
  EXPECT_EQ(shown_at(20, 20), 0u);
  run(graphics::cmd_print, "1");
  EXPECT_EQ(shown_at(12, 12), 0xff0000u);
  EXPECT_EQ(shown_at(20, 20), 0x00ff00u);  // sprite 0 above sprite 1
}

TEST_F(Commands, BackgroundColoursWordsAndPictures) {
  run(graphics::cmd_bg, "white,1");
  EXPECT_EQ(shown_at(0, 0), 0xffffffu);
  EXPECT_EQ(TheScreen.background_text, "white");
  run(graphics::cmd_bg, "#75FE1B,1");
  EXPECT_EQ(shown_at(639, 479), 0x75fe1bu);
  EXPECT_EQ(TheScreen.background_text, "#75FE1B");
  run(graphics::cmd_bg, "\"red.bmp\",1");
  EXPECT_EQ(shown_at(320, 240), 0xff0000u);  // 16 x 16 at (312, 232)
  EXPECT_EQ(shown_at(311, 240), 0u);
  // A word that is no colour is a string alias naming the picture.
  load_script("pic,1");
  interp::add_str_alias("pic", "green.bmp");
  graphics::cmd_bg();
  EXPECT_EQ(shown_at(320, 240), 0x00ff00u);
  EXPECT_EQ(fatal_of([this] { run(graphics::cmd_bg, "#75fe1;,1"); }),
            "構文エラー|カラー指定が間違っています。HTMLと同じ形式（例：#75fe1b）で指定してください。");
}

TEST_F(Commands, StandingPicturesAndInlineEffects) {
  run(graphics::cmd_ld, "c,\":c;red.bmp\",1");
  EXPECT_EQ(shown_at(320, 470), 0xff0000u);
  run(graphics::cmd_tal, "c,128,1");
  EXPECT_EQ(shown_at(320, 470), 0x800000u);  // T[255][128] over black
  run(graphics::cmd_cl, "a,1");
  EXPECT_EQ(shown_at(320, 470), 0u);
  // An inline effect: kind 1 with a duration.
  run(graphics::cmd_ld, "l,\":c;green.bmp\",1,500");
  EXPECT_EQ(shown_at(160, 470), 0x00ff00u);
  run(graphics::cmd_ld, "r,\":c;red.bmp\",10,20");  // a crossfade, ending on the picture
  EXPECT_EQ(shown_at(480, 470), 0xff0000u);
}

TEST_F(Commands, SpriteCommandsReadTheirArguments) {
  run(graphics::cmd_lsp, "3,\":c;red.bmp\",0,0,100");
  EXPECT_EQ(TheScreen.sprites[3].image.alpha, 100);
  run(graphics::cmd_msp, "3,5,6,-200");
  EXPECT_EQ(TheScreen.sprites[3].x, 5);
  EXPECT_EQ(TheScreen.sprites[3].image.alpha, 0);
  run(graphics::cmd_amsp, "3,40,50");
  EXPECT_EQ(TheScreen.sprites[3].y, 50);
  EXPECT_EQ(TheScreen.sprites[3].image.alpha, 0);
  run(graphics::cmd_vsp, "3,0");
  EXPECT_FALSE(TheScreen.sprites[3].visible);
  run(graphics::cmd_lsph, "4,\":c;red.bmp\",1,2");
  EXPECT_FALSE(TheScreen.sprites[4].visible);
  run(graphics::cmd_cell, "4,0");
  run(graphics::cmd_spstr, "\"P4C3\"");
  EXPECT_TRUE(TheScreen.sprites[4].visible);
  run(graphics::cmd_csp, "-1");
  EXPECT_TRUE(TheScreen.sprites[4].tag.empty());
  EXPECT_EQ(fatal_of([this] { run(graphics::cmd_vsp, "9,1"); }),
            "エラー|定義されていないスプライト9を使おうとしました。");
}

TEST_F(Commands, DefinitionSettings) {
  EXPECT_EQ(fatal_of([this] { run(graphics::cmd_humanz, "256"); }), "エラー|humanz指定が範囲外です。");
  run(graphics::cmd_humanz, "10");
  EXPECT_EQ(TheScreen.humanz, 10);
  run(graphics::cmd_underline, "400");
  run(graphics::cmd_bgalia, "1,2,3,4");
  EXPECT_EQ(TheScreen.bgalia_w, 3);
  run(graphics::cmd_transmode, "copy");
  EXPECT_EQ(graphics::loader_settings.default_trans_mode, graphics::kTransCopy);
  run(graphics::cmd_transmode, "other");
  EXPECT_EQ(graphics::loader_settings.default_trans_mode, graphics::kTransCopy);
  run(graphics::cmd_zpkdir, "\"data\\\"");
  EXPECT_EQ(graphics::archive_settings.zpk_dir, "data");
  run(graphics::cmd_effect, "5,1");
  EXPECT_EQ(graphics::EffectTable[5].kind, 1);
  run(graphics::cmd_effect, "6,15,300,\"mask.bmp\"");
  EXPECT_EQ(graphics::EffectTable[6].mask, "mask.bmp");
  EXPECT_EQ(fatal_of([this] { run(graphics::cmd_effect, "1,1"); }),
            "パラメータエラー|effect命令の第一パラメータは2～255です。");
  EXPECT_EQ(fatal_of([this] { run(graphics::cmd_monocro, "on"); }),
            "構文エラー|monocro命令の次は#rrggbbで色指定、もしくは、offでモノクロ指定を解除、です。");
}

TEST_F(Commands, FiltersThroughTheCommands) {
  run(graphics::cmd_bg, "#1e140a,1");
  run(graphics::cmd_nega, "1");
  run(graphics::cmd_monocro, "#ff0000");
  run(graphics::cmd_print, "1");
  EXPECT_EQ(shown_at(9, 9), 0xeb0000u);
  run(graphics::cmd_monocro, "off");
  run(graphics::cmd_nega, "0");
  run(graphics::cmd_print, "1");
  EXPECT_EQ(shown_at(9, 9), 0x1e140au);
}

// Through the program: the definition commands, an archive picture, errors.
TEST(GraphicsScenario, RunsHeadless) {
  testsupport::GameFolder g;
  auto bmp = gtest_graphics::solid_bmp(4, 4, 0x123456);
  gtest_graphics::write_file(
      g.path() + "/arc.zpk",
      gtest_graphics::make_zpk({{"pic\\a.bmp", 2, gtest_graphics::lzss_literals(bmp), uint32_t(bmp.size())}}));
  g.write_text("0.txt",
               "*define\nzpk\ntransmode copy\nhumanz 100\neffect 2,1\ngame\n*start\n"
               "bg black,1\nlsp 0,\"PIC/A.BMP\",1,1\nprint 2\n読めた\nhumanz 5\nend\n");
  auto r = testsupport::run_headless(g.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "読めた\n");
  // humanz is a definition command: outside the block it is no command.
  EXPECT_NE(r.err.find("humanz"), std::string::npos) << r.err;
  g.write_text("0.txt", "*define\nhumanz 256\ngame\n*start\nend\n");
  r = testsupport::run_headless(g.path());
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "エラー\nhumanz指定が範囲外です。");
}

}  // namespace

namespace {

// spwait runs through the cells and returns; sprites that cannot step return at once.
TEST(GraphicsScenario, SpwaitEnds) {
  testsupport::GameFolder g;
  gtest_graphics::write_file(g.path() + "/a.bmp", gtest_graphics::solid_bmp(30, 10, 0x102030));
  g.write_text("0.txt",
               "*define\ngame\n*start\n"
               "lsp 0,\":c/3,20,0;a.bmp\",0,0\nlsp 1,\":c/3,20,1;a.bmp\",0,0\n"
               "lsp 2,\":c/3,20,2;a.bmp\",0,0\nlsph 3,\":c/3,20,0;a.bmp\",0,0\nlsp 4,\":c/3,20,3;a.bmp\",0,0\n"
               "print 1\nspwait 0\nspwait 1\nspwait 2\nspwait 3\nspwait 4\n終わり\nend\n");
  auto r = testsupport::run_headless(g.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "終わり\n");
  // A stop-mode sprite put past its last cell can never reach it.
  g.write_text("0.txt",
               "*define\ngame\n*start\nlsp 0,\":c/3,10,1;a.bmp\",0,0\ncell 0,100\nspwait 0\n"
               "lsp 1,\":c/2,10,2;a.bmp\",0,0\ncell 1,-2147483648\nlsp 2,\":c/2,10,0;a.bmp\",0,0\n"
               "cell 2,2147483647\nwait 100\n終わり\nend\n");
  r = testsupport::run_program(g.path(), {"--headless", "--virtual-clock", "--transcript", "-"}, 10000);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "終わり\n");
}

}  // namespace
