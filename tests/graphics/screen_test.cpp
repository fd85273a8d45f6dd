#include <gtest/gtest.h>

#include "graphics/screen.h"
#include "graphics_test_util.h"

using namespace gtest_graphics;
using graphics::TheScreen;

namespace {

uint32_t work_at(int x, int y) {
  const uint8_t* p = TheScreen.work.row(y) + 3 * x;
  return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

class ScreenLayers : public GameFolder {
 protected:
  void SetUp() override {
    GameFolder::SetUp();
    graphics::TheScreen = graphics::Screen();
    graphics::reset_screen(64, 48);
    TheScreen.underline = 48;
    write_file("red.bmp", solid_bmp(16, 16, 0xff0000));
    write_file("green.bmp", solid_bmp(16, 16, 0x00ff00));
    write_file("blue.bmp", solid_bmp(16, 16, 0x0000ff));
    write_file("wide.bmp", solid_bmp(64, 48, 0x404040));
  }
  std::string error_of(std::function<void()> f) { return box_of(f); }
};

TEST_F(ScreenLayers, LowerSpriteNumbersLieOnTop) {
  graphics::load_sprite(1, ":c;green.bmp", 10, 10, -1, true);
  graphics::load_sprite(0, ":c;red.bmp", 12, 12, -1, true);
  graphics::compose_screen(nullptr);
  EXPECT_EQ(work_at(13, 13), 0xff0000u);
  EXPECT_EQ(work_at(10, 10), 0x00ff00u);
  EXPECT_EQ(work_at(40, 40), 0u);
}

TEST_F(ScreenLayers, HumanzSplitsSpritesAroundStandingPictures) {
  // Left anchor 16: the 16-wide picture stands at x 8..23, y 32..47.
  graphics::load_standing(graphics::kStandLeft, ":c;blue.bmp");
  EXPECT_EQ(TheScreen.standing[0].x, 8);
  EXPECT_EQ(TheScreen.standing[0].y, 32);
  graphics::load_sprite(200, ":c;red.bmp", 0, 30, -1, true);
  graphics::load_sprite(100, ":c;green.bmp", 20, 30, -1, true);
  graphics::compose_screen(nullptr);
  EXPECT_EQ(work_at(10, 35), 0x0000ffu);  // sprite 200 is under the picture
  EXPECT_EQ(work_at(2, 35), 0xff0000u);
  EXPECT_EQ(work_at(22, 35), 0x00ff00u);  // sprite 100 is over it
  TheScreen.humanz = 99;
  graphics::compose_screen(nullptr);
  EXPECT_EQ(work_at(22, 35), 0x0000ffu);
}

TEST_F(ScreenLayers, HiddenSpritesTakeStandingPicturesUnlessKept) {
  graphics::load_standing(graphics::kStandCentre, ":c;blue.bmp");
  graphics::load_sprite(3, ":c;red.bmp", 0, 0, -1, true);
  graphics::hide_all_sprites(true);
  graphics::compose_screen(nullptr);
  EXPECT_EQ(work_at(1, 1), 0u);
  EXPECT_EQ(work_at(32, 40), 0u);
  TheScreen.keep_standing = true;
  graphics::compose_screen(nullptr);
  EXPECT_EQ(work_at(32, 40), 0x0000ffu);
  EXPECT_EQ(work_at(1, 1), 0u);
}

TEST_F(ScreenLayers, FullScreenLayersStillBlendWithAlpha) {
  graphics::set_background_colour(0xffffff, "white");
  graphics::load_sprite(0, ":c;wide.bmp", 0, 0, 255, true);
  graphics::compose_screen(nullptr);
  EXPECT_EQ(work_at(5, 5), 0x404040u);
  graphics::move_sprite_to(0, 0, 0, 128, true);
  graphics::compose_screen(nullptr);
  // T[64][128] + T[255][127] = 32 + 127
  EXPECT_EQ(work_at(5, 5), 0x9f9f9fu);
  graphics::hide_all_sprites(true);
  graphics::compose_screen(nullptr);
  EXPECT_EQ(work_at(5, 5), 0xffffffu);
}

TEST_F(ScreenLayers, BackgroundPicturesAreCentredOnBlack) {
  graphics::reset_screen(640, 480);
  write_file("small.bmp", solid_bmp(320, 240, 0x123456));
  graphics::set_background_picture("small.bmp");
  graphics::compose_screen(nullptr);
  EXPECT_EQ(work_at(160, 120), 0x123456u);
  EXPECT_EQ(work_at(479, 359), 0x123456u);
  EXPECT_EQ(work_at(159, 120), 0u);
  EXPECT_EQ(work_at(160, 119), 0u);
  EXPECT_EQ(work_at(480, 360), 0u);
  write_file("big.bmp", make_bmp(642, 481, 24, [](int x, int) { return x == 0 || x == 641 ? 0xffu : 0x10u; }));
  graphics::set_background_picture("big.bmp");
  graphics::compose_screen(nullptr);
  // 320 - 321 = -1: the first and last columns are cut off.
  EXPECT_EQ(work_at(0, 0), 0x10u);
  EXPECT_EQ(work_at(639, 479), 0x10u);
}

TEST_F(ScreenLayers, BackgroundRemovesStandingPicturesAndMarksAll) {
  graphics::load_standing(graphics::kStandRight, ":c;blue.bmp");
  graphics::Rect r;
  graphics::take_dirty(r);
  graphics::set_background_colour(0x00ff00, "#00ff00");
  EXPECT_TRUE(TheScreen.standing[2].tag.empty());
  ASSERT_TRUE(graphics::take_dirty(r));
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.bottom, 47);
  graphics::compose_screen(nullptr);
  EXPECT_EQ(work_at(48, 40), 0x00ff00u);
}

TEST_F(ScreenLayers, BgaliaPlacesTheBackground) {
  TheScreen.bgalia_x = 10, TheScreen.bgalia_y = 5, TheScreen.bgalia_w = 20, TheScreen.bgalia_h = 8;
  graphics::set_background_colour(0xffffff, "white");
  EXPECT_EQ(TheScreen.background.surface.width, 20);
  graphics::compose_screen(nullptr);
  EXPECT_EQ(work_at(10, 5), 0xffffffu);
  EXPECT_EQ(work_at(29, 12), 0xffffffu);
  EXPECT_EQ(work_at(30, 12), 0u);
  EXPECT_EQ(work_at(29, 13), 0u);
  EXPECT_EQ(work_at(9, 5), 0u);
}

TEST_F(ScreenLayers, NegativeBeforeAndAfterMonochrome) {
  write_file("c.bmp", solid_bmp(64, 48, 0x1e140a));  // red 30, green 20, blue 10
  graphics::set_background_picture("c.bmp");
  TheScreen.monochrome = true;
  TheScreen.tone_red = 255;
  TheScreen.nega_mode = 1;  // 245 235 225 -> y 235 -> red-tinted
  graphics::compose_screen(nullptr);
  EXPECT_EQ(work_at(3, 3), 0xeb0000u);
  TheScreen.nega_mode = 2;  // y 20 -> (20, 0, 0) -> negated
  graphics::compose_screen(nullptr);
  EXPECT_EQ(work_at(3, 3), 0xebffffu);
  // Only the rectangle is filtered.
  TheScreen.monochrome = false;
  graphics::compose_screen(nullptr);
  graphics::Rect part{0, 0, 9, 9};
  TheScreen.nega_mode = 0;
  graphics::compose_screen(&part);
  EXPECT_EQ(work_at(9, 9), 0x1e140au);
  EXPECT_EQ(work_at(10, 10), 0xe1ebf5u);
}

TEST_F(ScreenLayers, DirtyRectanglesAccumulateUntilTaken) {
  graphics::Rect r;
  EXPECT_FALSE(graphics::take_dirty(r));
  graphics::mark_dirty(0, 0, 0, 0);  // one pixel at the origin is not "empty"
  ASSERT_TRUE(graphics::take_dirty(r));
  EXPECT_EQ(r.right, 0);
  EXPECT_FALSE(graphics::take_dirty(r));
  graphics::load_sprite(5, ":c;red.bmp", 20, 10, -1, true);
  graphics::load_sprite(6, ":c;red.bmp", -5, 30, -1, true);
  graphics::mark_dirty(100, 100, 200, 200);  // wholly off the screen
  ASSERT_TRUE(graphics::take_dirty(r));
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(r.right, 37);                                   // 20 + 16 + 1
  EXPECT_EQ(r.bottom, 47);                                  // 30 + 16 + 1, limited
  graphics::load_sprite(7, ":c;red.bmp", 0, 0, -1, false);  // lsph marks nothing
  EXPECT_FALSE(graphics::take_dirty(r));
}

TEST_F(ScreenLayers, SpriteCommandsKeepTheirRules) {
  EXPECT_EQ(error_of([] { graphics::show_sprite(9, true); }), "エラー|定義されていないスプライト9を使おうとしました。");
  EXPECT_EQ(error_of([] { graphics::move_sprite_by(9, 1, 1, 0, false); }),
            "エラー|定義されていないスプライト9を使おうとしました。");
  EXPECT_NE(error_of([] { graphics::load_sprite(256, "red.bmp", 0, 0, -1, true); }), "");
  graphics::load_sprite(9, ":c;red.bmp", 0, 0, -1, true);
  graphics::move_sprite_by(9, 3, 4, -10, true);  // alpha -1 counts as 255
  EXPECT_EQ(TheScreen.sprites[9].image.alpha, 245);
  EXPECT_EQ(TheScreen.sprites[9].x, 3);
  graphics::move_sprite_to(9, 0, 0, 999, true);
  EXPECT_EQ(TheScreen.sprites[9].image.alpha, 255);
  graphics::clear_sprite(42);  // undefined: ignored
  graphics::clear_sprite(-1);
  EXPECT_TRUE(TheScreen.sprites[9].tag.empty());
}

TEST_F(ScreenLayers, SpriteStringsShowAndHide) {
  graphics::load_sprite(3, ":c/2,0,3;red.bmp", 0, 0, -1, true);
  graphics::load_sprite(4, ":c;red.bmp", 0, 0, -1, true);
  graphics::run_sprite_string("c4P3,1");
  EXPECT_FALSE(TheScreen.sprites[4].visible);
  EXPECT_EQ(TheScreen.sprites[3].image.current_cell, 1);
  graphics::run_sprite_string("p4");
  EXPECT_TRUE(TheScreen.sprites[4].visible);
  EXPECT_EQ(error_of([] { graphics::run_sprite_string("x1"); }), "エラー|拡張ボタン指定が間違っています。");
}

}  // namespace
