// Selections through the headless program: the pointer, the arrow keys, the right click, --choose and --auto-click,
// lists that start mid-line or span lines, selgosub, selnum, csel, and the error boxes.
#include <gtest/gtest.h>

#include "tests/ui/ui_play.h"

using uitest::box;
using uitest::Play;

namespace {

// Two choices after a line of text: item 0 on row 1 (y 44..71), item 1 on
// row 2 (y 72..99) of the default window (origin 8, 16; pitch 26 x 28).
const char kTwoWays[] =
    "はじまり\n"
    "select \"右へ\",*right,\n"
    "       \"左へ\",*left\n"
    "*right\n右です\nend\n"
    "*left\n左です\nend";

TEST(Selection, PointerArrowsAndEnterChoose) {
  Play click;
  click.body = kTwoWays;
  click.events = "1000 move 30 50\n1100 click 30 80\n";  // over item 0, then a click on item 1's row
  auto r = click.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "はじまり\n左です\n");

  // Down from no item goes to the first, Down again to the second; Up from
  // the first wraps to the last. Enter chooses (the first key pressed
  // after the list appeared).
  Play keys;
  keys.body = kTwoWays;
  keys.events = "1000 key down\n1200 key down\n1400 key enter\n";
  r = keys.run();
  EXPECT_EQ(r.out, "はじまり\n左です\n");
  keys.events = "1000 key down\n1200 key up\n1400 key enter\n";
  r = keys.run();
  EXPECT_EQ(r.out, "はじまり\n左です\n");

  // A click with the pointer off every item chooses nothing.
  Play off;
  off.body = kTwoWays;
  off.events = "1000 click 400 300\n1100 click 30 50\n";
  r = off.run();
  EXPECT_EQ(r.out, "はじまり\n右です\n");
}

TEST(Selection, RightClickHidesTheWindowUntilAClickThatDoesNotChoose) {
  Play p;
  p.body = kTwoWays;
  // The click after the right click only brings the window back.
  p.events = "1000 rclick 30 80\n1500 click 30 80\n2000 click 30 50\n";
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "はじまり\n右です\n");
}

TEST(RightClick, InAClickWaitTheWindowComesBackWithoutPassingTheWait) {
  Play p;
  p.body =
      "resettimer\n"
      "あ@\n"
      "gettimer %1\n"
      "mov %2,0\n"
      "if %1>=1250 mov %2,1\n"
      "結果%2";
  // The timer is reset about 500 ms into the run: the wait must end at the
  // third event (the timer near 1500), not at the second (near 1000).
  p.events = "1000 rclick 50 50\n1500 click 50 50\n2000 click 50 50\n";
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "あ\n結果１\n");
}

TEST(Selection, AListStartedMidLineKeepsItsColumn) {
  // "一二三" ends with '/', so the list begins at column 3 of row 0; the
  // second item is on row 1 at the same column. Each item reacts from the
  // window's left edge plus the start column (in pixels) to its widest end.
  Play p;
  p.body =
      "一二三/\n"
      "selnum %5,\"あいう\",\"かきく\"\n"
      "選んだのは%5\n";
  p.events = "1000 click 130 50\n";
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "一二三\n選んだのは１\n");
  // x = 8 + 3 + 1 is the first reacting column; (8 + 3 + 3) * 26 is past the end.
  p.events = "1000 move 11 20\n1100 click 12 20\n";
  EXPECT_EQ(p.run().out, "一二三\n選んだのは０\n");
  p.events = "1000 click 300 20\n1500 click 150 20\n";
  EXPECT_EQ(p.run().out, "一二三\n選んだのは０\n");
}

TEST(Selection, ChooseAndAutoClickAnswerForAnIdlePlayer) {
  Play p;
  p.body = kTwoWays;
  p.options = {"--choose", "1"};
  EXPECT_EQ(p.run().out, "はじまり\n左です\n");
  p.options = {"--choose", "7"};  // clamped to the last item
  EXPECT_EQ(p.run().out, "はじまり\n左です\n");
  p.options = {"--auto-click", "300"};
  EXPECT_EQ(p.run().out, "はじまり\n右です\n");
  // Input keeps --auto-click waiting; --choose then picks after the quiet time.
  p.options = {"--auto-click", "3000", "--choose", "1"};
  p.events = "1000 move 30 50\n2500 move 30 90\n";
  auto r = p.run();
  EXPECT_EQ(r.out, "はじまり\n左です\n");
  // Without any of them a headless selection closes the window and ends.
  Play none;
  none.body = kTwoWays;
  r = none.run();
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "はじまり\n");
}

TEST(Selection, SelgosubReturnsAndSelnumCountsFromZero) {
  Play p;
  p.body =
      "selgosub \"一\",*one,\"二\",*two\n"
      "戻った\n"
      "selnum %1,\"甲\",\"乙\",\"丙\"\n"
      "番号%1\n"
      "end\n"
      "*one\n一番\nreturn\n"
      "*two\n二番\nreturn";
  p.events = "1000 click 30 44\n3000 click 30 130\n";
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  // The page is cleared after each choice, so the lists start at the top.
  EXPECT_EQ(r.out, "二番\n戻った\n番号２\n");
}

TEST(Selection, CustomChoicesGoThroughCustomsel) {
  // csel hands the pairs to *customsel, which lays them out as buttons.
  Play p;
  p.body =
      "csel \"北\",*north,\"南\",*south\n"
      "*customsel\n"
      "getcselnum %2\n"
      "btndef \"\"\n"
      "cselbtn 0,10,100,200\n"
      "cselbtn 1,11,100,240\n"
      "btnwait %3\n"
      "数%2押%3\n"
      "sub %3,10\n"
      "cselgoto %3\n"
      "*north\n北へ\nend\n"
      "*south\n南へ\nend";
  p.events = "1000 click 110 250\n";
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "数２押１１\n南へ\n");
}

TEST(Selection, BadListsAreErrorBoxes) {
  std::string many = "select ";
  for (int i = 0; i < 51; i++) many += std::string(i ? "," : "") + "\"a\",*l";
  Play p;
  p.body = many + "\n*l";
  EXPECT_EQ(box(p.run()), "エラー\nselectの選択肢は50個までです。");
  p.body = "select \"a\",*l,\"b\"\n*l";
  EXPECT_EQ(box(p.run()), "構文エラー\nselectの選択肢にはラベルが必要です。");
  p.body = "selnum $1,\"a\"";
  EXPECT_EQ(box(p.run()), "構文エラー\nselnumの第一引数は数値変数です。");
  p.body = "getcselnum 3";
  EXPECT_EQ(box(p.run()), "構文エラー\ngetcselnumの第一引数は数字変数です。");
  p.body = "csel \"a\",*customsel\n*customsel\ncselgoto 1";
  EXPECT_EQ(box(p.run()), "エラー\ncselgotoの選択肢番号1は範囲外です（選択肢は1個）。");
  p.body = "select \"a\",*nowhere";
  p.options = {"--choose", "0"};
  std::string missing = box(p.run());
  EXPECT_EQ(missing.substr(0, missing.find('\n')), "ラベルエラー");
  p.options.clear();
  p.body = "";
  p.defines = "selectcolor #ffffff,ffffff\n";
  EXPECT_EQ(box(p.run()), "エラー\nselectcolorのパラメータが違います。");
  p.defines = "menuselectcolor #ffffff,#000000,999999\n";
  EXPECT_EQ(box(p.run()), "エラー\nmenuselectcolorのパラメータが違います。");
  // Settings belong to the define block.
  p.defines =
      "selectcolor #ff0000,#00ff00\nselectvoice \"a.wav\",\"b.wav\",\"\"\n"
      "menuselectvoice \"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\"\nmenusetwindow 20,20,2,4,1,0,#808080\n";
  EXPECT_EQ(p.run().status, 0);
  p.defines = "";
  p.body = "selectcolor #ff0000,#00ff00";
  EXPECT_EQ(box(p.run()), "構文エラー\n不正な命令\"selectcolor\"です。");
}

}  // namespace
