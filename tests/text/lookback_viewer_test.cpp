// The lookback viewer through the headless program: screenshots taken while
// it runs show which page it draws (in the lookback colour, red here), its
// buttons, and the window's own text coming back when it closes.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/sjis.h"
#include "tests/graphics/graphics_test_util.h"
#include "tests/support/game_folder.h"
#include "tests/support/screenshot.h"
#include "text/lookback.h"
#include "text/lookback_viewer.h"

namespace {

using testsupport::Picture;
using testsupport::read_png;

// Text rows (of the default window: origin y 16, pitch 28, glyphs 26
// high, columns left of the buttons) holding a pixel of `rgb`.
std::set<int> rows_with(const testsupport::Picture& p, uint32_t rgb) {
  std::set<int> rows;
  for (int y = 16; y < p.height; y++)
    for (int x = 0; x < 600; x++)
      if (p.at(x, y) == rgb && (y - 16) % 28 < 26) rows.insert((y - 16) / 28);
  return rows;
}

constexpr uint32_t kRed = 0xFF0000, kWhite = 0xFFFFFF;
constexpr uint32_t kUpOn = 0x0000FF, kUpOff = 0x00FF00, kDownOn = 0xFFFF00, kDownOff = 0x00FFFF;

// Three pages: "あ", then "いう" / "えお" on two rows, and "か" waiting on
// the screen. The game reaches *start about 505 ms after the start.
const char kScenario[] =
    "*define\nlookbackcolor #ff0000\n"
    "lookbackbutton \":c;uon.bmp\",\":c;uoff.bmp\",\":c;don.bmp\",\":c;doff.bmp\"\n"
    "game\n*start\ntextspeed 0\nあ\\\nいう@\nえお\\\nか@\nend\n";

struct Played {
  testsupport::RunResult result;
  std::vector<Picture> shots;
};

// Plays the scenario with `events` (times from 0); "shot" lines become
// numbered screenshots, read back in order.
Played play(const std::string& scenario, const std::vector<std::string>& events) {
  testsupport::GameFolder game;
  game.write_text("0.txt", scenario);
  for (auto [name, rgb] :
       {std::pair{"uon.bmp", kUpOn}, {"uoff.bmp", kUpOff}, {"don.bmp", kDownOn}, {"doff.bmp", kDownOff}}) {
    std::vector<uint8_t> bmp = gtest_graphics::solid_bmp(20, 20, rgb);
    game.write_bytes(name, std::string(bmp.begin(), bmp.end()));
  }
  std::string text;
  int shots = 0;
  for (const std::string& e : events) {
    size_t space = e.find(' ');
    std::string rest = e.substr(space + 1);
    if (rest == "shot") rest = "screenshot " + game.path() + "/s" + std::to_string(shots++) + ".png";
    text += e.substr(0, space) + " " + rest + "\n";
  }
  game.write_bytes("events.txt", text);
  Played run;
  run.result = testsupport::run_program(
      game.path(), {"--headless", "--virtual-clock", "--transcript", "-", "--events", game.path() + "/events.txt"});
  for (int i = 0; i < shots; i++) {
    Picture p;
    EXPECT_TRUE(read_png(game.path() + "/s" + std::to_string(i) + ".png", p)) << i;
    run.shots.push_back(std::move(p));
  }
  return run;
}

}  // namespace

TEST(LookbackViewer, ShowsTheLastFinishedPageFirstPagesBackAndClosesTowardsThePlayer) {
  Played run = play(kScenario, {"600 click 5 300", "700 click 5 300", "800 click 5 300", "900 shot", "1000 wheel 1",
                                "1100 shot", "1200 wheel 1", "1300 shot", "1400 key pagedown", "1500 shot",
                                "1600 wheel -1", "1700 shot", "1800 click 5 300"});
  ASSERT_EQ(run.result.status, 0) << run.result.err;
  ASSERT_EQ(run.shots.size(), 5u);
  using Rows = std::set<int>;
  // On screen: the unfinished page "か".
  EXPECT_EQ(rows_with(run.shots[0], kWhite), Rows{0});
  EXPECT_EQ(rows_with(run.shots[0], kRed), Rows{});
  // Opened: the last finished page ("いう" / "えお"), not the page on screen.
  EXPECT_EQ(rows_with(run.shots[1], kRed), (Rows{0, 1}));
  EXPECT_EQ(rows_with(run.shots[1], kWhite), Rows{});
  // Wheel away from the player: the page before ("あ").
  EXPECT_EQ(rows_with(run.shots[2], kRed), Rows{0});
  // Page Down: the newer page again.
  EXPECT_EQ(rows_with(run.shots[3], kRed), (Rows{0, 1}));
  // Wheel towards the player on the newest page: closed, "か" is back and
  // the wait goes on until the click.
  EXPECT_EQ(rows_with(run.shots[4], kRed), Rows{});
  EXPECT_EQ(rows_with(run.shots[4], kWhite), Rows{0});
  EXPECT_NE(run.result.out.find("か"), std::string::npos);
}

TEST(LookbackViewer, ButtonsShowWhereAPageLiesAndLightUpAndTurnOnAClick) {
  // The up button sits in the window's top-right corner, the down button in
  // its bottom-right corner (the default window is the whole screen).
  Played run = play(kScenario, {"600 click 5 300", "700 click 5 300", "800 click 5 300", "1000 wheel 1",
                                "1050 move 5 300", "1100 shot", "1200 move 630 10", "1300 shot", "1400 click 630 10",
                                "1500 shot", "1600 click 5 300", "1700 shot", "1800 click 5 300"});
  ASSERT_EQ(run.result.status, 0) << run.result.err;
  ASSERT_EQ(run.shots.size(), 4u);
  // Newest page: only the up button, in its normal picture.
  EXPECT_EQ(run.shots[0].at(630, 10), kUpOff);
  EXPECT_NE(run.shots[0].at(630, 470), kDownOff);
  // The pointer over it: the highlighted picture.
  EXPECT_EQ(run.shots[1].at(630, 10), kUpOn);
  EXPECT_EQ(rows_with(run.shots[1], kRed), (std::set<int>{0, 1}));
  // Clicked: the older page, the oldest, so only the down button remains.
  EXPECT_EQ(rows_with(run.shots[2], kRed), std::set<int>{0});
  EXPECT_NE(run.shots[2].at(630, 10), kUpOn);
  EXPECT_NE(run.shots[2].at(630, 10), kUpOff);
  EXPECT_EQ(run.shots[2].at(630, 470), kDownOff);
  // A click beside the buttons closes the viewer.
  EXPECT_EQ(rows_with(run.shots[3], kRed), std::set<int>{});
  EXPECT_EQ(rows_with(run.shots[3], kWhite), std::set<int>{0});
}

TEST(LookbackViewer, NothingFinishedMeansNothingToShow) {
  // In-process: an empty history shows nothing and returns at once.
  text::reset_lookback();
  std::string s = platform::utf8_to_sjis("あ");
  text::append_text_bytes(s[0], s[1]);
  EXPECT_EQ(text::finished_pages(), 0);
  EXPECT_EQ(text::show_lookback(), 0);
  EXPECT_EQ(text::lookback_active, 0);
  text::write_page_mark();
  EXPECT_EQ(text::finished_pages(), 1);
  EXPECT_EQ(text::lookback_page(1), s);
  EXPECT_EQ(text::lookback_page(2), "");
  // A damaged write position (from a save file) reads as an empty history.
  text::lookback.write_pos = 123456;
  EXPECT_EQ(text::lookback_page(1), "");
  text::lookback.write_pos = -5;
  EXPECT_EQ(text::finished_pages(), 0);
  text::reset_lookback();
}
