// Every test starts from the program's start state: the subsystems joined
// as the program joins them (a test may have replaced a hook) and
// app::reset_all, so that the tests pass in any order in one process.
#include <gtest/gtest.h>

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
  void SetUp() override {
    app::connect_subsystems();
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetBetweenTests);
  }
};

[[maybe_unused]] ::testing::Environment* const join = ::testing::AddGlobalTestEnvironment(new JoinSubsystems);

}  // namespace
