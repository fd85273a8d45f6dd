// Bars and numbers: the commands' marking and what the composition draws.
#include <gtest/gtest.h>

#include "graphics/overlays.h"
#include "graphics/screen.h"
#include "interp/error.h"
#include "tests/support/script_fixture.h"

using graphics::TheScreen;
using testsupport::fatal_of;
using testsupport::load_script;

namespace {

uint32_t pixel(int x, int y) {
  const uint8_t* p = TheScreen.work.row(y) + 3 * x;
  return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

class Overlays : public ::testing::Test {
 protected:
  void SetUp() override {
    load_script("");
    TheScreen = graphics::Screen();
    graphics::reset_screen(640, 480);
    graphics::reset_overlays();
  }
  void TearDown() override { interp::set_fatal_hook(nullptr); }
  void command(const char* args, void (*handler)()) {
    load_script(args);
    handler();
  }
  void compose() {
    graphics::Rect r;
    if (graphics::take_dirty(r)) graphics::compose_screen(&r);
  }
};

TEST_F(Overlays, BarDrawsItsShareOfTheWidth) {
  command("0,50,10,10,100,8,100,#ff0000", graphics::cmd_bar);
  EXPECT_FALSE(TheScreen.dirty.empty);
  EXPECT_EQ(TheScreen.dirty.right, 110);
  EXPECT_EQ(TheScreen.dirty.bottom, 18);
  compose();
  EXPECT_EQ(pixel(10, 10), 0xff0000u);
  EXPECT_EQ(pixel(59, 17), 0xff0000u);
  EXPECT_EQ(pixel(60, 10), 0u);
  EXPECT_EQ(pixel(10, 18), 0u);
  EXPECT_EQ(pixel(9, 10), 0u);
}

TEST_F(Overlays, BarAboveItsMaximumIsLongerAndMaxZeroIsEmpty) {
  command("1,150,0,0,100,4,100,\"#00ff00\"", graphics::cmd_bar);
  command("2,10,0,20,100,4,0,#0000ff", graphics::cmd_bar);
  graphics::mark_whole_screen();
  compose();
  EXPECT_EQ(pixel(149, 3), 0x00ff00u);
  EXPECT_EQ(pixel(150, 3), 0u);
  EXPECT_EQ(pixel(0, 20), 0u);
}

TEST_F(Overlays, MovingABarMarksItsOldPlace) {
  command("0,50,10,10,100,8,100,#ff0000", graphics::cmd_bar);
  compose();
  command("0,50,300,300,100,8,100,#ff0000", graphics::cmd_bar);
  EXPECT_EQ(TheScreen.dirty.left, 10);
  EXPECT_EQ(TheScreen.dirty.bottom, 308);
  compose();
  EXPECT_EQ(pixel(10, 10), 0u);
  EXPECT_EQ(pixel(300, 300), 0xff0000u);
  graphics::cmd_barclear();
  EXPECT_TRUE(TheScreen.dirty.empty);  // barclear marks nothing
  graphics::mark_whole_screen();
  compose();
  EXPECT_EQ(pixel(300, 300), 0u);
}

TEST_F(Overlays, EntryNumbersAreZeroToNinetyNine) {
  EXPECT_EQ(fatal_of([this] { command("100,1,0,0,1,1,1,#ffffff", graphics::cmd_bar); }),
            "エラー|bar命令の番号は0～99です。");
  EXPECT_EQ(fatal_of([this] { command("-1,1,0,0,1,1,#ffffff", graphics::cmd_prnum); }),
            "エラー|prnum命令の番号は0～99です。");
  EXPECT_EQ(fatal_of([this] { command("0,1,0,0,1,1 1,#ffffff", graphics::cmd_bar); }),
            "構文エラー|コンマが必要なところにコンマが有りません。");
}

TEST_F(Overlays, NumbersShowTheirDigitsInTheColourWithinThreeCells) {
  command("0,123,100,100,16,16,#ffffff", graphics::cmd_prnum);
  EXPECT_EQ(TheScreen.dirty.right, 148);
  EXPECT_EQ(TheScreen.dirty.bottom, 116);
  graphics::mark_whole_screen();
  compose();
  int lit = 0;
  for (int y = 90; y < 130; ++y)
    for (int x = 90; x < 170; ++x) {
      uint32_t p = pixel(x, y);
      if (!p) continue;
      ++lit;
      EXPECT_TRUE(x >= 100 && x < 148 && y >= 100 && y < 116) << x << "," << y;
      EXPECT_EQ(p & 0xff, (p >> 8) & 0xff);  // white ink: grey levels
    }
  EXPECT_GT(lit, 30);
}

TEST_F(Overlays, NumbersWiderThanThreeDigitsShowWhatFits) {
  command("0,123,100,100,16,16,#ffff00", graphics::cmd_prnum);
  graphics::mark_whole_screen();
  compose();
  std::vector<uint8_t> three = TheScreen.work.pixels;
  graphics::reset_screen(640, 480);
  command("0,1234,100,100,16,16,#ffff00", graphics::cmd_prnum);
  graphics::mark_whole_screen();
  compose();
  EXPECT_EQ(TheScreen.work.pixels, three);
  graphics::cmd_prnumclear();
  graphics::mark_whole_screen();
  compose();
  EXPECT_EQ(pixel(110, 108), 0u);
}

}  // namespace
