#include <gtest/gtest.h>

#include <set>
#include <string>

#include "interp/dispatch.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "script/labels.h"
#include "tests/support/game_folder.h"
#include "tests/support/script_fixture.h"

using namespace interp;

// The joined table holds the whole command list once, in its order, with or
// without handlers.
TEST(CommandTable, AllNamesOnceAndTheDefinitionOnlyOnes) {
  CommandRows table = command_table();
  ASSERT_EQ(table.size(), 296u);
  std::set<std::string> names;
  int definition_only = 0;
  for (const CommandRow& row : table) {
    names.insert(row.name);
    definition_only += row.definition_only;
    EXPECT_EQ(find_command(row.name, 1), &row) << row.name;
    EXPECT_EQ(find_command(row.name, 0), row.definition_only ? nullptr : &row) << row.name;
  }
  EXPECT_EQ(names.size(), 296u);
  EXPECT_EQ(definition_only, 71);
  EXPECT_STREQ(table.front().name, "mousecursor");
  EXPECT_STREQ(table.back().name, "globalon");
}

TEST(CommandTable, DefinitionCommandsExistOnlyInTheDefineBlock) {
  for (const char* name : {"numalias", "stralias", "game", "dim", "intlimit", "errorsave", "chkdbg",
                           "createdebugwindow", "zpk", "linkcolor"}) {
    EXPECT_NE(find_command(name, 1), nullptr) << name;
    EXPECT_EQ(find_command(name, 0), nullptr) << name;
  }
  for (const char* name : {"movl", "definereset", "mov", "goto", "end", "bg"}) {
    EXPECT_NE(find_command(name, 0), nullptr) << name;
    EXPECT_NE(find_command(name, 1), nullptr) << name;
  }
  EXPECT_EQ(find_command("frobnicate", 1), nullptr);
}

// The run loop remembers the command found at each position; what it
// remembers must never change what runs.
namespace {

using testsupport::fatal_of;
using testsupport::load_script;

void run_command_at(int32_t position) {
  ScriptPosition = position;
  dispatch_at_position();
}

}  // namespace

TEST(CommandMemory, ANewScenarioForgetsThePositionsOfTheOldOne) {
  define_mode = 0;
  load_script("mov %1,5\n");
  run_command_at(0);
  run_command_at(0);
  EXPECT_EQ(NumericVariables[1], 5);
  EXPECT_EQ(ScriptPosition, 8);
  load_script("add %1,5\n");
  NumericVariables[1] = 1;
  run_command_at(0);
  EXPECT_EQ(NumericVariables[1], 6);
  load_script("frob %1,5\n");
  EXPECT_EQ(fatal_of([] { run_command_at(0); }), "構文エラー|不正な命令\"frob\"です。");
}

TEST(CommandMemory, PositionAfterNameAndBlanksAndCaseFolding) {
  define_mode = 0;
  load_script("MoV \t %1,7\n");
  for (int i = 0; i < 3; ++i) {
    NumericVariables[1] = 0;
    run_command_at(0);
    EXPECT_EQ(NumericVariables[1], 7);
    EXPECT_EQ(ScriptPosition, 10);
  }
}

TEST(CommandMemory, DefinitionCommandAtAPositionSeenInTheDefineBlock) {
  // The same errorsave runs in the define block, then is no command in the
  // game proper.
  auto r =
      testsupport::run_scenario("*define\ngosub *both\ngame\n*start\ngosub *both\nend\n*both\nerrorsave\nreturn\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "構文エラー\n不正な命令\"errorsave\"です。");
}

TEST(CommandMemory, ResetRequestStillComesFirst) {
  define_mode = 0;
  load_script("*start\nmov %200,5\n");
  testsupport::scan_labels();
  run_command_at(7);
  EXPECT_EQ(NumericVariables[200], 5);
  NumericVariables[200] = 0;
  rmenu_reset_request = true;
  run_command_at(7);
  EXPECT_FALSE(rmenu_reset_request);
  EXPECT_EQ(NumericVariables[200], 0);  // not run: the reset went to *start
  EXPECT_EQ(ScriptPosition, 7);
}

TEST(CommandMemory, UnbuiltCommandAtARememberedPositionStillStops) {
  // A command named in the table but without a handler (a part not built
  // in this version) stops with the same box the second time round, when
  // its position is remembered.
  define_mode = 0;
  static const CommandRow rows[] = {{"later", nullptr, false}};
  CommandRows saved = command_table();
  set_command_table(rows);
  load_script("later 0,0,1,1,0,0\n");
  for (int i = 0; i < 2; ++i)
    EXPECT_EQ(fatal_of([] { run_command_at(0); }), "未対応の命令|命令\"later\"はこの版ではまだ使えません。");
  set_command_table(saved);
}
