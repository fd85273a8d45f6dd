// The timed effect kinds, stepped on the virtual clock: what the window
// shows after each step, how long they take, and the common frame's speed
// settings.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/blend.h"
#include "graphics/effect.h"
#include "graphics/effect_kinds.h"
#include "graphics/screen.h"
#include "graphics/window_picture.h"
#include "graphics_test_util.h"
#include "platform/clock.h"

using namespace gtest_graphics;
using graphics::DibSurface;
using graphics::TheScreen;

namespace {

std::vector<DibSurface> shown;  // every picture the window was given, in order
int pumped = 0;
bool fast = false;
uint32_t pump_cost_ms = 0;  // virtual time each pumped message takes
int queued = 0;             // messages waiting in the queue

uint32_t pixel(const DibSurface& s, int x, int y) {
  const uint8_t* p = s.row(y) + 3 * x;
  return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

void fill(DibSurface& s, uint32_t rgb) {
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) {
      uint8_t* p = s.row(y) + 3 * x;
      p[0] = uint8_t(rgb), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb >> 16);
    }
}

// A picture where every pixel differs: red = x, green = y.
void fill_pattern(DibSurface& s) {
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) {
      uint8_t* p = s.row(y) + 3 * x;
      p[0] = 7, p[1] = uint8_t(y), p[2] = uint8_t(x);
    }
}

class EffectKinds : public GameFolder {
 protected:
  void SetUp() override {
    GameFolder::SetUp();
    platform::use_virtual_clock(true);
    TheScreen = graphics::Screen();
    graphics::reset_screen(64, 48);
    graphics::reset_effect_table();
    graphics::effect_settings = graphics::EffectSettings();
    shown.clear();
    pumped = 0;
    fast = false;
    pump_cost_ms = 0;
    queued = 0;
    graphics::effect_hooks.present_picture = [](DibSurface* p) {
      if (p) shown.push_back(*p);
    };
    graphics::effect_hooks.pump_one_message = [] {
      ++pumped;
      if (pump_cost_ms) platform::sleep_ms(pump_cost_ms);
      if (queued == 0) return 0;
      --queued;
      return 1;
    };
    graphics::effect_hooks.fast_forward = [] { return fast; };
    fill(TheScreen.display, 0x000000);
    fill(TheScreen.work, 0xffffff);
  }
  void TearDown() override {
    graphics::effect_hooks = graphics::EffectHooks();
    platform::use_virtual_clock(false);
    GameFolder::TearDown();
  }
  // Runs the kind over the whole screen; the virtual time it took.
  uint32_t run(int kind, int duration, const std::string& mask = "") {
    uint32_t start = platform::clock_ms();
    graphics::run_effect(kind, duration, mask, nullptr);
    return platform::clock_ms() - start;
  }
};

TEST_F(EffectKinds, VerticalBlindsBringEverySixteenthColumnPerStep) {
  run(2, 160);
  ASSERT_EQ(shown.size(), 16u);
  for (int k : {0, 3, 15})
    for (int x = 0; x < 64; ++x)
      EXPECT_EQ(pixel(shown[k], x, 20), x % 16 <= k ? 0xffffffu : 0u) << "step " << k << " x " << x;
  EXPECT_EQ(pixel(TheScreen.display, 5, 5), 0xffffffu);
}

TEST_F(EffectKinds, BlindsRightToLeftAndBottomToTopStartAtTheLastLine) {
  run(3, 160);
  EXPECT_EQ(pixel(shown[0], 15, 0), 0xffffffu);
  EXPECT_EQ(pixel(shown[0], 14, 0), 0u);
  shown.clear();
  fill(TheScreen.display, 0);
  run(5, 160);
  EXPECT_EQ(pixel(shown[1], 0, 14), 0xffffffu);
  EXPECT_EQ(pixel(shown[1], 0, 31), 0xffffffu);
  EXPECT_EQ(pixel(shown[1], 0, 13), 0u);
}

TEST_F(EffectKinds, BlindsStayInsideTheRectangle) {
  graphics::Rect r{8, 8, 23, 15};
  graphics::run_effect(4, 160, "", &r);
  EXPECT_EQ(pixel(shown[0], 8, 8), 0xffffffu);
  EXPECT_EQ(pixel(shown[15], 7, 8), 0u);
  EXPECT_EQ(pixel(shown[15], 24, 8), 0u);
  EXPECT_EQ(pixel(TheScreen.display, 23, 15), 0xffffffu);
  EXPECT_EQ(pixel(TheScreen.display, 23, 16), 0u);
}

TEST_F(EffectKinds, StaggeredBlindsCoverEveryColumnAndTakeTheirSteps) {
  // 64 columns: sweeps s = 0, 24, ..., up to 64 * 1170 / 640 - 1 = 115.
  uint32_t took = run(6, 960);
  EXPECT_EQ(shown.size(), 5u);
  EXPECT_EQ(pixel(shown[0], 0, 0), 0xffffffu);
  EXPECT_EQ(pixel(shown[0], 1, 0), 0u);
  EXPECT_EQ(pixel(shown[1], 1, 0), 0xffffffu);  // 24 - 23
  EXPECT_EQ(pixel(shown[1], 24, 0), 0xffffffu);
  EXPECT_EQ(pixel(shown[1], 2, 0), 0u);
  // Each step lasts 960 * 64 / 30720 = 2 ms; then the 30 ms pause.
  EXPECT_EQ(took, 5u * 2 + 30);
}

TEST_F(EffectKinds, CrossfadeAlternatesHalvesAndGrowsWithTime) {
  uint32_t took = run(10, 256);
  const auto& t = graphics::blend_table().t;
  // Step 1: level 1 on the odd bytes; step 2: level 2 on the even ones.
  EXPECT_EQ(shown[0].row(3)[1], t[1][255]);
  EXPECT_EQ(shown[0].row(3)[0], 0);
  EXPECT_EQ(shown[1].row(3)[0], t[2][255]);
  EXPECT_EQ(shown[1].row(3)[1], t[1][255]);
  // Fast steps move one level a millisecond: 255 steps in about 256 ms.
  EXPECT_EQ(shown.size(), 255u);
  EXPECT_EQ(shown.back().row(3)[3 * 10 + 1], 255);
  EXPECT_NEAR(double(took), 256 + 30, 4);
}

TEST_F(EffectKinds, SlowCrossfadeStepsTakeLargerLevelsAndKeepTheDuration) {
  pump_cost_ms = 40;  // every step takes 40 ms: 40 levels at a time
  uint32_t took = run(10, 256);
  EXPECT_EQ(shown[1].row(0)[0], graphics::blend_table().t[40][255]);
  // 1, 40, 80, ..., 240, 255: eight steps, the duration plus the last step.
  EXPECT_EQ(shown.size(), 8u);
  EXPECT_EQ(took, 8u * 40 + 30);
}

TEST_F(EffectKinds, CrossfadeWithoutTimeIsOneStep) {
  run(10, 0);
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_EQ(pixel(TheScreen.display, 1, 1), 0xffffffu);
}

TEST_F(EffectKinds, ScrollsMoveTheWindowAndBringStripsFromTheEdge) {
  fill_pattern(TheScreen.work);
  run(11, 800);
  ASSERT_EQ(shown.size(), 8u);
  EXPECT_EQ(pixel(shown[0], 0, 5), pixel(TheScreen.work, 56, 5));
  EXPECT_EQ(pixel(shown[0], 8, 5), 0u);
  EXPECT_EQ(pixel(shown[1], 8, 5), pixel(TheScreen.work, 56, 5));
  EXPECT_EQ(pixel(shown[1], 0, 5), pixel(TheScreen.work, 48, 5));
  shown.clear();
  fill(TheScreen.display, 0);
  run(14, 800);
  ASSERT_EQ(shown.size(), 8u);  // 48 rows, 6 a step
  EXPECT_EQ(pixel(shown[0], 3, 47), pixel(TheScreen.work, 3, 5));
  EXPECT_EQ(pixel(shown[0], 3, 41), 0u);
  EXPECT_EQ(pixel(shown[1], 3, 41), pixel(TheScreen.work, 3, 5));
}

TEST_F(EffectKinds, BlackMaskWipeChangesTheWholeRectangleInItsFirstStep) {
  write_file("black.bmp", solid_bmp(4, 4, 0x000000));
  run(15, 1000, ":c;black.bmp");
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(pixel(shown[0], 0, 0), 0xffffffu);
  EXPECT_EQ(pixel(shown[0], 63, 47), 0xffffffu);
}

TEST_F(EffectKinds, MaskWipeTakesDarkAreasFirstAndTilesTheMask) {
  // 4 x 1 mask: 0, 100, 200, 255, tiled over the screen.
  write_file("mask.bmp", make_bmp(4, 1, 24, [](int x, int) {
               static const uint32_t v[4] = {0x000000, 0x646464, 0xc8c8c8, 0xffffff};
               return v[x];
             }));
  uint32_t took = run(15, 256, ":c;mask.bmp");
  EXPECT_EQ(pixel(shown[0], 4, 9), 0xffffffu);
  EXPECT_EQ(pixel(shown[0], 5, 9), 0u);
  EXPECT_EQ(pixel(shown[99], 5, 9), 0xffffffu);  // t = 100
  EXPECT_EQ(pixel(shown[99], 6, 9), 0u);
  EXPECT_EQ(pixel(shown.back(), 7, 9), 0u);  // 255 only in the final copy
  EXPECT_EQ(pixel(TheScreen.display, 7, 9), 0xffffffu);
  EXPECT_EQ(took, 255u + 30);
}

TEST_F(EffectKinds, TimeDrivenKindsLastTheirDurationWhateverItIs) {
  write_file("mask.bmp", solid_bmp(2, 2, 0x808080));
  // 500 ms is no multiple of the 256 or 512 levels.
  EXPECT_NEAR(double(run(10, 500)), 500 + 30, 3);
  EXPECT_NEAR(double(run(15, 500, ":c;mask.bmp")), 500 + 30, 3);
  EXPECT_NEAR(double(run(18, 500, ":c;mask.bmp")), 500 + 30, 3);
  pump_cost_ms = 7;  // slow steps: fewer, larger ones, the same time
  size_t fast_steps = shown.size();
  shown.clear();
  EXPECT_NEAR(double(run(18, 500, ":c;mask.bmp")), 500 + 30, 8);
  EXPECT_LT(shown.size(), fast_steps / 3);
}

TEST_F(EffectKinds, MaskCrossfadeFadesEachPixelFromItsMaskValue) {
  write_file("mask.bmp", make_bmp(2, 1, 24, [](int x, int) { return x ? 0x646464u : 0u; }));
  run(18, 512, ":c;mask.bmp");
  const auto& t = graphics::blend_table().t;
  EXPECT_EQ(shown[0].row(0)[0], t[1][255]);       // d = 1
  EXPECT_EQ(shown[0].row(0)[3], 0);               // m = 100: not begun
  EXPECT_EQ(shown[109].row(0)[3], t[10][255]);    // t = 110
  EXPECT_EQ(pixel(shown[300], 0, 0), 0xffffffu);  // done
  EXPECT_EQ(pixel(TheScreen.display, 1, 0), 0xffffffu);
}

TEST_F(EffectKinds, MosaicBlocksAreAnchoredBottomLeft) {
  fill_pattern(TheScreen.work);
  DibSurface out;
  graphics::create_surface(out, 64, 48);
  graphics::mosaic_fill(out, TheScreen.work, 5);
  EXPECT_EQ(pixel(out, 0, 47), pixel(TheScreen.work, 0, 47));
  EXPECT_EQ(pixel(out, 4, 43), pixel(TheScreen.work, 0, 47));
  EXPECT_EQ(pixel(out, 5, 43), pixel(TheScreen.work, 5, 47));
  EXPECT_EQ(pixel(out, 4, 42), pixel(TheScreen.work, 0, 42));
  // 48 rows: the top block is 3 rows, coloured from its own bottom-left.
  EXPECT_EQ(pixel(out, 63, 0), pixel(TheScreen.work, 60, 2));
  EXPECT_EQ(pixel(out, 61, 2), pixel(TheScreen.work, 60, 2));
}

TEST_F(EffectKinds, MosaicOutThenInGivesTheFullTransition) {
  fill_pattern(TheScreen.display);
  DibSurface old = TheScreen.display;
  fill(TheScreen.work, 0x123456);
  uint32_t took = run(16, 100);
  ASSERT_EQ(shown.size(), 6u);
  EXPECT_EQ(pixel(shown[0], 4, 43), pixel(old, 0, 47));
  EXPECT_EQ(pixel(shown[5], 63, 0), pixel(old, 0, 47));  // 160: one block
  // The coarse mosaic stays; the new picture is not shown, all of it pending.
  EXPECT_EQ(pixel(TheScreen.display, 30, 30), pixel(old, 0, 47));
  EXPECT_FALSE(TheScreen.dirty.empty);
  EXPECT_EQ(took, 6u * 10 + 30);
  shown.clear();
  fill_pattern(TheScreen.work);
  run(17, 100);
  EXPECT_EQ(pixel(shown[0], 30, 30), pixel(TheScreen.work, 0, 47));
  EXPECT_EQ(pixel(shown[5], 9, 44), pixel(TheScreen.work, 5, 47));
  EXPECT_EQ(pixel(TheScreen.display, 30, 30), pixel(TheScreen.work, 30, 30));
}

TEST_F(EffectKinds, HoldKeepsThePictureAndLeavesTheScreenPending) {
  fill(TheScreen.display, 0x334455);
  uint32_t took = run(90, 500);
  EXPECT_EQ(shown.size(), 10u);
  EXPECT_EQ(pixel(shown[9], 3, 3), 0x334455u);
  EXPECT_EQ(pixel(TheScreen.display, 3, 3), 0x334455u);
  EXPECT_FALSE(TheScreen.dirty.empty);
  EXPECT_EQ(took, 500u + 30);
  EXPECT_EQ(pumped, 10);  // an empty queue ends each step's pumping
  pumped = 0;
  queued = 1000;  // a busy queue: up to one message per screen row
  run(90, 500);
  EXPECT_EQ(pumped, 10 * 48);
}

TEST_F(EffectKinds, SpeedOneHalvesAndCtrlDividesByEight) {
  EXPECT_EQ(run(2, 2048), 2048u + 30);
  graphics::effect_settings.speed = 1;
  EXPECT_EQ(run(2, 2048), 1024u + 30);
  graphics::effect_settings.speed = 0;
  fast = true;
  EXPECT_EQ(run(2, 2048), 256u + 30);
  graphics::effect_settings.cut = true;
  shown.clear();
  EXPECT_EQ(run(2, 800), 0u);  // immediate, no pause
  EXPECT_TRUE(shown.empty());
  graphics::effect_settings.cut = false;
  fast = false;
  graphics::effect_settings.speed = 2;
  EXPECT_EQ(run(10, 800), 0u);
}

TEST_F(EffectKinds, EveryTimedStepPumpsAMessage) {
  run(2, 160);
  EXPECT_EQ(pumped, 16);
}

TEST_F(EffectKinds, EveryKindIsTheSameOnEveryRun) {
  write_file("mask.bmp", make_bmp(8, 8, 24, [](int x, int y) { return uint32_t(x * 30 + y) * 0x010101u; }));
  for (int kind : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 90}) {
    std::vector<DibSurface> first;
    for (int round = 0; round < 2; ++round) {
      fill_pattern(TheScreen.display);
      fill(TheScreen.work, 0x808080);
      shown.clear();
      run(kind, 300, ":c;mask.bmp");
      ASSERT_FALSE(shown.empty()) << kind;
      if (round == 0) first = shown;
    }
    ASSERT_EQ(first.size(), shown.size()) << kind;
    size_t mid = shown.size() / 2;
    EXPECT_EQ(first[mid].pixels, shown[mid].pixels) << kind;
  }
}

TEST_F(EffectKinds, StepKernelsMatchTheTableFormulas) {
  const auto& t = graphics::blend_table().t;
  DibSurface old_pic, new_pic, mask, out;
  for (DibSurface* p : {&old_pic, &new_pic, &mask, &out}) graphics::create_surface(*p, 64, 48);
  uint32_t seed = 5;
  auto next = [&seed] { return uint8_t((seed = seed * 1103515245u + 12345u) >> 16); };
  for (uint8_t& b : old_pic.pixels) b = next();
  for (uint8_t& b : new_pic.pixels) b = next();
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) memset(mask.row(y) + 3 * x, next(), 3);
  graphics::Rect r{3, 2, 60, 40};
  for (int level : {1, 77, 200, 300, 509, 600}) {
    out.pixels = old_pic.pixels;
    graphics::mask_crossfade_step(out, old_pic, new_pic, mask, r, level);
    for (int y = r.top; y <= r.bottom; ++y)
      for (int i = 3 * r.left; i < 3 * (r.right + 1); ++i) {
        int d = level - mask.row(y)[i / 3 * 3];
        uint8_t a = old_pic.row(y)[i], b = new_pic.row(y)[i];
        uint8_t want = d > 254 ? b : d > 0 ? uint8_t(t[255 - d][a] + t[d][b]) : a;
        ASSERT_EQ(out.row(y)[i], want) << level << " " << i << "," << y;
      }
  }
  for (int parity : {0, 1}) {
    out.pixels = old_pic.pixels;
    graphics::crossfade_step(out, old_pic, new_pic, r, 99, parity);
    for (int y = 0; y < 48; ++y)
      for (int i = 0; i < 3 * 64; ++i) {
        bool inside = y >= r.top && y <= r.bottom && i >= 3 * r.left && i < 3 * (r.right + 1) && i % 2 == parity;
        uint8_t a = old_pic.row(y)[i], b = new_pic.row(y)[i];
        ASSERT_EQ(out.row(y)[i], inside ? uint8_t(t[156][a] + t[99][b]) : a) << parity << " " << i << "," << y;
      }
  }
}

}  // namespace
