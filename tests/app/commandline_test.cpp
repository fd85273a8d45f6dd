#include <gtest/gtest.h>

#include "tests/support/game_folder.h"

using testsupport::GameFolder;
using testsupport::run_program;

TEST(CommandLine, HelpVersionAndBadOptions) {
  auto r = run_program("", {"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("--transcript FILE"), std::string::npos);
  r = run_program("", {"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("orvane ", 0), 0u);
  EXPECT_EQ(run_program("", {"--bogus"}).status, 2);
  EXPECT_EQ(run_program("", {"--transcript"}).status, 2);
  EXPECT_EQ(run_program("/nonexistent/folder", {"--headless"}).status, 2);
  EXPECT_EQ(run_program("a", {"--headless", "b"}).status, 2);
}

TEST(CommandLine, TranscriptFileIsAppendedRelativeToTheStartFolder) {
  GameFolder g;
  g.write_text("0.txt", "*define\ngame\n*start\n一行目\nend\n");
  GameFolder out;
  std::string file = out.path() + "/t.txt";
  EXPECT_EQ(run_program(g.path(), {"--headless", "--transcript", file}).status, 0);
  EXPECT_EQ(run_program(g.path(), {"--headless", "--transcript", file}).status, 0);
  EXPECT_EQ(out.read_file("t.txt"), "一行目\n一行目\n");
}
