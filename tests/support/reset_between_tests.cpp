// Every test starts from the program's start state: the subsystems joined
// as the program joins them (a test may have replaced a hook) and
// app::reset_all, so that the tests pass in any order in one process.
// The tests run in a scratch folder of their own: what a test writes into
// the current folder as a game would (settings, records, logs) never lands
// in the folder the test program was started from.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/resets.h"
#include "app/wiring.h"

namespace {

class ResetBetweenTests : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    app::connect_subsystems();
    app::reset_all();
  }
};

class JoinSubsystems : public ::testing::Environment {
  std::string scratch;

  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-tests-XXXXXX").string();
    if (mkdtemp(pattern.data()) && chdir(pattern.c_str()) == 0) scratch = pattern;
    app::connect_subsystems();
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetBetweenTests);
  }
  void TearDown() override {
    if (scratch.empty()) return;
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    std::filesystem::remove_all(scratch, ignored);
  }
};

[[maybe_unused]] ::testing::Environment* const join = ::testing::AddGlobalTestEnvironment(new JoinSubsystems);

}  // namespace
