// The message window's commands, its drawing into the composed picture, and the lookback marks of its commands.
#include <gtest/gtest.h>

#include <cstring>

#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/sjis.h"
#include "tests/support/script_fixture.h"
#include "tests/text/text_fixture.h"
#include "text/lookback.h"
#include "text/lookback_commands.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/output_commands.h"
#include "text/screen_link.h"
#include "text/window_commands.h"

using testsupport::fatal_of;
using testsupport::load_script;
using text::message_window;

namespace {

class MessageWindowCommands : public testsupport::TextTest {
 protected:
  // A picture of every byte value, so that tints show.
  void fill_pattern(graphics::DibSurface& s) {
    for (int y = 0; y < s.height; y++)
      for (int x = 0; x < 3 * s.width; x++) s.row(y)[x] = static_cast<uint8_t>(x * 7 + y * 3);
  }
};

TEST_F(MessageWindowCommands, SetwindowReadsTheLayout) {
  load_script("10,20,5,3,24,22,2,6,30,0,0,#336699,4,5,300,200");
  text::cmd_setwindow();
  const auto& w = message_window;
  EXPECT_EQ(w.text_origin_x, 10);
  EXPECT_EQ(w.text_origin_y, 20);
  EXPECT_EQ(w.columns, 5);
  EXPECT_EQ(w.rows, 3);
  EXPECT_EQ(w.pitch_x, 26);
  EXPECT_EQ(w.pitch_y, 28);
  EXPECT_EQ(w.text_speed, 30);
  EXPECT_EQ(w.bold, 0);
  EXPECT_EQ(w.background_colour, 0x336699);
  EXPECT_EQ(w.window_left, 4);
  EXPECT_EQ(w.window_bottom, 200);
  EXPECT_EQ(w.window_shown, 0);
}

TEST_F(MessageWindowCommands, SetwindowRefusesNegativeCounts) {
  load_script("10,20,-1,3,24,22,2,6,30,0,0,#336699,4,5,300,200");
  EXPECT_EQ(fatal_of(text::cmd_setwindow), "エラー|setwindowの縦横文字数指定が間違っています。");
}

TEST_F(MessageWindowCommands, WhiteLeavesThePictureAndBlackBlacksItOut) {
  graphics::DibSurface work, before;
  graphics::create_surface(work, 640, 480);
  fill_pattern(work);
  before = work;
  load_script("8,16,20,10,26,26,0,2,0,1,1,#ffffff,10,10,300,200");
  text::cmd_setwindow();
  message_window.draw_window = 1;
  text::draw_message_window(work, 0, 0, 639, 479);
  EXPECT_EQ(work.pixels, before.pixels);

  load_script("8,16,20,10,26,26,0,2,0,1,1,#000000,10,10,300,200");
  text::cmd_setwindow();
  message_window.draw_window = 1;
  text::draw_message_window(work, 0, 0, 639, 479);
  for (int y : {9, 10, 200, 201})
    for (int x : {9, 10, 300, 301}) {
      bool inside = x >= 10 && x <= 300 && y >= 10 && y <= 200;
      const uint8_t* p = work.row(y) + 3 * x;
      const uint8_t* q = before.row(y) + 3 * x;
      if (inside)
        EXPECT_EQ(p[0] | p[1] | p[2], 0) << x << "," << y;
      else
        EXPECT_TRUE(p[0] == q[0] && p[1] == q[1] && p[2] == q[2]) << x << "," << y;
    }
}

TEST_F(MessageWindowCommands, ATintMultipliesEachChannel) {
  graphics::DibSurface work;
  graphics::create_surface(work, 640, 480);
  std::fill(work.pixels.begin(), work.pixels.end(), 200);
  load_script("8,16,20,10,26,26,0,2,0,1,1,#804000,0,0,639,479");
  text::cmd_setwindow();
  message_window.draw_window = 1;
  text::draw_message_window(work, 0, 0, 639, 479);
  const uint8_t* p = work.row(50) + 3 * 50;  // blue, green, red
  EXPECT_EQ(p[2], 200 * 0x80 / 255);
  EXPECT_EQ(p[1], 200 * 0x40 / 255);
  EXPECT_EQ(p[0], 0);
}

TEST_F(MessageWindowCommands, TextIsPutBackOverANewPictureAsDrawn) {
  // Drawn on a grey display, then composed again over the same grey
  // picture with a white (neutral) window: the same pixels.
  load_script("8,16,20,10,26,26,0,2,0,1,1,#ffffff,0,0,639,479");
  text::cmd_setwindow();
  std::fill(display.pixels.begin(), display.pixels.end(), 90);
  show("文字/");
  graphics::DibSurface work;
  graphics::create_surface(work, 640, 480);
  std::fill(work.pixels.begin(), work.pixels.end(), 90);
  text::draw_message_window(work, 0, 0, 639, 479);
  EXPECT_EQ(work.pixels, display.pixels);
  // Composing a part again changes nothing in it either.
  graphics::DibSurface part;
  graphics::create_surface(part, 640, 480);
  std::fill(part.pixels.begin(), part.pixels.end(), 90);
  text::draw_message_window(part, 20, 0, 639, 479);
  for (int y = 0; y < 480; y++) ASSERT_EQ(std::memcmp(part.row(y) + 60, display.row(y) + 60, 3 * 620), 0) << y;
}

TEST_F(MessageWindowCommands, ImageBackgroundTakesItsSizeFromTheImage) {
  text::screen_link.load_window_image = [](const std::string& tag, int& w, int& h) {
    w = tag == "win.bmp" ? 100 : 0;
    h = tag == "win.bmp" ? 50 : 0;
    return true;
  };
  load_script("8,16,20,10,26,26,0,2,0,1,1,\"win.bmp\",20,300");
  text::cmd_setwindow();
  const auto& w = message_window;
  EXPECT_EQ(w.background_colour, -1);
  EXPECT_EQ(w.background_image, "win.bmp");
  EXPECT_EQ(w.window_left, 20);
  EXPECT_EQ(w.window_top, 300);
  EXPECT_EQ(w.window_right, 20 + 100 - 1);
  EXPECT_EQ(w.window_bottom, 300 + 50 - 1);
  load_script("#112233");
  text::cmd_setwindow2();
  EXPECT_EQ(w.background_colour, 0x112233);
  EXPECT_EQ(w.window_right, 119);  // the rectangle stays
}

TEST_F(MessageWindowCommands, SetwindowEmptiesTheLookback) {
  message_window.text_speed = 0;
  show("あ");
  load_script("8,16,20,10,26,26,0,2,0,1,1,#ffffff,0,0,639,479");
  text::cmd_setwindow();
  EXPECT_EQ(recorded(), "|");
}

TEST_F(MessageWindowCommands, SetfontTakesEffectAtTheNextClear) {
  std::string face = message_window.font_face;
  load_script("\"IPAMincho\"");
  text::cmd_setfont();
  EXPECT_EQ(message_window.font_face, face);
  load_script("");
  text::cmd_textclear();
  EXPECT_EQ(message_window.font_face, "IPAMincho");
}

TEST_F(MessageWindowCommands, TextmodeHidesAndEraseSettings) {
  message_window.text_speed = 0;
  show("あ");
  EXPECT_EQ(message_window.window_shown, 1);
  load_script("0");
  text::cmd_erasetextwindow();
  text::hide_message_window();
  EXPECT_EQ(message_window.window_shown, 1);  // kept through effects
  text::cmd_textoff();
  EXPECT_EQ(message_window.window_shown, 0);  // textoff takes it off anyway
  EXPECT_EQ(message_window.erase_window_on_effect, 0);
  load_script("2");
  text::cmd_erasetextwindow();
  EXPECT_EQ(message_window.erase_window_on_effect, 1);
  EXPECT_EQ(message_window.keep_window_for_layers, 1);
  load_script("0");
  text::cmd_textmode();
  EXPECT_EQ(fatal_of([&] { show("い"); }), "エラー！|textmodeが非表示設定なのに文字を書こうとしました。");
}

TEST_F(MessageWindowCommands, CursorPositions) {
  message_window.column = 2;
  message_window.row = 3;
  load_script("%1,%2");
  text::cmd_getcursorpos();
  EXPECT_EQ(interp::numeric_variable(1), 8 + 2 * 26);
  EXPECT_EQ(interp::numeric_variable(2), 16 + 3 * 28);
  load_script("%1,%2");
  text::cmd_getnextline();
  EXPECT_EQ(interp::numeric_variable(1), 8);
  EXPECT_EQ(interp::numeric_variable(2), 16 + 4 * 28);
  EXPECT_EQ(message_window.row, 3);  // the position does not move
  load_script("%1,$2");
  EXPECT_EQ(fatal_of(text::cmd_getcursorpos), "構文エラー|getcurposの第１，２引数は数字変数です。");
  load_script("1,%2");
  EXPECT_EQ(fatal_of(text::cmd_getnextline), "構文エラー|getnextlineの第１，２引数は数字変数です。");
}

TEST_F(MessageWindowCommands, LocateBrAndSpeeds) {
  load_script("3,4");
  text::cmd_locate();
  EXPECT_EQ(message_window.column, 3);
  text::cmd_br();
  EXPECT_EQ(message_window.column, 0);
  EXPECT_EQ(message_window.row, 5);
  load_script("-1");
  text::cmd_textspeed();
  EXPECT_EQ(text::effective_text_speed(), 10);
  load_script("50,25,5");
  text::cmd_defaultspeed();
  message_window.menu_speed_index = 0;
  EXPECT_EQ(text::effective_text_speed(), 50);
}

TEST_F(MessageWindowCommands, ResetKeepsTheLinkColourAndFaces) {
  load_script("1,2,3");
  text::cmd_linkcolor();
  load_script("\"IPAGothic\"");
  text::cmd_setfont();
  message_window.columns = 5;
  text::reset_message_window();
  EXPECT_EQ(message_window.link_colour[2], 3);
  EXPECT_EQ(message_window.columns, 23);
  EXPECT_EQ(message_window.font_face, "IPAGothic");
}

TEST_F(MessageWindowCommands, CursorNumbersAreZeroOrOne) {
  text::screen_link.load_cursor_image = nullptr;  // only the placement is looked at here
  load_script("2,\"c.bmp\",0,0");
  EXPECT_EQ(fatal_of(text::cmd_setcursor), "エラー|カーソルは０（通常）と１（クリック消去用）です。");
  load_script("1,\"c.bmp\",300,400");
  text::cmd_abssetcursor();
  EXPECT_EQ(text::cursor_placement[1].absolute, 1);
  EXPECT_EQ(text::cursor_placement[1].dx, 300);
}

class LookbackMarks : public testsupport::TextTest {};

TEST_F(LookbackMarks, PageWaitTextclearAndTextcommitNeverDoubleAMark) {
  waits_end_after(10);
  message_window.text_speed = 0;
  show("あ\\");
  text::cmd_textclear();
  text::cmd_textcommit();
  show("い");
  EXPECT_EQ(recorded(), "|あ|い\n");
  load_script("$3");
  text::cmd_gettext();
  EXPECT_EQ(platform::sjis_to_utf8(interp::string_variable(3)), "い");
}

TEST_F(LookbackMarks, GettextJoinsTheLinesShown) {
  message_window.text_speed = 0;
  show("一行目");
  show("二行目");
  load_script("$4");
  text::cmd_gettext();
  EXPECT_EQ(platform::sjis_to_utf8(interp::string_variable(4)), "一行目二行目");
}

TEST_F(LookbackMarks, ManyPagesRestartTheHistory) {
  waits_end_after(0);
  message_window.text_speed = 0;
  for (int i = 0; i < 400; i++) show("文字列の頁\\");
  EXPECT_LT(text::lookback.write_pos, text::kLookbackResetAt);
  EXPECT_EQ(text::lookback.history_bytes[0], text::kLookbackPageMark);
}

}  // namespace
