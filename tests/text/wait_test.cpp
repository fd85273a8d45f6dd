// Waits, modes and traps driven through the program: headless, on the
// virtual clock, with scripted input. Times are read with gettimer and
// printed as text lines.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "tests/support/game_folder.h"

using testsupport::GameFolder;
using testsupport::RunResult;

namespace {

// Text is shown without a speed wait, so that printing a time takes none.
std::string game(const std::string& defines, const std::string& body) {
  return "*define\n" + defines + "textspeed 0\ngame\n*start\n" + body + "\nend\n";
}

// The game reaches *start about 505 ms after the program starts (the window
// is shown, then 500 ms pass); event times below count from *start.
constexpr int kStart = 510;

std::string shifted(const std::string& events) {
  std::istringstream in(events);
  std::string line, out;
  while (std::getline(in, line)) {
    size_t space = line.find(' ');
    out += std::to_string(std::stoi(line.substr(0, space)) + kStart) + line.substr(space) + "\n";
  }
  return out;
}

RunResult play(const std::string& scenario, const std::string& events, std::vector<std::string> extra = {}) {
  GameFolder g;
  g.write_text("0.txt", scenario);
  g.write_bytes("events.txt", shifted(events));
  std::vector<std::string> args = {"--headless", "--virtual-clock", "--transcript",
                                   "-",          "--events",        g.path() + "/events.txt"};
  args.insert(args.end(), extra.begin(), extra.end());
  return testsupport::run_program(g.path(), args, 20000);
}

// The transcript's lines read as full-width numbers ("－" and "０".."９").
std::vector<int> numbers(const std::string& out) {
  std::vector<int> result;
  std::istringstream in(out);
  std::string line;
  while (std::getline(in, line)) {
    int sign = 1, value = 0;
    bool any = false;
    for (size_t i = 0; i + 2 < line.size() + 1 && i < line.size(); i += 3) {
      if (line.compare(i, 3, "－") == 0)
        sign = -1;
      else if (line.compare(i, 2, "\xef\xbc") == 0 && static_cast<unsigned char>(line[i + 2]) >= 0x90 &&
               static_cast<unsigned char>(line[i + 2]) <= 0x99) {
        value = value * 10 + (static_cast<unsigned char>(line[i + 2]) - 0x90);
        any = true;
      } else
        break;
    }
    if (any) result.push_back(sign * value);
  }
  return result;
}

}  // namespace

TEST(Waits, ClickIsIgnoredByWaitAndEndsDelay) {
  auto r = play(game("", "resettimer\nwait 1000\ngettimer %0\n%0\nresettimer\ndelay 5000\ngettimer %1\n%1"),
                "500 click 10 10\n1800 click 10 10\n");
  ASSERT_EQ(r.status, 0) << r.err;
  auto n = numbers(r.out);
  ASSERT_EQ(n.size(), 2u) << r.out;
  EXPECT_GE(n[0], 1000);
  EXPECT_LE(n[0], 1010);
  EXPECT_GE(n[1], 770);  // ended by the click at 1800, not after 5000
  EXPECT_LE(n[1], 800);
}

TEST(Waits, DelayEndsOnCtrlAndInSkipMode) {
  auto r = play(game("", "resettimer\ndelay 5000\ngettimer %0\n%0\nskipoff\nresettimer\ndelay 5000\ngettimer %1\n%1"),
                "300 keydown ctrl\n320 keyup ctrl\n1000 menu 40006\n");
  ASSERT_EQ(r.status, 0) << r.err;
  auto n = numbers(r.out);
  ASSERT_EQ(n.size(), 2u) << r.out;
  EXPECT_LE(n[0], 305);
  EXPECT_GE(n[1], 650);
  EXPECT_LE(n[1], 700);
}

TEST(Waits, ClickInAutoModeOnlySwitchesItOff) {
  auto r = play(game("automode_time 5000\nautomode\n", "menu_automode\nresettimer\nclick\ngettimer %0\n%0"),
                "600 click 1 1\n2600 click 1 1\n");
  ASSERT_EQ(r.status, 0) << r.err;
  auto n = numbers(r.out);
  ASSERT_EQ(n.size(), 1u) << r.out;
  EXPECT_GE(n[0], 2390);  // not ended by the first click (it only left auto mode)
  EXPECT_LE(n[0], 2500);  // and not by the auto mode's 5000 ms either
}

TEST(Waits, AutoModeEndsClickWaitsAfterItsTime) {
  auto r = play(game("automode_time 700\nautomode\n", "menu_automode\nresettimer\nclick\ngettimer %0\n%0"), "");
  ASSERT_EQ(r.status, 0) << r.err;
  auto n = numbers(r.out);
  ASSERT_EQ(n.size(), 1u) << r.out;
  EXPECT_GE(n[0], 600);
  EXPECT_LE(n[0], 705);
}

TEST(Waits, ClickInSkipModeOnlySwitchesItOff) {
  auto r = play(game("", "wait 100\nresettimer\nclick\ngettimer %0\n%0\nwait 500\nresettimer\nclick\ngettimer %1\n%1"),
                "50 char n\n400 click 1 1\n1500 click 1 1\n");
  ASSERT_EQ(r.status, 0) << r.err;
  auto n = numbers(r.out);
  ASSERT_EQ(n.size(), 2u) << r.out;
  EXPECT_LE(n[0], 10);  // skip mode passes the click wait
  EXPECT_GE(n[1], 850);
  EXPECT_LE(n[1], 900);
}

TEST(Waits, TypedCharacterSwitchesSkipOff) {
  auto r = play(game("", "wait 100\nresettimer\nclick\ngettimer %0\n%0"), "20 menu 40006\n60 char a\n1000 click 1 1\n");
  ASSERT_EQ(r.status, 0) << r.err;
  auto n = numbers(r.out);
  ASSERT_EQ(n.size(), 1u) << r.out;
  EXPECT_GE(n[0], 850);
}

TEST(Waits, AutoclickMakesEveryClickWaitItsLengthAndIgnoresClicks) {
  auto r = play(game("", "autoclick 500\nresettimer\nclick\ngettimer %0\n%0\nresettimer\nclick\ngettimer %1\n%1"),
                "100 click 5 5\n150 keydown ctrl\n");
  ASSERT_EQ(r.status, 0) << r.err;
  auto n = numbers(r.out);
  ASSERT_EQ(n.size(), 2u) << r.out;
  for (int v : n) {
    EXPECT_GE(v, 500);
    EXPECT_LE(v, 505);
  }
}

TEST(Waits, WaittimerAndGettimerCountFromResettimer) {
  auto r = play(game("", "resettimer\nwait 300\nwaittimer 1000\ngettimer %0\n%0\nwaittimer 10\ngettimer %1\n%1"), "");
  ASSERT_EQ(r.status, 0) << r.err;
  auto n = numbers(r.out);
  ASSERT_EQ(n.size(), 2u) << r.out;
  EXPECT_GE(n[0], 1000);
  EXPECT_LE(n[0], 1003);
  EXPECT_LE(n[1] - n[0], 10);  // a time already passed does not wait
}

TEST(Waits, ClickposAndGetmouseposReportClientPoints) {
  auto r = play(game("", "clickpos %0,%1\n%0\n%1\nwait 100\ngetmousepos %2,%3\n%2\n%3"),
                "100 click 123 45\n150 move 600 470\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(numbers(r.out), (std::vector<int>{123, 45, 600, 470}));
}

TEST(Waits, ArgumentErrors) {
  auto r = play(game("", "gettimer $0"), "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "構文エラー\ngettimerの引数は数字変数です。");
  r = play(game("", "clickpos %0,5"), "");
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "構文エラー\nclickposの第ニ引数は数字変数です。");
  r = play(game("", "getmousepos 1,%0"), "");
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "構文エラー\ngetmouseposの第一引数は数字変数です。");
}

TEST(Waits, HeadlessClickWaitWithoutInputEndsTheRunAndSaysSo) {
  auto r = play(game("", "前\nclick\n後"), "");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "前\n");
  EXPECT_NE(r.err.find("no scripted input left"), std::string::npos) << r.err;
}

// The last scripted event is the click that ends a wait: the run goes on
// to `end` (the pass that took the click must not also see "no input left").
TEST(Waits, TheLastScriptedClickEndsItsWaitAndTheRunGoesOn) {
  for (const char* wait : {"click", "clickpos %1,%2"}) {
    auto r = play(game("", std::string("mov %0,7\n") + wait + "\n値%0\n二行目"), "1500 click 1 1\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "値７\n二行目\n") << wait;
    EXPECT_EQ(r.err.find("no scripted input"), std::string::npos) << wait;
  }
  // In slow text: a click while the line is drawn shows it at once, the
  // last one ends the '@' wait.
  auto r =
      play("*define\ngame\n*start\ntextspeed 100\nあいうえお@かきくけこ\nend\n", "100 click 1 1\n1500 click 1 1\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "あいうえおかきくけこ\n");
  EXPECT_EQ(r.err.find("no scripted input"), std::string::npos);
}

TEST(Waits, AutoClickOptionClicksAfterQuiet) {
  auto r = play(game("", "resettimer\nclick\ngettimer %0\n%0\nresettimer\nclick\ngettimer %1\n%1"), "",
                {"--auto-click", "300"});
  ASSERT_EQ(r.status, 0) << r.err;
  auto n = numbers(r.out);
  ASSERT_EQ(n.size(), 2u) << r.out;
  for (int v : n) {
    EXPECT_GE(v, 300);
    EXPECT_LE(v, 310);
  }
}

TEST(Traps, LrTrapAfterTrap2KeepsSkipTrapping) {
  const std::string loop = "*loop\nwait 10\ninc %0\nif %0>50 goto *none\ngoto *loop\n*none\n罠なし\nend\n";
  auto r =
      play(game("", "trap2 *first\nlr_trap *second\n" + loop + "*second\n罠\nend\n*first\n違う"), "100 menu 40006\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "罠\n");
  // trap clears both variants: skip mode no longer fires it.
  r = play(game("", "trap2 *first\ntrap *second\n" + loop + "*second\n罠\nend\n*first\n違う"), "100 menu 40006\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "罠なし\n");
}

TEST(Traps, RightClickFiresOnlyLrTraps) {
  const std::string loop =
      "*loop\nwait 10\ninc %0\nif %0>50 goto *none\ngoto *loop\n*none\n罠なし\nend\n*hit\n罠\nend\n";
  auto r = play(game("", "trap *hit\n" + loop), "100 rclick 1 1\n");
  EXPECT_EQ(r.out, "罠なし\n");
  r = play(game("", "lr_trap *hit\n" + loop), "100 rclick 1 1\n");
  EXPECT_EQ(r.out, "罠\n");
  r = play(game("", "trap *hit\n" + loop), "100 click 1 1\n");
  EXPECT_EQ(r.out, "罠\n");
}

TEST(Traps, StopHoldsTheClickUntilResume) {
  auto r = play(game("", "trap *hit\ntrap stop\nwait 1000\n前\ntrap resume\n後\nend\n*hit\n罠"), "500 click 1 1\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "前\n罠\n");
  // Without a click, resume just goes on.
  r = play(game("", "trap *hit\ntrap stop\nwait 1000\n前\ntrap resume\n後\nend\n*hit\n罠"), "");
  EXPECT_EQ(r.out, "前\n後\n");
  // off forgets the trap.
  r = play(game("", "trap *hit\ntrap off\nwait 1000\n前\nend\n*hit\n罠"), "500 click 1 1\n");
  EXPECT_EQ(r.out, "前\n");
}

TEST(Traps, TimerTrapFiresAtItsDeadlineAndHoldsWhileStopped) {
  const std::string loop = "*loop\nwait 10\ngoto *loop\n";
  auto r = play(game("", "resettimer\ntimertrap *t,300\n" + loop + "*t\ngettimer %0\n%0"), "");
  ASSERT_EQ(r.status, 0) << r.err;
  auto n = numbers(r.out);
  ASSERT_EQ(n.size(), 1u) << r.out;
  EXPECT_GE(n[0], 300);
  EXPECT_LE(n[0], 315);
  r = play(game("", "timertrap *t,100\ntimertrap stop\nwait 500\n前\ntimertrap resume\n後\nend\n*t\n時"), "");
  EXPECT_EQ(r.out, "前\n時\n");
  // A click trap set later takes over: the timer no longer fires.
  r = play(game("", "timertrap *t,100\ntrap *c\nwait 500\n前\nend\n*t\n時\nend\n*c\n押"), "");
  EXPECT_EQ(r.out, "前\n");
}

TEST(Traps, BadParametersAreErrors) {
  auto r = play(game("", "trap maybe"), "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")),
            "エラー\ntrap命令のパラメータは、offもしくは*ラベル名もしくはstopもしくはresumeです。");
  r = play(game("", "timertrap 5"), "");
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")),
            "エラー\ntimertrap命令の第一パラメータは、offもしくは*ラベル名もしくはstopもしくはresumeです。");
}

TEST(Waits, EscapeHeldWithTheNextEventFarAwayEndsWithAutoClick) {
  auto r = play(game("", "前\nclick\n後"), "0 keydown escape\n2000000000 click 1 1\n", {"--auto-click", "50"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "前\n後\n");
}

TEST(Waits, EscapeHeldDuringAClickWaitDoesNotHang) {
  auto r = play(game("", "前\nclick\n後"), "100 keydown escape\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "前\n");
  // Released later, the wait goes on to the click.
  r = play(game("", "前\nclick\n後"), "100 keydown escape\n300 keyup escape\n500 click 1 1\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "前\n後\n");
}

TEST(Waits, HeadlessCloseRefusedByScriptIsAskedAgain) {
  auto r = play(game("", "前\nclick\n後"), "0 answer no\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "前\n");
}
