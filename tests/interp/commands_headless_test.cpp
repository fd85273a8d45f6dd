#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/game_folder.h"

using testsupport::error_box;
using testsupport::GameFolder;
using testsupport::run_game;
using testsupport::run_headless;
using testsupport::run_scenario;
using testsupport::RunResult;

namespace {}  // namespace

TEST(CommandsHeadless, StringAndArithmeticPipeline) {
  auto r = run_game(
      "mov $0, \"abcdef\"\n"
      "mid $1, $0, 2, 3\n"
      "len %0, $1\n"
      "mul %0, -7:add %0, 1\n"
      "itoa $2, %0\n"
      "add $1, \"-\":add $1, $2\n"
      "atoi %1, \"12ab\"\n"
      "div %0, 3:mod %1, 5\n"
      "cmp %2, \"abc\", \"abd\"\n"
      "mov3 %10, 4, 5, 6\n"
      "getversion %3\n"
      "「$1」%0,%1,%2,%3,%12\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "「cde--20」－６,２,－１,２００,６\n");
}

TEST(CommandsHeadless, ErrorBoxesEndTheProgram) {
  auto r = run_game("mov %0, 5\ndiv %0, %1\n(never)");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(error_box(r), "０除算エラー\n０で除算しました。");
  EXPECT_EQ(error_box(run_game("itoa %0, 1")), "構文エラー\nitoaの第一引数は文字変数です。");
  EXPECT_EQ(error_box(run_game("add %0, \"abc\"")), "構文エラー\n数字がくるべきところに数字がありません。");
}

TEST(CommandsHeadless, RandomNumbersStayInRange) {
  auto r = run_game(
      "for %0 = 1 to 200\n"
      "rnd %1, 10:if %1 < 0 mov %9, 1\n"
      "if %1 > 9 mov %9, 1\n"
      "rnd2 %2, 5, 7:if %2 < 5 mov %9, 1\n"
      "if %2 > 7 mov %9, 1\n"
      "rnd %3, 0:add %4, %3\n"
      "next\n"
      "(%9,%4)");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(０,０)\n");
}

TEST(CommandsHeadless, WinexecWaitsBeforeTheNextCommand) {
  GameFolder game;
  game.write_text("0.txt",
                  "*define\ngame\n*start\n"
                  "winexec \"sleep 0.3; printf '[Result]\\nValue=ok\\n' > made.ini\", 1\n"
                  "getini $0, \"MADE.INI\", \"result\", \"VALUE\"\n"
                  "($0)\n"
                  "fileremove \"made.ini\"\n"
                  "end\n");
  auto r = run_headless(game.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(ok)\n");
  EXPECT_FALSE(game.exists("made.ini"));
}

TEST(CommandsHeadless, GetregReadsTheUsersRegistryFile) {
  GameFolder config;
  // The registry file is the user's own: UTF-8.
  config.write_bytes("orvane/registry.ini", "[Software\\Orvane\\Demo]\nPlayer=花子\n");
  std::string old = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
  auto r = run_game(
      "getreg $0, \"SOFTWARE\\orvane\\demo\", \"player\"\n"
      "getreg $1, \"Software\\Orvane\\Other\", \"Player\"\n"
      "($0|$1)");
  if (old.empty())
    unsetenv("XDG_CONFIG_HOME");
  else
    setenv("XDG_CONFIG_HOME", old.c_str(), 1);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(花子|)\n");
}
