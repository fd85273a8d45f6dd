// The input dialog: its checks, and inputstr, input and inputnum driven by
// typed text and keys through the program.
#include <gtest/gtest.h>

#include "app/input_dialog.h"
#include "platform/sjis.h"
#include "tests/support/game_folder.h"

using app::InputDialogState;
using testsupport::GameFolder;
using testsupport::RunResult;

namespace {

std::string sj(const char* utf8) { return platform::utf8_to_sjis(utf8); }

std::string refusal(const InputDialogState& s, const std::string& text) {
  app::InputRefusal r = app::check_input_text(s, text);
  return r.title.empty() ? "" : r.title + "|" + r.text;
}

// Runs `body` after *start with scripted events; the transcript shows what
// the body prints.
RunResult play(const std::string& body, const std::string& events, const std::string& defines = "") {
  GameFolder g;
  g.write_text("0.txt", "*define\n" + defines + "game\n*start\n" + body + "\nend\n");
  g.write_bytes("events.txt", events);
  return testsupport::run_program(
      g.path(), {"--headless", "--virtual-clock", "--transcript", "-", "--events", g.path() + "/events.txt"}, 20000);
}

}  // namespace

TEST(InputChecks, NumbersLengthsAndFullWidth) {
  InputDialogState number;
  number.max_length = -1;
  for (const char* ok : {"", "0", "-12", "-", "2147483648"}) EXPECT_EQ(refusal(number, ok), "") << ok;
  for (const char* bad : {"1-2", "+5", "1.5", " 1", "１"})
    EXPECT_EQ(refusal(number, sj(bad)), "数値入力|数値を入力してください。") << bad;
  EXPECT_EQ(app::input_number_value("-12"), -12);
  EXPECT_EQ(app::input_number_value(""), 0);
  EXPECT_EQ(app::input_number_value("-"), 0);
  EXPECT_EQ(app::input_number_value("99999999999"), 2147483647);
  EXPECT_EQ(app::input_number_value("-99999999999"), -2147483647 - 1);

  InputDialogState text;
  text.max_length = 10;
  EXPECT_EQ(refusal(text, ""), "文字列入力|文字列を入力してください。");
  EXPECT_EQ(refusal(text, sj("あいうえお")), "");
  EXPECT_EQ(refusal(text, sj("あいうえおa")), "文字列入力|文字列が長すぎます。");
  text.full_width_only = 1;
  EXPECT_EQ(refusal(text, sj("あいう")), "");
  EXPECT_EQ(refusal(text, sj("あaい")), "文字列入力|全て全角文字で入力してください。");
  EXPECT_EQ(refusal(text, sj("ｱ")), "文字列入力|全て全角文字で入力してください。");  // half-width kana
  // The length check comes before the full-width one.
  EXPECT_EQ(refusal(text, sj("aaaaaaaaaaa")), "文字列入力|文字列が長すぎます。");
}

TEST(InputDialog, InputnumTakesMinusTwelveAndRefusesOneMinusTwo) {
  // 1-2 is refused and the dialog stays with it; emptied, -12 closes it.
  // An empty box gives 0.
  auto r = play("inputnum %1,\"数は？\"\n%1\ninputnum %2,\"空\"\n%2",
                "1000 type 1-2\n1100 key end\n1100 key backspace\n1100 key backspace\n1100 key backspace\n"
                "1100 type -12\n1200 type\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "－１２\n０\n");
  EXPECT_NE(r.err.find("数値入力\n数値を入力してください。"), std::string::npos) << r.err;
  // Characters and Backspace edit the box; `type` adds after what it holds.
  r = play("inputnum %1,\"a\"\n%1", "1000 char 4\n1000 char 2\n1100 key backspace\n1100 type 7\n");
  EXPECT_EQ(r.out, "４７\n") << r.err;
}

TEST(InputDialog, InputstrChecksLengthAndFullWidth) {
  // Maximum 10 bytes: five full-width characters and a letter are refused;
  // the box keeps them, so Backspace leaves five, which pass.
  auto r = play("inputstr $1,\"名前\",10,0\n$1", "1000 type あいうえおa\n1100 key backspace\n1100 type\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "あいうえお\n");
  EXPECT_NE(r.err.find("文字列入力\n文字列が長すぎます。"), std::string::npos) << r.err;
  // Full width only: a half-width letter is refused; an empty box too.
  r = play("inputstr $1,\"名前\",20,1\n$1",
           "1000 type\n1100 type あaい\n1200 key home\n1200 key delete\n"
           "1200 key end\n1200 key left\n1200 key backspace\n1200 type\n");
  EXPECT_EQ(r.out, "い\n") << r.err;
  EXPECT_NE(r.err.find("文字列入力\n文字列を入力してください。"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("文字列入力\n全て全角文字で入力してください。"), std::string::npos) << r.err;
  // A character Shift-JIS cannot hold is refused with its own message.
  r = play("inputstr $1,\"名前\",20,0\n$1", "1000 type 漢😀字\n");
  EXPECT_EQ(r.out, "漢字\n") << r.err;
  EXPECT_NE(r.err.find("Shift-JISで表せないため"), std::string::npos) << r.err;
  // More than the box holds (255 bytes) is cut off with a message.
  r = play("inputstr $1,\"名前\",300,0\nlen %1,$1\n%1", "1000 type " + std::string(300, 'x') + "\n");
  EXPECT_EQ(r.out, "２５５\n") << r.err;
}

TEST(InputDialog, EscapeGivesTheDefaultAndWithoutOneCannotCancel) {
  auto r = play("input $1,\"名前\",\"既定\",20,0\n$1", "1000 char x\n1000 key escape\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "既定\n");
  // Enter keeps what was typed after the default.
  r = play("input $1,\"名前\",\"既定\",20,0\n$1", "1000 type 追加\n");
  EXPECT_EQ(r.out, "既定追加\n");
  // inputstr cannot be cancelled: Escape changes nothing; with no input
  // left the window closes (the game does not go on to print).
  r = play("inputstr $1,\"名前\",20,0\n$1", "1000 key escape\n1100 type 太郎\n");
  EXPECT_EQ(r.out, "太郎\n");
  r = play("inputstr $1,\"名前\",20,0\n$1", "1000 key escape\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST(InputDialog, ArgumentsCustomSizesAndWrongVariables) {
  // Custom sizes, absurd ones included, only change the drawing.
  auto r = play("inputstr $1,\"a\",20,0,300,100,200,30\n$1\ninputnum %1,\"b\",-5,99999999,0,-1\n%1",
                "1000 type x\n1100 type 5\n");
  EXPECT_EQ(r.out, "x\n５\n") << r.err;
  r = play("inputstr %1,\"a\",20,0", "");
  EXPECT_EQ(testsupport::error_box(r), "構文エラー\ninputstrの第一引数は文字変数です。");
  r = play("input %1,\"a\",\"b\",20,0", "");
  EXPECT_EQ(testsupport::error_box(r), "構文エラー\ninputの第一引数は文字変数です。");
  r = play("inputnum $1,\"a\"", "");
  EXPECT_EQ(testsupport::error_box(r), "構文エラー\ninputnumの第一引数は数字変数です。");
  // Text typed before the dialog opens waits for it.
  r = play("wait 2000\ninputstr $1,\"a\",20,0\n$1", "10 type 早い\n");
  EXPECT_EQ(r.out, "早い\n") << r.err;
}
