#include <gtest/gtest.h>

#include "interp/debug.h"
#include "interp/readers.h"
#include "tests/support/script_fixture.h"

TEST(DebugCaption, NamesFileAndLineOrDashesWhileSkipping) {
  testsupport::load_script("a\nb\nc");
  interp::ScriptPosition = 3;
  interp::debug_caption.clear();
  interp::update_debug_caption(false);
  EXPECT_EQ(interp::debug_caption, "");  // off until createdebugwindow
  interp::cmd_createdebugwindow();
  interp::update_debug_caption(false);
  EXPECT_EQ(interp::debug_caption, "(DebugMode) 0.txt line:2");
  interp::update_debug_caption(true);
  EXPECT_EQ(interp::debug_caption, "---");
  interp::debug_caption_flag = false;
}
