#include <gtest/gtest.h>

#include "interp/control_flow.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "script/labels.h"
#include "tests/support/script_fixture.h"
#include "text/lookback.h"

using namespace interp;

TEST(ResetToStart, ClearsTheRunTimeStateAndGoesToStart) {
  testsupport::load_script("*start\nmov %0,1\n*sub\nreturn\n");
  testsupport::scan_labels();
  NumericVariables[5] = 3;
  NumericVariables[200] = 4;
  StringVariables[199] = "x";
  StringVariables[200] = "kept";
  ScriptPosition = 12;
  call_subroutine("sub");
  request_rewait(0);
  text::lookback.recording = 0;
  text::lookback.write_pos = 40;
  save_point_flag = false;
  rmenu_reset_request = true;

  reset_to_start();

  EXPECT_EQ(ScriptPosition, 7);
  EXPECT_EQ(CallStack.count, 0);
  EXPECT_FALSE(Rewait.pending);
  EXPECT_TRUE(save_point_flag);
  EXPECT_FALSE(rmenu_reset_request);
  // Locals 0..199 are cleared; globals stay.
  EXPECT_EQ(NumericVariables[5], 0);
  EXPECT_EQ(StringVariables[199], "");
  EXPECT_EQ(NumericVariables[200], 4);
  EXPECT_EQ(StringVariables[200], "kept");
  // The lookback history is emptied and recording is on again.
  EXPECT_EQ(text::lookback.recording, 1);
  EXPECT_EQ(text::lookback.write_pos, 1);
  EXPECT_EQ(text::current_page_text(), "");
}
