// The application shell through the program: closing, the instance lock,
// deterministic runs, screenshots and the window commands, headless.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "tests/graphics/graphics_test_util.h"
#include "tests/support/game_folder.h"

using testsupport::GameFolder;
using testsupport::RunResult;

namespace {

std::string game(const std::string& defines, const std::string& body) {
  return "*define\n" + defines + "game\n*start\n" + body + "\nend\n";
}

RunResult play_in(const GameFolder& g, const std::string& events, std::vector<std::string> extra = {}) {
  g.write_bytes("events.txt", events);
  std::vector<std::string> args = {"--headless", "--virtual-clock", "--transcript",
                                   "-",          "--events",        g.path() + "/events.txt"};
  args.insert(args.end(), extra.begin(), extra.end());
  return testsupport::run_program(g.path(), args, 20000);
}

}  // namespace

TEST(Shell, CloseAsksAndNoKeepsTheGameRunning) {
  GameFolder g;
  g.write_text("0.txt", game("", "一\nwait 1000\n二\nwait 1000\n三"));
  // The game starts about 505 ms in: the first quit is answered no.
  auto r = play_in(g, "700 answer no\n700 quit\n1800 quit\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "一\n二\n");
}

TEST(Shell, MenuQuitItemAndResetItemAsk) {
  GameFolder g;
  g.write_text("0.txt", game("", "一\nwait 1000\n二\nwait 1000\n三"));
  // 40028 answered no changes nothing; 40001 posts the close.
  auto r = play_in(g, "600 answer no\n600 menu 40028\n1700 menu 40001\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "一\n二\n");
  // Reset answered yes goes back to *start.
  g.write_text("0.txt", game("", "inc %200\n%200\nwait 1000\nif %200>1 end\n二"));
  r = play_in(g, "600 menu 40028\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "１\n２\n");
}

TEST(Shell, SameInputGivesTheSameRun) {
  GameFolder g, out;
  g.write_text("0.txt", game("", "resettimer\ndelay 3000\ngettimer %0\n%0\nclickpos %1,%2\n%1\n%2\nwait 200"));
  auto events = [&](const std::string& shot) {
    return "900 click 3 4\n1200 move 9 9\n1500 wheel 2\n2000 click 50 60\n2100 screenshot " + out.path() + "/" + shot +
           "\n";
  };
  auto a = play_in(g, events("mid1.png"), {"--screenshot", out.path() + "/end1.png"});
  // The settings file the first run leaves would change how the second starts.
  std::remove((g.path() + "/envdata").c_str());
  auto b = play_in(g, events("mid2.png"), {"--screenshot", out.path() + "/end2.png"});
  ASSERT_EQ(a.status, 0) << a.err;
  EXPECT_EQ(a.out, b.out);
  EXPECT_EQ(a.out, "３９７\n５０\n６０\n");
  for (const char* f : {"mid1.png", "end1.png"}) EXPECT_EQ(out.read_file(f).substr(1, 3), "PNG") << f;
  EXPECT_EQ(out.read_file("mid1.png"), out.read_file("mid2.png"));
  EXPECT_EQ(out.read_file("end1.png"), out.read_file("end2.png"));
}

TEST(Shell, SecondCopyOfTheSameGameIsRefused) {
  GameFolder g, other;
  g.write_text("0.txt", game("", "wait 2500\n終"));
  other.write_text("0.txt", game("", "別"));
  RunResult first;
  std::thread t([&] { first = testsupport::run_program(g.path(), {"--headless", "--transcript", "-"}); });
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  auto second = testsupport::run_program(g.path(), {"--headless", "--transcript", "-"});
  auto third = testsupport::run_program(other.path(), {"--headless", "--transcript", "-"});
  t.join();
  EXPECT_EQ(second.status, 1);
  EXPECT_NE(second.err.find("起動エラー\n同時に二つ実行しないでください"), std::string::npos) << second.err;
  EXPECT_EQ(second.out, "");
  EXPECT_EQ(third.status, 0) << third.err;
  EXPECT_EQ(third.out, "別\n");
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, "終\n");
}

TEST(Shell, WindowCommandsRunHeadless) {
  GameFolder g;
  g.write_text("0.txt",
               game("",
                    "caption \"題名\"\ncaption \"\"\nminimizewindow\nmovemousecursor 30,40\ngetmousepos %0,%1\n%0\n%1\n"
                    "mousecursor \"off\"\nmenu_full\nmenu_window\nmenu_click_page\nmenu_click_def\nmenu_cd_off\n"
                    "menu_cd_on\n済"));
  auto r = play_in(g, "");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "３０\n４０\n済\n");
}

TEST(Shell, MousecursorErrors) {
  GameFolder g;
  g.write_text("0.txt", game("", "mousecursor \"other\""));
  auto r = play_in(g, "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "エラー\nmousecursorのパラメータは、offかファイル名です。");
  g.write_text("0.txt", game("", "mousecursor \"nothere.cur\""));
  r = play_in(g, "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "エラー\nカーソルファイルが見つかりません。");
  // A file that is no cursor keeps the arrow and the game goes on.
  g.write_bytes("bad.cur", "not a cursor");
  g.write_text("0.txt", game("", "mousecursor \"BAD.CUR\"\n続"));
  r = play_in(g, "");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "続\n");
}

TEST(Shell, MousecursorFindsCursorFilesInTheArchives) {
  // A 2 x 2 one-bit cursor file.
  const char cursor[] =
      "\x00\x00\x02\x00\x01\x00\x02\x02\x00\x00\x01\x00\x00\x00\x40\x00\x00\x00\x16\x00\x00\x00\x28\x00"
      "\x00\x00\x02\x00\x00\x00\x04\x00\x00\x00\x01\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
      "\x00\x00\x00\x00\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xff\xff\xff\x00\x00\x00"
      "\x00\x00\x80\x00\x00\x00\x40\x00\x00\x00\x00\x00\x00\x00";
  std::vector<uint8_t> bytes(cursor, cursor + sizeof cursor - 1);
  GameFolder g;
  gtest_graphics::write_file(g.path() + "/arc.zpk", gtest_graphics::make_zpk({{"cur\\hand.cur", 0, bytes, 86}}));
  g.write_text("0.txt", game("zpk\n", "mousecursor \"CUR/HAND.CUR\"\n続"));
  auto r = play_in(g, "");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "続\n");
  EXPECT_EQ(r.err.find("cursor"), std::string::npos) << r.err;
}

TEST(Shell, BadOptionsOfTheWaits) {
  EXPECT_EQ(testsupport::run_program("", {"--auto-click"}).status, 2);
  EXPECT_EQ(testsupport::run_program("", {"--auto-click", "soon"}).status, 2);
  EXPECT_EQ(testsupport::run_program("", {"--events"}).status, 2);
  EXPECT_EQ(testsupport::run_program("", {"--screenshot"}).status, 2);
  GameFolder g;
  g.write_text("0.txt", game("", "文"));
  auto r = play_in(g, "100 jump\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("events.txt:1: unknown event jump"), std::string::npos) << r.err;
}

TEST(Shell, MenuResetLeavesAClickWaitAtOnce) {
  GameFolder g;
  g.write_text("0.txt", game("", "inc %200\n%200\nif %200>1 end\nclick\n後"));
  auto r = play_in(g, "700 menu 40028\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "１\n２\n");
}

TEST(Shell, Mode800MakesTheScreenEightHundredWide) {
  GameFolder g, out;
  auto size_of = [&](const std::string& png) {
    std::string b = out.read_file(png);
    if (b.size() < 24) return std::pair<int, int>(0, 0);
    auto be = [&](size_t i) {
      return (static_cast<unsigned char>(b[i]) << 24) | (static_cast<unsigned char>(b[i + 1]) << 16) |
             (static_cast<unsigned char>(b[i + 2]) << 8) | static_cast<unsigned char>(b[i + 3]);
    };
    return std::pair<int, int>(be(16), be(20));
  };
  g.write_text("0.txt", ";mode800\n" + game("", "文"));
  auto r = play_in(g, "", {"--screenshot", out.path() + "/800.png"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(size_of("800.png"), std::make_pair(800, 600));
  g.write_text("0.txt", game("", "文"));
  r = play_in(g, "", {"--screenshot", out.path() + "/640.png"});
  EXPECT_EQ(size_of("640.png"), std::make_pair(640, 480));
}
