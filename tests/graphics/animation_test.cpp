#include <gtest/gtest.h>

#include <climits>

#include "graphics/animation.h"
#include "graphics/effect.h"
#include "graphics/image_tag.h"
#include "graphics/screen.h"
#include "graphics_test_util.h"
#include "platform/clock.h"

using graphics::ImageRecord;
using namespace gtest_graphics;

namespace {

// The cells shown at each 10 ms tick, starting from last_step_ms 0.
std::vector<int> cells(ImageRecord r, int ticks, int tick_ms = 10) {
  std::vector<int> seen;
  r.last_step_ms = 0;
  for (int t = 1; t <= ticks; ++t) {
    graphics::step_animation(r, uint32_t(t * tick_ms));
    seen.push_back(r.current_cell);
  }
  return seen;
}

ImageRecord animated(const std::string& tag) {
  ImageRecord r;
  graphics::parse_image_tag(r, tag);
  graphics::create_surface(r.surface, 30, 10);
  return r;
}

TEST(Animation, PingPongRunsBackAndForth) {
  // Steps when more than 15 ms passed: at 20, 40, 60 ...
  auto seen = cells(animated(":l/3,15,2;c.bmp"), 16);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 1, 2, 2, 1, 1, 0, 0, 1, 1, 2, 2, 1, 1, 0}));
  EXPECT_EQ(cells(animated(":l/2,5,2;c.bmp"), 5), (std::vector<int>{1, 0, 1, 0, 1}));
}

TEST(Animation, LoopStopAndManualModes) {
  EXPECT_EQ(cells(animated(":l/3,5,0;c.bmp"), 5), (std::vector<int>{1, 2, 0, 1, 2}));
  EXPECT_EQ(cells(animated(":l/3,5,1;c.bmp"), 5), (std::vector<int>{1, 2, 2, 2, 2}));
  EXPECT_EQ(cells(animated(":l/3,5,3;c.bmp"), 5), (std::vector<int>{0, 0, 0, 0, 0}));
}

TEST(Animation, PerCellIntervals) {
  // Cell 0 shows for more than 5 ms, cell 1 for more than 25 ms.
  EXPECT_EQ(cells(animated(":c/2,<5,25>,0;f.bmp"), 8), (std::vector<int>{1, 1, 1, 0, 1, 1, 1, 0}));
  ImageRecord r = animated(":c/2,<5,25>,0;f.bmp");
  r.current_cell = 7;  // set by a command past the list
  graphics::step_animation(r, 100);
}

// `cell` sets any cell: the steps from INT_MAX and INT_MIN stay defined
// (the sanitizer build checks) and land back on the picture's cells.
TEST(Animation, CellsSetAtTheEndsOfTheIntRange) {
  ImageRecord r = animated(":c/2,10,0;a.bmp");
  r.current_cell = INT32_MAX;
  EXPECT_EQ(cells(r, 1, 20), (std::vector<int>{0}));
  r = animated(":c/2,10,2;a.bmp");
  r.current_cell = INT32_MIN;
  r.step_direction = -1;
  EXPECT_EQ(cells(r, 1, 20), (std::vector<int>{0}));
  r.current_cell = INT32_MAX;
  r.step_direction = 1;
  EXPECT_EQ(cells(r, 1, 20), (std::vector<int>{0}));
  // A stop-mode picture set past its last cell never steps again.
  r = animated(":c/3,10,1;a.bmp");
  r.current_cell = 100;
  EXPECT_FALSE(graphics::animation_can_step(r));
  EXPECT_EQ(cells(r, 2, 20), (std::vector<int>{100, 100}));
  r.current_cell = 1;
  EXPECT_TRUE(graphics::animation_can_step(r));
}

TEST(Animation, ScreenPassMarksSteppedSprites) {
  graphics::TheScreen = graphics::Screen();
  graphics::reset_screen(64, 48);
  auto& sp = graphics::TheScreen.sprites[4];
  sp.tag = "x";
  sp.image = animated(":l/3,5,0;c.bmp");
  sp.image.last_step_ms = 0;
  sp.visible = true;
  sp.x = 10, sp.y = 20;
  graphics::Rect r;
  EXPECT_FALSE(graphics::advance_screen_animations(3, nullptr));
  EXPECT_FALSE(graphics::take_dirty(r));
  EXPECT_TRUE(graphics::advance_screen_animations(6, nullptr));
  ASSERT_TRUE(graphics::take_dirty(r));
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.right, 21);  // one cell (10 wide) + 1
  EXPECT_FALSE(graphics::advance_screen_animations(100, [] { return true; }));
  sp.visible = false;
  EXPECT_FALSE(graphics::advance_screen_animations(200, nullptr));
}

}  // namespace

namespace {

class AnimationTick : public GameFolder {};

TEST_F(AnimationTick, StepsAndShowsTheNewCell) {
  platform::use_virtual_clock(true);
  graphics::TheScreen = graphics::Screen();
  graphics::reset_screen(64, 48);
  graphics::reset_effect_table();
  write_file("two.bmp", make_bmp(8, 4, 24, [](int x, int) { return x < 4 ? 0x111111u : 0x222222u; }));
  graphics::load_sprite(0, ":c/2,50,0;two.bmp", 0, 0, -1, true);
  graphics::refresh_screen(1, 0, "");
  EXPECT_EQ(graphics::TheScreen.display.row(1)[3], 0x11);
  graphics::TheScreen.sprites[0].image.last_step_ms = platform::clock_ms();
  platform::advance_clock_to(platform::clock_ms() + 100);
  graphics::animation_tick(nullptr);
  EXPECT_EQ(graphics::TheScreen.display.row(1)[3], 0x22);
  platform::use_virtual_clock(false);
}

}  // namespace
