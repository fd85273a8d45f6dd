#include <gtest/gtest.h>

#include "graphics/effect.h"
#include "graphics/screen.h"
#include "graphics_test_util.h"

using namespace gtest_graphics;
using graphics::TheScreen;

namespace {

int presented = 0;

class Effects : public GameFolder {
 protected:
  void SetUp() override {
    GameFolder::SetUp();
    graphics::TheScreen = graphics::Screen();
    graphics::reset_screen(64, 48);
    graphics::reset_effect_table();
    graphics::effect_settings = graphics::EffectSettings();
    presented = 0;
    graphics::present_display_hook = [] { ++presented; };
    write_file("red.bmp", solid_bmp(8, 8, 0xff0000));
  }
  void TearDown() override {
    graphics::present_display_hook = nullptr;
    GameFolder::TearDown();
  }
  uint32_t display_at(int x, int y) {
    const uint8_t* p = TheScreen.display.row(y) + 3 * x;
    return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
  }
  std::string error_of(std::function<void()> f) { return box_of(f); }
};

TEST_F(Effects, EffectZeroKeepsTheChangePendingUntilOne) {
  graphics::load_sprite(5, ":c;red.bmp", 10, 10, -1, true);
  graphics::refresh_screen_with_effect(0);
  EXPECT_EQ(display_at(12, 12), 0u);
  EXPECT_FALSE(TheScreen.dirty.empty);
  graphics::refresh_screen_with_effect(1);
  EXPECT_EQ(display_at(12, 12), 0xff0000u);
  EXPECT_TRUE(TheScreen.dirty.empty);
  EXPECT_EQ(presented, 1);
}

TEST_F(Effects, OnlyThePendingRectangleIsShown) {
  graphics::load_sprite(5, ":c;red.bmp", 10, 10, -1, true);
  // Something composed earlier but never marked stays off the display.
  std::fill(TheScreen.work.pixels.begin(), TheScreen.work.pixels.end(), 0x55);
  graphics::refresh_screen_with_effect(1);
  EXPECT_EQ(display_at(12, 12), 0xff0000u);
  EXPECT_EQ(display_at(19, 19), 0u);  // inside the marked rectangle: composed black
  EXPECT_EQ(display_at(40, 40), 0u);  // outside it: not copied
  EXPECT_EQ(TheScreen.work.row(40)[120], 0x55);
  graphics::refresh_screen_with_effect(1);  // nothing pending: nothing shown
  EXPECT_EQ(presented, 1);
}

TEST_F(Effects, UndefinedAndUnknownKindsAreErrors) {
  EXPECT_EQ(error_of([] { graphics::refresh_screen_with_effect(7); }), "エラー|未定義のエフェクトを使いました");
  EXPECT_EQ(error_of([] { graphics::refresh_screen_with_effect(300); }), "エラー|未定義のエフェクトを使いました");
  EXPECT_EQ(error_of([] { graphics::refresh_screen(77, 100, ""); }),
            "エラー|不正なエフェクト番号です。EFFECT命令をチェックしてください。");
  graphics::effect_settings.speed = 2;  // every effect immediate
  graphics::mark_whole_screen();
  EXPECT_EQ(error_of([] { graphics::refresh_screen(10, 100, ""); }), "");
}

}  // namespace
