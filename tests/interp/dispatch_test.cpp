#include <gtest/gtest.h>

#include <set>
#include <string>

#include "interp/dispatch.h"

using namespace interp;

TEST(CommandTable, AllNamesOnceAndTheDefinitionOnlyOnes) {
  EXPECT_EQ(kCommandCount, 296);
  std::set<std::string> names;
  int definition_only = 0;
  for (int i = 0; i < kCommandCount; ++i) {
    names.insert(CommandTable[i].name);
    definition_only += CommandTable[i].definition_only;
  }
  EXPECT_EQ(names.size(), 296u);
  EXPECT_EQ(definition_only, 71);
  EXPECT_STREQ(CommandTable[0].name, "mousecursor");
  EXPECT_STREQ(CommandTable[kCommandCount - 1].name, "globalon");
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
