// The lookback commands read their arguments with the interpreter's readers;
// these tests run them on a script through the interpreter's test fixture.
#if __has_include("tests/support/script_fixture.h")
#include <gtest/gtest.h>

#include "interp/variables.h"
#include "platform/sjis.h"
#include "tests/support/script_fixture.h"
#include "text/lookback.h"
#include "text/lookback_commands.h"

using testsupport::fatal_of;
using testsupport::load_script;

namespace {

void show(const char* utf8) {
  std::string s = platform::utf8_to_sjis(utf8);
  for (size_t i = 0; i + 1 < s.size(); i += 2) text::append_text_bytes(s[i], s[i + 1]);
}

class LookbackCommands : public ::testing::Test {
 protected:
  void SetUp() override { text::reset_lookback(); }
  void TearDown() override { text::reset_lookback(); }
};

}  // namespace

TEST_F(LookbackCommands, GettextJoinsTheLinesOfTheCurrentPage) {
  show("昔の頁");
  text::cmd_textcommit();
  show("一行目");
  text::append_line_feed();
  show("二行目");
  load_script("$5");
  text::cmd_gettext();
  EXPECT_EQ(platform::sjis_to_utf8(interp::StringVariables[5]), "一行目二行目");
}

TEST_F(LookbackCommands, GettextWithRecordingOffFromTheStartIsEmpty) {
  text::cmd_lookbackoff();
  text::cmd_lookbackflush();  // no mark is written while off
  show("見えない");
  load_script("$1");
  interp::StringVariables[1] = "x";
  text::cmd_gettext();
  EXPECT_EQ(interp::StringVariables[1], "");
  text::cmd_lookbackon();
  EXPECT_EQ(text::lookback.recording, 1);
}

TEST_F(LookbackCommands, GettextNeedsAStringVariable) {
  EXPECT_EQ(fatal_of([] {
              load_script("%1");
              text::cmd_gettext();
            }),
            "構文エラー|gettextの引数は文字変数です。");
}

TEST_F(LookbackCommands, TwoTextcommitsLeaveOneMark) {
  show("あ");
  text::cmd_textcommit();
  int32_t pos = text::lookback.write_pos;
  text::cmd_textcommit();
  EXPECT_EQ(text::lookback.write_pos, pos);
}

TEST_F(LookbackCommands, LookbackflushEmptiesTheHistory) {
  show("あいう");
  text::cmd_lookbackflush();
  EXPECT_EQ(text::lookback.write_pos, 1);
  EXPECT_EQ(text::lookback.history_bytes[1], ' ');
}
#endif
