// Button waits through the headless program: hit tests, masks, the table's lifetime, the band of btnarea,
// time-outs, keys, transparent sprite buttons, the text modes, text links and the error boxes.
#include <gtest/gtest.h>

#include "tests/ui/ui_play.h"

using uitest::bmp;
using uitest::box;
using uitest::Play;

namespace {

TEST(Buttons, LaterDefinitionWinsAndOnlyAClickOnAButtonEmptiesTheTable) {
  Play p;
  p.body =
      "btndef \"\"\n"
      "btn 1,100,100,100,100,0,0\n"
      "btn 2,150,150,100,100,0,0\n"
      "btnwait2 %0\n"  // the overlap: 2
      "btnwait2 %1\n"  // the table stayed: 1
      "btnwait %2\n"   // a click off every button: 0, the table stays
      "btnwait %3\n"   // 2, and the table goes
      "btnwait %4\n"   // nothing left: 0
      "btn 5,100,100,50,50,0,0\n"
      "btn 6,100,100,20,20,0,0\n"
      "maskbtn 5\n"
      "btnwait2 %5\n"  // 6 is above the mask: 6
      "btnwait2 %6\n"  // only 5 there, and it is masked: 0
      "結果%0・%1・%2・%3・%4・%5・%6";
  p.events =
      "1000 click 160 160\n1500 click 110 110\n2000 click 400 400\n2500 click 160 160\n"
      "3000 click 160 160\n3500 click 105 105\n4000 click 140 140\n";
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "結果２・１・０・２・０・６・０\n");
}

TEST(Buttons, BandOfBtnareaEndsTheWaitWithMinusFour) {
  Play p;
  p.body =
      "btndef \"\"\n"
      "btn 1,100,100,100,100,0,0\n"
      "btnwait2 %9\n"  // puts the pointer low on the screen
      "btnarea 400\n"
      "btnwait2 %0\n"  // the pointer goes above y = 400
      "btnarea -400\n"
      "btnwait2 %1\n"  // ... and then below it
      "btnarea 0\n"
      "btnwait2 %2\n"
      "結果%0・%1・%2";
  p.events = "1000 click 300 450\n1500 move 300 399\n2000 move 300 400\n2100 move 300 401\n2500 click 150 150\n";
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "結果－４・－４・１\n");
}

TEST(Buttons, TimeOutsWheelAndRightClick) {
  Play p;
  p.defines = "usewheel\n";
  p.body =
      "btndef \"\"\n"
      "btn 1,0,0,10,10,0,0\n"
      "btntime 3000\n"
      "btnwait2 %1\n"  // nothing for 3 s: -5 with usewheel
      "getbtntimer %2\n"
      "btntime -1\n"
      "btnwait2 %3\n"
      "btnwait2 %4\n"
      "結果%1・%2・%3・%4";
  p.events = "5000 wheel 1\n6000 wheel -2\n";
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "結果－５・３０００・－２・－３\n");

  // Without usewheel a time-out is -2 and the wheel is no answer; btntime2
  // (waiting for a voice, none plays here) times out the same way.
  p.defines = "";
  p.body =
      "btndef \"\"\n"
      "btnwait2 %0\n"
      "btntime 3000\n"
      "btnwait2 %1\n"
      "getbtntimer %2\n"
      "btntime2 500\n"
      "btnwait2 %3\n"
      "結果%0・%1・%2・%3";
  p.events = "1000 rclick 300 300\n2000 wheel 1\n";
  r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "結果－１・－２・３０００・－２\n");
}

TEST(Buttons, KeyOptionsReportTheirCodes) {
  Play p;
  p.defines = "useescspc\n";
  p.body =
      "btndef \"\"\n"
      "getenter\ngetfunction\ngetcursor\ngetpageup\ngettab\n"
      "btnwait2 %0\nbtnwait2 %1\nbtnwait2 %2\nbtnwait2 %3\nbtnwait2 %4\nbtnwait2 %5\nbtnwait2 %6\n"
      "spclclk\nbtnwait2 %7\n"
      "結果%0・%1・%2・%3\n"
      "%4・%5・%6・%7";
  p.events =
      "1000 key enter\n1500 key f3\n2000 key left\n2500 key pageup\n3000 key tab\n3500 key escape\n4000 key space\n"
      "4500 key space\n";
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "結果－１９・－２３・－４３・－１２\n－２０・－１０・－１１・０\n");

  // Without getcursor the arrows move the pointer to the buttons' corners.
  p.defines = "";
  p.body =
      "btndef \"\"\n"
      "btn 1,100,100,50,50,0,0\n"
      "btn 2,300,300,50,50,0,0\n"
      "btn 3,-5,10,50,50,0,0\n"  // not reached by the keys
      "btnwait2 %0\nbtnwait2 %1\n"
      "結果%0・%1";
  // The second wait starts on button 2 (the pointer is there); Up goes to
  // button 1, Up again wraps past the unreachable button 3 to button 2.
  p.events = "1000 key down\n1200 key down\n1400 key enter\n2000 key up\n2200 key up\n2400 key enter\n";
  r = p.run();
  EXPECT_EQ(r.out, "結果２・２\n");
}

TEST(Buttons, TransbtnFollowsTheSpritesColourKey) {
  // Left half in the key colour (the top-left pixel), right half red.
  Play p;
  p.folder.write_bytes("spr.bmp", bmp(40, 40, [](int x, int) { return x < 20 ? 0xff00ffu : 0xff0000u; }));
  p.body =
      "lsp 1,\"spr.bmp\",100,100\n"
      "print 1\n"
      "btndef \"\"\n"
      "btn 3,100,100,40,40,0,0\n"
      "spbtn 1,9\n"
      "btnwait2 %0\n"
      "btnwait2 %1\n"
      "transbtn\n"
      "btnwait2 %2\n"
      "btnwait2 %3\n"
      "結果%0・%1・%2・%3";
  p.events = "1000 click 105 110\n1500 click 130 110\n2000 click 105 110\n2500 click 130 110\n";
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "結果９・９・３・９\n");
}

TEST(Buttons, TextModesAndSkip) {
  // Skip mode (the menu's skip) ends textbtnwait with 0; btnwait switches
  // skip mode off and goes on waiting.
  Play p;
  p.body =
      "btndef \"\"\n"
      "btn 4,100,100,50,50,0,0\n"
      "textbtnwait %0\n"
      "btnwait2 %1\n"
      "selectbtnwait %2\n"
      "結果%0・%1・%2";
  // The click at 2000 only ends skip mode, as every click in skip mode does.
  p.events = "1000 menu 40006\n1500 menu 40006\n2000 click 110 110\n2500 click 120 120\n3000 click 120 120\n";
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "結果０・４・４\n");
}

TEST(Buttons, TbtnwaitReturnsTheLinkNumber) {
  Play p;
  // Links at x 8..59 (number 3) and 60..111 (number 7) of row 0.
  p.body =
      "<3あい><7うえ>\n"
      "tbtnwait %0\n"
      "<5お>\n"
      "tbtnwait %1\n"
      "tbtnwait %2\n"
      "結果%0・%1・%2";
  p.events = "1000 click 70 20\n1500 click 300 300\n2000 rclick 10 50\n";
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "あいうえ\nお\n結果７・０・－１\n");
}

TEST(Buttons, AutoClickClicksTheFirstButton) {
  Play p;
  p.body =
      "btndef \"\"\n"
      "btn 8,300,300,20,20,0,0\n"
      "btn 2,100,100,20,20,0,0\n"
      "btnwait %0\n"
      "結果%0";
  p.options = {"--auto-click", "500"};
  auto r = p.run();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "結果８\n");
}

TEST(Buttons, BadInputIsAnErrorBox) {
  Play p;
  const struct {
    const char* body;
    const char* box;
  } cases[] = {
      {"btnwait 1", "構文エラー\nbtnwaitの第一引数は数字変数です。"},
      {"btnwait2 x", "構文エラー\nbtnwaitの第一引数は数字変数です。"},
      {"selectbtnwait 1", "構文エラー\ntextbtnwaitの第一引数は数字変数です。"},
      {"tbtnwait 1", "構文エラー\ntbtnwaitの第一引数は数字変数です。"},
      {"getbtntimer 1", "構文エラー\ngetbtntimerの第一引数は数字変数です。"},
      {"isdown $1", "構文エラー\nisdownの引数は数字変数です。"},
      {"spbtn 300,1", "エラー\nスプライト番号300は0～255の範囲外です。"},
      {"exbtn -1,1,\"P1\"", "エラー\nスプライト番号-1は0～255の範囲外です。"},
      {"btndef \"missing.bmp\"", "ロードエラー\nファイルmissing.bmpを開けません。"},
      {"cselbtn 0,1,0,0", "エラー\ncselbtnの選択肢番号0は範囲外です（選択肢は0個）。"},
      {"for %1=1 to 1025\nbtn %1,0,0,1,1,0,0\nnext", "エラー\nボタンは1024個までしか定義できません。"},
      {"lsp 1,\"a.bmp\",0,0\nexbtn 1,1,\"P1\"\nbtnwait %0",
       "エラー\nexbtn命令を使ったときには必ずexbtn_d命令も必要です。"},
      {"lsp 1,\"a.bmp\",0,0\nexbtn_d \"Q1\"\nexbtn 1,1,\"P1\"\nbtnwait %0", "エラー\n拡張ボタン指定が間違っています。"},
  };
  p.folder.write_bytes("a.bmp", bmp(8, 8, [](int, int) { return 0x00ff00u; }));
  for (const auto& c : cases) {
    p.body = c.body;
    EXPECT_EQ(box(p.run()), c.box) << c.body;
  }
  // A damaged picture is the loader's error box, never a crash.
  p.folder.write_bytes("bad.bmp", std::string("BM\x10\0\0\0garbage", 13));
  p.body = "btndef \"bad.bmp\"";
  auto r = p.run();
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(box(r).empty());
}

}  // namespace
