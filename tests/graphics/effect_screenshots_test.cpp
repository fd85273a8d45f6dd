// Effects through the headless program on the virtual clock, seen through
// screenshots taken while they run: each one shows a step's picture, and
// the same on every run.
#include <gtest/gtest.h>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/support/game_folder.h"
#include "tests/support/screenshot.h"

namespace {

using testsupport::Picture;
using testsupport::read_png;

// Runs the scenario with a screenshot every `every` ms up to `until`; the
// pictures in time order.
std::vector<Picture> shots(const std::string& scenario, int every, int until) {
  testsupport::GameFolder game;
  game.write_text("0.txt", scenario);
  std::string events;
  for (int t = 0; t <= until; t += every)
    events += std::to_string(t) + " screenshot " + game.path() + "/s" + std::to_string(t) + ".png\n";
  game.write_bytes("events.txt", events);
  testsupport::RunResult r =
      testsupport::run_program(game.path(), {"--headless", "--virtual-clock", "--events", game.path() + "/events.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<Picture> pictures;
  for (int t = 0; t <= until; t += every) {
    Picture p;
    if (read_png(game.path() + "/s" + std::to_string(t) + ".png", p)) pictures.push_back(std::move(p));
  }
  return pictures;
}

TEST(EffectScreenshots, BlindsShowStepAfterStepTheSameOnEveryRun) {
  const char* scenario = "*define\ngame\n*start\nbg white,2,1600\nbg black,1\nend\n";
  std::vector<Picture> first = shots(scenario, 10, 2000), second = shots(scenario, 10, 2000);
  ASSERT_GT(first.size(), 150u);
  ASSERT_EQ(first.size(), second.size());
  std::set<int> steps;
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].rgb, second[i].rgb) << i;
    const Picture& p = first[i];
    // Every picture is "columns x % 16 <= k are white" for one k (-1: none yet).
    int k = -1;
    while (k < 15 && p.at(k + 1, 100) == 0xffffff) ++k;
    for (int x = 0; x < p.width; ++x)
      ASSERT_EQ(p.at(x, 100), x % 16 <= k ? 0xffffffu : 0u) << "shot " << i << " x " << x;
    EXPECT_EQ(p.at(k < 0 ? 0 : k, p.height - 1), k < 0 ? 0u : 0xffffffu);
    steps.insert(k);
  }
  EXPECT_GE(steps.size(), 16u);  // every step seen, 100 ms each
}

TEST(EffectScreenshots, BlackMaskWipeFinishesInItsFirstStep) {
  testsupport::GameFolder game;
  const char* scenario = "*define\ngame\n*start\nbg white,15,2000,\"black.bmp\"\nend\n";
  // A 4 x 4 black BMP.
  std::string bmp = "BM";
  auto le = [&bmp](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) bmp += char(v >> (8 * i));
  };
  le(54 + 48, 4), le(0, 4), le(54, 4), le(40, 4), le(4, 4), le(4, 4), le(1, 2), le(24, 2);
  le(0, 4), le(48, 4), le(0, 4), le(0, 4), le(0, 4), le(0, 4);
  bmp += std::string(48, '\0');
  std::vector<Picture> pictures;
  {
    game.write_text("0.txt", scenario);
    game.write_bytes("black.bmp", bmp);
    std::string events;
    for (int t = 0; t <= 600; t += 5)
      events += std::to_string(t) + " screenshot " + game.path() + "/s" + std::to_string(t) + ".png\n";
    game.write_bytes("events.txt", events);
    testsupport::RunResult r = testsupport::run_program(
        game.path(), {"--headless", "--virtual-clock", "--events", game.path() + "/events.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (int t = 0; t <= 600; t += 5) {
      Picture p;
      if (read_png(game.path() + "/s" + std::to_string(t) + ".png", p)) pictures.push_back(std::move(p));
    }
  }
  ASSERT_GT(pictures.size(), 50u);
  int white = 0;
  for (const Picture& p : pictures) {
    uint32_t c = p.at(0, 0);
    ASSERT_TRUE(c == 0 || c == 0xffffff);
    for (int y = 0; y < p.height; y += 7)
      for (int x = 0; x < p.width; x += 5) ASSERT_EQ(p.at(x, y), c);
    white += c == 0xffffff;
  }
  EXPECT_GT(white, 40);  // white from the first step on, long before the end
}

}  // namespace

namespace {

TEST(EffectScreenshots, MessageWindowComesInThroughTheWindowEffect) {
  // windoweffect 10 (crossfade): the window's grey fades in over the red
  // background instead of appearing at once; without it, a cut.
  auto window_pixel_over_time = [](const std::string& defines) {
    std::vector<Picture> p = shots("*define\n" + defines + "game\n*start\nbg #ff0000,1\n文@\nend\n", 50, 1500);
    std::set<uint32_t> seen;
    for (const Picture& pic : p) seen.insert(pic.at(320, 200));
    return seen;
  };
  std::set<uint32_t> faded = window_pixel_over_time("windoweffect 10,400\n");
  std::set<uint32_t> cut = window_pixel_over_time("");
  EXPECT_TRUE(faded.count(0xff0000));
  EXPECT_GE(faded.size(), 4u);  // red, intermediate levels, the window's colour
  EXPECT_LE(cut.size(), 2u);    // red, then the window's colour
}

}  // namespace
