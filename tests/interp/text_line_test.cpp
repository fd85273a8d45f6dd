#include <gtest/gtest.h>

#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/sjis.h"
#include "script/scenario.h"
#include "tests/support/script_fixture.h"
#include "text/output.h"

using testsupport::load_script;
using namespace interp;

namespace {
std::string assembled() { return platform::sjis_to_utf8(assemble_text_line()); }

struct TextModes {
  ~TextModes() {
    text::line_page_mode = false;
    text::text_gosub_mode = false;
  }
};
}  // namespace

TEST(TextLine, NumbersInFullWidth) {
  load_script("%0と%1と%2\nnext");
  NumericVariables[0] = -12;
  NumericVariables[2] = INT32_MIN;
  EXPECT_EQ(assembled(), "－１２と０と－２１４７４８３６４８");
  EXPECT_EQ(peek_byte(), '\n');  // the LF is left for the loop
}

TEST(TextLine, InTextCommandKeepsItsVariable) {
  load_script("!w%5!d?1");
  EXPECT_EQ(assembled(), "!w%5!d?1");
}

TEST(TextLine, LinePageAddsAPageWait) {
  TextModes restore;
  text::line_page_mode = true;
  load_script("あ\n");
  EXPECT_EQ(assembled(), "あ\\");
}

TEST(TextLine, TextGosubSplitsAtWaits) {
  TextModes restore;
  text::text_gosub_mode = true;
  load_script("一@二\\三\n");
  EXPECT_EQ(assembled(), "一@");
  EXPECT_EQ(assembled(), "二\\");
  EXPECT_EQ(assembled(), "三");
}

TEST(TextLine, LeadByteBeforeTheEndStaysInside) {
  load_script("");
  // A lone lead byte as the last byte of the scenario: the NUL is not copied.
  script::set_scenario_text("ab\x82");
  ScriptPosition = 0;
  EXPECT_EQ(assemble_text_line(), "ab\x82");
  EXPECT_EQ(ScriptPosition, 3);
}
