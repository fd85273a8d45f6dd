#include <gtest/gtest.h>

#include "interp/control_flow.h"
#include "interp/readers.h"
#include "save/logs.h"
#include "script/labels.h"
#include "tests/support/script_fixture.h"

using testsupport::fatal_of;
using testsupport::load_script;

TEST(LabelScan, PositionsAndCaseFolding) {
  load_script("*Define\ngame\n  *start  \ntext *notalabel\n*a *b mov\n*last");
  testsupport::scan_labels();
  ASSERT_EQ(script::LabelTable.size(), 5u);
  EXPECT_EQ(script::LabelTable[0].name, "define");
  EXPECT_EQ(script::LabelTable[0].position, 8);  // the next line
  EXPECT_EQ(script::find_label("START"), 24);    // blanks, then the LF, are passed
  // A label followed by another label or a command on the same line.
  EXPECT_EQ(script::find_label("a"), 43);
  EXPECT_EQ(script::find_label("b"), 46);
  EXPECT_EQ(script::find_label("notalabel"), -1);
  // The last label without a trailing LF still gets a position (the NUL).
  EXPECT_EQ(script::find_label("last"), 55);
}

TEST(LabelScan, DuplicatesDifferingOnlyInCase) {
  load_script("*Start\n*other\n*START\n");
  EXPECT_EQ(fatal_of([] { testsupport::scan_labels(); }), "エラー|ラベル*startの多重定義です。");
}

TEST(LabelScan, AtMost5000Labels) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "*l" + std::to_string(i) + "\n";
  load_script(text);
  EXPECT_EQ(fatal_of([] { testsupport::scan_labels(); }), "");
  EXPECT_EQ(script::LabelTable.size(), 5000u);
  load_script(text + "*extra\n");
  EXPECT_EQ(fatal_of([] { testsupport::scan_labels(); }), "エラー|ラベルが5000を超えました。");
}

TEST(JumpToLabel, SetsPositionAndLogsOnce) {
  load_script("*define\n*Start\nx");
  testsupport::scan_labels();
  interp::jump_to_label("sTaRt");
  EXPECT_EQ(interp::ScriptPosition, 15);
  interp::jump_to_label("start");
  EXPECT_EQ(save::LabelLog.entries, std::vector<std::string>{"START"});
  EXPECT_EQ(fatal_of([] { interp::jump_to_label("Nowhere"); }), "ラベルエラー|ラベル*Nowhereは存在しません");
}
