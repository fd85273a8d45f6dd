// tests/save/save_fixture: a game folder with a scenario, the screen and the message window, for the save tests.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "tests/graphics/graphics_test_util.h"

namespace testsupport {

class SaveTest : public gtest_graphics::GameFolder {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Makes `utf8` the scenario (Shift-JIS) and rewinds the position; the
  // variables, arrays and logs start empty.
  void scenario(const std::string& utf8);
  // The bytes of a file in the game folder ("" when missing) and whether it
  // is there, once the writes handed over have been done.
  std::string file(const std::string& name);
  bool exists(const std::string& name);
  // The offset of the first occurrence of `utf8` in the scenario.
  int32_t offset_of(const std::string& utf8);
};

}  // namespace testsupport
