// The effect commands read their arguments as written, and the shakes and
// the zoom flash leave the window and the surfaces as they should.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/commands.h"
#include "graphics/effect.h"
#include "graphics/effect_commands.h"
#include "graphics/screen.h"
#include "graphics/shake.h"
#include "graphics/window_picture.h"
#include "graphics_test_util.h"
#include "interp/variables.h"
#include "platform/clock.h"
#include "tests/support/game_folder.h"
#include "tests/support/script_fixture.h"

using graphics::DibSurface;
using graphics::EffectTable;
using graphics::TheScreen;
using testsupport::fatal_of;
using testsupport::load_script;

namespace {

std::vector<DibSurface> shown;

uint32_t pixel(const DibSurface& s, int x, int y) {
  const uint8_t* p = s.row(y) + 3 * x;
  return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

class EffectCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    load_script("");  // also turns error boxes into exceptions
    platform::use_virtual_clock(true);
    TheScreen = graphics::Screen();
    graphics::reset_screen(64, 48);
    graphics::reset_effect_table();
    graphics::reset_window_effect();
    graphics::effect_settings = graphics::EffectSettings();
    shown.clear();
    graphics::effect_hooks.present_picture = [](DibSurface* p) {
      if (p) shown.push_back(*p);
    };
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) TheScreen.display.row(y)[3 * x + 2] = uint8_t(100 + x);
  }
  void TearDown() override {
    graphics::effect_hooks = graphics::EffectHooks();
    platform::use_virtual_clock(false);
    interp::set_fatal_hook(nullptr);
  }
};

TEST_F(EffectCommands, EffectDefinesNumbersTwoToTwoFiftyFive) {
  load_script("2,10,1000");
  graphics::cmd_effect();
  EXPECT_EQ(EffectTable[2].kind, 10);
  EXPECT_EQ(EffectTable[2].duration, 1000);
  load_script("255,15,500,\"mask.bmp\"");
  graphics::cmd_effect();
  EXPECT_EQ(EffectTable[255].mask, "mask.bmp");
  load_script("3,1");  // immediate: no duration
  graphics::cmd_effect();
  EXPECT_EQ(EffectTable[3].kind, 1);
  for (const char* bad : {"1,10,100", "256,10,100", "0,1", "-1,1"})
    EXPECT_EQ(fatal_of([bad] {
                load_script(bad);
                graphics::cmd_effect();
              }),
              "パラメータエラー|effect命令の第一パラメータは2～255です。")
        << bad;
}

TEST_F(EffectCommands, UndefinedNumbersAndUnknownKindsAreErrors) {
  EXPECT_EQ(fatal_of([] { graphics::effect_definition(9); }), "エラー|未定義のエフェクトを使いました");
  load_script("9,19,100");
  graphics::cmd_effect();  // defined, but no such kind
  EXPECT_EQ(fatal_of([] { graphics::run_effect(EffectTable[9].kind, 100, "", nullptr); }),
            "エラー|不正なエフェクト番号です。EFFECT命令をチェックしてください。");
  EXPECT_EQ(fatal_of([] { graphics::run_effect(-1, 100, "", nullptr); }), "エラー|未定義のエフェクトを使いました");
}

TEST_F(EffectCommands, WindowEffectAndSettings) {
  EXPECT_EQ(graphics::window_effect.kind, 1);
  load_script("18,300,\"m.bmp\"");
  graphics::cmd_windoweffect();
  EXPECT_EQ(graphics::window_effect.kind, 18);
  EXPECT_EQ(graphics::window_effect.duration, 300);
  EXPECT_EQ(graphics::window_effect.mask, "m.bmp");
  load_script("75");
  graphics::cmd_effectblank();
  EXPECT_EQ(graphics::effect_settings.blank_ms, 75);
  graphics::cmd_effectcut();
  EXPECT_TRUE(graphics::effect_settings.cut);
  load_script("1");
  graphics::cmd_seteffectspeed();
  load_script("%7");
  graphics::cmd_geteffectspeed();
  EXPECT_EQ(interp::NumericVariables[7], 1);
  EXPECT_EQ(fatal_of([] {
              load_script("$7");
              graphics::cmd_geteffectspeed();
            }),
            "構文エラー|geteffectspeedの第一引数は数字変数です。");
}

TEST_F(EffectCommands, QuakeSwingsAndComesBackToRest) {
  uint32_t start = platform::clock_ms();
  graphics::quake_swing(false, 2, 320);
  // Two swings of 16 positions, 10 ms each, then the picture at rest.
  ASSERT_EQ(shown.size(), 33u);
  EXPECT_EQ(platform::clock_ms() - start, 320u);
  EXPECT_EQ(pixel(shown[1], 8, 5), pixel(TheScreen.display, 0, 5));   // 4k = 8
  EXPECT_EQ(pixel(shown[1], 7, 5), 0u);                               // uncovered strip
  EXPECT_EQ(pixel(shown[4], 32, 5), pixel(TheScreen.display, 0, 5));  // A = 32
  EXPECT_EQ(pixel(shown[12], 0, 5), pixel(TheScreen.display, 32, 5));
  EXPECT_EQ(pixel(shown[12], 32, 5), 0u);
  EXPECT_EQ(shown.back().pixels, TheScreen.display.pixels);
  shown.clear();
  graphics::quake_swing(true, 1, 160);
  EXPECT_EQ(pixel(shown[4], 3, 16), pixel(TheScreen.display, 3, 0));
  EXPECT_EQ(pixel(shown[4], 3, 15), 0u);
}

TEST_F(EffectCommands, QuakeStepsAreHundredMillisecondsAndRepeat) {
  uint32_t start = platform::clock_ms();
  graphics::quake(2, 1000);
  EXPECT_EQ(shown.size(), 11u);
  EXPECT_EQ(platform::clock_ms() - start, 1000u);
  EXPECT_EQ(shown.back().pixels, TheScreen.display.pixels);
  bool moved = false;
  for (size_t i = 0; i + 1 < shown.size(); ++i) moved |= shown[i].pixels != TheScreen.display.pixels;
  EXPECT_TRUE(moved);
}

TEST_F(EffectCommands, FlushOutEndsWhite) {
  uint32_t start = platform::clock_ms();
  graphics::flush_out(270);
  EXPECT_EQ(shown.size(), 28u);
  EXPECT_EQ(platform::clock_ms() - start, 28u * 10);
  // Each step brightens: the window grows lighter.
  EXPECT_GT(shown[27].row(20)[3 * 30], shown[0].row(20)[3 * 30]);
  for (const DibSurface* s : {&TheScreen.display, &TheScreen.work, &TheScreen.background.surface})
    EXPECT_EQ(pixel(*s, 10, 10), 0xffffffu);
}

TEST_F(EffectCommands, ShakeCommandsThroughTheProgram) {
  testsupport::GameFolder game;
  game.write_text("0.txt",
                  "*define\neffect 2,10,100\ngame\n*start\nquake 3,200\nquakex 1,32\nquakey 1,32\n"
                  "flushout 27\nyugami 27\nseteffectspeed 2\ngeteffectspeed %1\nはい%1\nend\n");
  testsupport::RunResult r = testsupport::run_headless(game.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("はい２"), std::string::npos) << r.out;
  game.write_text("0.txt", "*define\neffect 1,10,100\ngame\n*start\nend\n");
  r = testsupport::run_headless(game.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("effect命令の第一パラメータは2～255です。"), std::string::npos) << r.err;
}

TEST_F(EffectCommands, EffectNumberErrorsThroughTheProgram) {
  testsupport::GameFolder game;
  struct Case {
    const char* script;
    const char* message;
  } cases[] = {
      {"*define\ngame\n*start\nbg white,5\nend\n", "未定義のエフェクトを使いました"},
      {"*define\ngame\n*start\nbg white,77,100\nend\n", "不正なエフェクト番号です。EFFECT命令をチェックしてください。"},
      {"*define\neffect 300,10,100\ngame\n*start\nend\n", "effect命令の第一パラメータは2～255です。"},
      {"*define\ngame\n*start\neffect 2,10,100\nend\n", ""},  // only in the define block
  };
  for (const Case& c : cases) {
    game.write_text("0.txt", c.script);
    testsupport::RunResult r = testsupport::run_headless(game.path());
    EXPECT_EQ(r.status, 1) << c.script;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

TEST_F(EffectCommands, EveryKindRunsThroughTheProgram) {
  testsupport::GameFolder game;
  std::vector<uint8_t> mask = gtest_graphics::solid_bmp(8, 8, 0x808080);
  game.write_bytes("mask.bmp", std::string(mask.begin(), mask.end()));
  std::string script = "*define\neffect 2,18,40,\"mask.bmp\"\ngame\n*start\n";
  for (int kind : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 90})
    script += std::string("bg ") + (kind % 2 ? "white" : "black") + "," + std::to_string(kind) + ",40\n";
  script += "bg white,15,40,\"mask.bmp\"\nbg black,2\nおわり\nend\n";
  game.write_text("0.txt", script);
  testsupport::RunResult r = testsupport::run_headless(game.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("おわり"), std::string::npos);
}

}  // namespace
