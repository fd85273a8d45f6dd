// display_text_line in-process: layout, marks, waits and clickstr on an in-memory display.
#include <gtest/gtest.h>

#include <cstring>

#include "interp/control_flow.h"
#include "interp/variables.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/sjis.h"
#include "tests/support/script_fixture.h"
#include "tests/text/text_fixture.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/wait.h"

using testsupport::fatal_of;
using text::message_window;

namespace {

class TextLayout : public testsupport::TextTest {
 protected:
  void SetUp() override {
    TextTest::SetUp();
    message_window.text_speed = 0;
  }
};

TEST_F(TextLayout, ALineBreaksAfterTheLastColumn) {
  message_window.columns = 3;
  show("あいうえ");
  EXPECT_EQ(recorded(), "|あいう\nえ\n");
  EXPECT_EQ(message_window.row, 2);
  EXPECT_EQ(message_window.column, 0);
}

TEST_F(TextLayout, APeriodIsCarriedWithItsCharacter) {
  message_window.columns = 3;
  show("あいう。");
  // う would fill the last cell, but 。 must not begin a line: both move.
  EXPECT_EQ(recorded(), "|あい\nう。\n");
}

TEST_F(TextLayout, AnOpeningBracketTakesTheNextCharacterAlong) {
  message_window.columns = 3;
  show("あい「う");
  EXPECT_EQ(recorded(), "|あい\n「う\n");
}

TEST_F(TextLayout, SpacesTakeNoRoom) {
  show("あ い\tう/");
  EXPECT_EQ(message_window.column, 3);
  EXPECT_EQ(message_window.row, 0);
  EXPECT_EQ(recorded(), "|あいう");
}

TEST_F(TextLayout, AfterAnOddHalfWidthRunAMarkIsDrawn) {
  waits_end_after(1000);
  uint32_t start = platform::clock_ms();
  show("abc@");
  EXPECT_LT(platform::clock_ms() - start, 1000u);  // no click wait
  EXPECT_EQ(recorded(), "|abc@\n");
  EXPECT_EQ(message_window.row, 1);
}

TEST_F(TextLayout, AHalfWidthCharacterBeforeADoubleByteOneStandsAlone) {
  show("a「b」");
  EXPECT_EQ(recorded(), "|a 「b 」\n");
}

TEST_F(TextLayout, CellsRepeatOnThePitchGrid) {
  show("ああ/");
  const auto& w = message_window;
  for (int y = 0; y < w.glyph_height; y++)
    ASSERT_EQ(std::memcmp(display.row(w.text_origin_y + y) + 3 * w.text_origin_x,
                          display.row(w.text_origin_y + y) + 3 * (w.text_origin_x + w.pitch_x), 3 * w.pitch_x - 3),
              0)
        << "row " << y;
  // Something was drawn in the cell.
  bool lit = false;
  for (int y = 0; y < w.glyph_height; y++)
    for (int x = 0; x < 3 * w.glyph_width; x++) lit |= display.row(w.text_origin_y + y)[3 * w.text_origin_x + x] > 128;
  EXPECT_TRUE(lit);
}

TEST_F(TextLayout, TheShadowFallsOnePixelRight) {
  auto draw = [&](int shadow) {
    text::clear_message_window();
    message_window.shadow = shadow;
    message_window.text_colour[0] = message_window.text_colour[1] = message_window.text_colour[2] = 0;
    std::fill(display.pixels.begin(), display.pixels.end(), 255);
    show("永/");
    return display.pixels;
  };
  auto plain = draw(0);
  auto shadowed = draw(1);
  text::TextLayers layers = text::text_layers();
  int darker = 0;
  for (int y = 0; y < display.height; y++)
    for (int x = 0; x < display.width; x++)
      for (int k = 0; k < 3; k++) {
        size_t i = static_cast<size_t>(y) * display.stride + 3 * x + k;
        ASSERT_LE(shadowed[i], plain[i]);
        if (shadowed[i] < plain[i]) {
          darker++;
          ASSERT_GT(x, 0);
          ASSERT_NE(layers.coverage_map[static_cast<size_t>(y) * display.width + x - 1], 0) << x << "," << y;
        }
      }
  EXPECT_GT(darker, 0);
}

class TextMarks : public TextLayout {};

TEST_F(TextMarks, SlashOnlyAtTheEnd) {
  show("あ/");
  show("い");
  EXPECT_EQ(recorded(), "|あい\n");
  EXPECT_EQ(fatal_of([&] { show("あ/い"); }), "エラー|表示文中の、/の次は改行文字でなければなりません。");
}

TEST_F(TextMarks, WaitWIsNotShortenedByAClick) {
  click_at({10});
  uint32_t start = platform::clock_ms();
  show("!w500あ");
  EXPECT_GE(platform::clock_ms() - start, 500u);
}

TEST_F(TextMarks, WaitDIsShortenedByAClick) {
  click_at({10});
  uint32_t start = platform::clock_ms();
  show("!d500あ");
  EXPECT_LT(platform::clock_ms() - start, 100u);
}

TEST_F(TextMarks, WaitsTakeANumericVariable) {
  interp::numeric_variable(5) = 300;
  uint32_t start = platform::clock_ms();
  show("!w%5あ");
  EXPECT_GE(platform::clock_ms() - start, 300u);
}

TEST_F(TextMarks, SpeedChangesAndTheMenuSpeed) {
  uint32_t start = platform::clock_ms();
  show("!s100あい");
  EXPECT_EQ(message_window.text_speed, 100);
  EXPECT_GE(platform::clock_ms() - start, 200u);
  show("!sdあ");
  EXPECT_EQ(message_window.text_speed, -1);
  EXPECT_EQ(text::effective_text_speed(), 10);  // the middle menu speed
}

TEST_F(TextMarks, ColoursAndLinks) {
  show("#ff0000赤<7リンク>");
  EXPECT_EQ(message_window.text_colour[0], 255);
  EXPECT_EQ(message_window.text_colour[1], 0);
  ASSERT_EQ(text::text_link_count, 1);
  const auto& w = message_window;
  EXPECT_EQ(text::text_links[0].number, 7);
  EXPECT_EQ(text::text_links[0].start_x, w.text_origin_x + w.pitch_x);
  EXPECT_EQ(text::text_links[0].start_y, w.text_origin_y);
  EXPECT_EQ(text::text_links[0].end_x, w.text_origin_x + 4 * w.pitch_x);
  // The first cell is red; the link cells are in the link colour (yellow).
  auto brightest = [&](int cell, int channel) {
    int best = 0;
    for (int y = 0; y < w.glyph_height; y++)
      for (int x = 0; x < w.glyph_width; x++)
        best = std::max<int>(best,
                             display.row(w.text_origin_y + y)[3 * (w.text_origin_x + cell * w.pitch_x + x) + channel]);
    return best;
  };
  EXPECT_GT(brightest(0, 2), 200);  // red
  EXPECT_LT(brightest(0, 1), 40);   // no green
  EXPECT_GT(brightest(1, 1), 200);  // yellow: green and red
  EXPECT_LT(brightest(1, 0), 100);  // little blue
}

class TextWaits : public TextLayout {};

TEST_F(TextWaits, AClickDuringSlowDisplayFinishesTheLine) {
  message_window.text_speed = 100;
  click_at({150});
  uint32_t start = platform::clock_ms();
  show("あいうえおかきくけこ");
  EXPECT_LT(platform::clock_ms() - start, 400u);
}

TEST_F(TextWaits, TheHurriedLineStillStopsAtTheNextClickWait) {
  message_window.text_speed = 100;
  click_at({50, 3000});
  uint32_t start = platform::clock_ms();
  show("あいう@え");
  EXPECT_GE(platform::clock_ms() - start, 3000u);
  EXPECT_EQ(text::last_wait_was_page, 0);
}

TEST_F(TextWaits, APageWaitClearsThePage) {
  waits_end_after(100);
  show("あい\\う");
  EXPECT_EQ(recorded(), "|あい|う\n");
  EXPECT_EQ(text::last_wait_was_page, 1);
  EXPECT_EQ(message_window.row, 1);
  // The second cell's coverage went with the page.
  const auto& w = message_window;
  text::TextLayers layers = text::text_layers();
  int covered = 0;
  for (int y = 0; y < w.glyph_height; y++)
    for (int x = 0; x < w.glyph_width; x++)
      covered += layers.coverage_map[static_cast<size_t>(w.text_origin_y + y) * 640 + w.text_origin_x + w.pitch_x + x];
  EXPECT_EQ(covered, 0);
}

TEST_F(TextWaits, PageClickModeAndHiddenTextPassClickWaits) {
  waits_end_after(1000);
  text::page_click_mode = 1;
  uint32_t start = platform::clock_ms();
  show("あ@い");
  EXPECT_LT(platform::clock_ms() - start, 1000u);
  text::page_click_mode = 0;
}

TEST_F(TextWaits, ClickstrWaitsAndTurnsIntoAPageWaitOnTheLastRow) {
  waits_end_after(1000);
  message_window.rows = 3;
  text::clickstr_chars = platform::utf8_to_sjis("。！");
  text::clickstr_lines = 1;
  uint32_t start = platform::clock_ms();
  show("あ。");    // row 0: click wait
  show("い。！");  // row 1: one wait, after the second character
  EXPECT_EQ(platform::clock_ms() - start >= 2000u && platform::clock_ms() - start < 3000u, true);
  EXPECT_EQ(text::last_wait_was_page, 0);
  show("う。");  // row 2, the last: a page wait that clears the page
  EXPECT_EQ(text::last_wait_was_page, 1);
  EXPECT_EQ(message_window.row, 0);
  EXPECT_EQ(recorded(), "|あ。\nい。！\nう。|");
}

TEST_F(TextWaits, AnUnderscoreExemptsTheNextCharacter) {
  waits_end_after(1000);
  text::clickstr_chars = platform::utf8_to_sjis("。");
  uint32_t start = platform::clock_ms();
  show("あ_。い");
  EXPECT_LT(platform::clock_ms() - start, 1000u);
  show("あ。@");  // a mark right after: only the mark's wait
  EXPECT_LT(platform::clock_ms() - start, 2000u);
}

class TextErrors : public TextLayout {};

TEST_F(TextErrors, TextWhileTextmodeIsOff) {
  message_window.text_visible = 0;
  EXPECT_EQ(fatal_of([&] { show("あ"); }), "エラー！|textmodeが非表示設定なのに文字を書こうとしました。");
}

TEST_F(TextErrors, ACharacterOutsideTheWindow) {
  message_window.window_right = 100;
  EXPECT_EQ(fatal_of([&] { show("あいうえ"); }), "エラー！|文字がウィンドウからはみ出ました");
  EXPECT_EQ(message_window.column, 3);  // three fitted
}

TEST_F(TextErrors, TooManyLines) {
  message_window.rows = 2;
  message_window.columns = 2;
  EXPECT_EQ(fatal_of([&] { show("あいうえお"); }), "エラー|文字が枠をはみ出してしまいました。");
}

TEST_F(TextErrors, TextGosubStackOverflow) {
  testsupport::load_script("*tg\n");
  text::text_gosub_mode = true;
  text::text_gosub_label = "tg";
  interp::CallStack.count = interp::kCallStackSlots;
  EXPECT_EQ(fatal_of([&] { show("あ@"); }), "スタックエラー|textgosub処理のせいでスタックが溢れました。");
  interp::CallStack.count = 0;
}

// A game loaded from a menu inside a wait (the window procedure runs the
// menus) moves the script: the click wait ends at once and so does the line.
TEST_F(TextLayout, ALoadDuringTheLineEndsIt) {
  platform::set_window_procedure([](const platform::Message& m) {
    if (m.id == platform::msg_left_button_up) text::just_loaded = true;
  });
  waits_end_after(1000);
  click_at({10});
  uint32_t start = platform::clock_ms();
  show("あ@い@う");
  EXPECT_EQ(recorded(), "|あ");
  EXPECT_LT(platform::clock_ms() - start, 500u);
  click_at({platform::clock_ms() + 50});
  show("か!w200き");  // during a timed wait
  EXPECT_EQ(recorded(), "|あか");
  text::just_loaded = true;  // a load before a line leaves nothing to abandon
  show("さ");
  EXPECT_EQ(recorded(), "|あかさ\n");
}

}  // namespace
