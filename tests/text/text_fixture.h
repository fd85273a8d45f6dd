// tests/text/text_fixture: the message window on an in-memory display, the virtual clock and scripted clicks.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/surface.h"
#include "platform/events.h"

namespace testsupport {

class TextTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Shows one text line written as UTF-8.
  void show(const char* utf8);
  // The lookback history up to the write position, as UTF-8 with '|' for
  // each page mark and '\n' for each line feed.
  std::string recorded();
  // Clicks at the given times (ms of the virtual clock).
  void click_at(std::vector<uint32_t> times);
  // Every click wait ends by itself after ms.
  void waits_end_after(int ms);

  graphics::DibSurface display;
};

}  // namespace testsupport
