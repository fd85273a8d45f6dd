#include <gtest/gtest.h>

#include "tests/support/game_folder.h"

using testsupport::GameFolder;
using testsupport::run_headless;
using testsupport::run_scenario;

namespace {
// A scenario: `defines` in the *define block, `body` after *start, then end.
std::string game(const std::string& defines, const std::string& body) {
  return "*define\n" + defines + "game\n*start\n" + body + "\nend\n";
}
// The array ?1 holds -12, 0, 1000000, 7 (movl works outside the block).
const char kValues[] = "dim ?1[3]\n";
const char kFill[] = "movl ?1, -12, 0, 1000000, 7\n";
}  // namespace

TEST(TextAssembly, FullWidthNumbers) {
  auto r = run_scenario(game(kValues, std::string(kFill) + "値は?1[0]です\n?1[1]\n?1[2]  円\n%%0\n"));
  EXPECT_EQ(r.status, 0) << r.err;
  // Blanks after a term are consumed with it.
  EXPECT_EQ(r.out, "値は－１２です\n０\n１００００００円\n０\n");
}

TEST(TextAssembly, StringsAndAliases) {
  // $who is the string variable numbered by the alias who (empty here).
  auto r = run_scenario(
      game("numalias who,3\nnumalias three,3\n" + std::string(kValues), std::string(kFill) + "「$who 」と?1[three]\n"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "「」と７\n");
}

TEST(TextAssembly, InTextCommandsKeepTheirVariables) {
  auto r = run_scenario(game("", "待つ!w%5と!s?1です\n"));
  EXPECT_EQ(r.status, 0) << r.err;
  // !w%5 waits for %5 (0) ms; "?1" after !s is no number and is drawn.
  EXPECT_EQ(r.out, "待つと?1です\n");
}

// n copies of a character as the message window lays them out: 23 a row.
std::string rows_of(const std::string& character, int n) {
  std::string out;
  for (int i = 1; i <= n; ++i) {
    out += character;
    if (i % 23 == 0 || i == n) out += "\n";
  }
  return out;
}

TEST(TextAssembly, LongLinesAreCutSafely) {
  std::string line;
  for (int i = 0; i < 400; ++i) line += "あ";
  auto r = run_scenario(game("", line + "\n次"));
  EXPECT_EQ(r.status, 0) << r.err;
  // 526 bytes fit before the NUL: 263 characters, 23 to a row.
  EXPECT_EQ(r.out, rows_of("あ", 263) + "次\n");
}

TEST(RunLoop, SeparatorsCommentsLabelsAndCase) {
  auto r = run_scenario(game(kValues, "MOVL ?1,1,2,3,4:movl ?1,5,6,7,8 ~ ; comment\n*here ?1[3]\n"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "８\n");
}

TEST(RunLoop, EndOfScriptIsAnError) {
  auto r = run_scenario("*define\ngame\n*start\n文\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "文\n");
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "スクリプトエラー\nファイルの終端に達しました。");
}

TEST(RunLoop, MissingDefineLabel) {
  auto r = run_scenario("*start\nend\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "ラベルエラー\nラベル*defineは存在しません");
}

TEST(DefineBlock, TextIsRefused) {
  auto r = run_scenario("*define\nこんにちは\ngame\n*start\nend\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "定義ブロックエラー\n*defineブロックには、表示文はおけません。");
}

TEST(DefineBlock, DefinitionCommandsAreRefusedLater) {
  for (const char* cmd : {"numalias x,1", "dim ?2[1]", "intlimit 1,0,1", "game", "errorsave", "zpk"}) {
    auto r = run_scenario(game("", cmd));
    std::string name = std::string(cmd).substr(0, std::string(cmd).find(' '));
    EXPECT_EQ(r.status, 1) << cmd;
    EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "構文エラー\n不正な命令\"" + name + "\"です。") << cmd;
  }
}

TEST(DefineBlock, AliasErrors) {
  auto r = run_scenario(game("numalias a,1\nnumalias A,2\n", ""));
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "エラー\n数字エイリアスaが二重定義されています。");
  r = run_scenario(game("stralias a,\"1\"\nstralias a,\"2\"\n", ""));
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "エラー\n文字列エイリアスaが二重定義されています。");
  // The value of another alias is copied when the alias is defined.
  r = run_scenario(game("numalias a,2\nnumalias b,a\n" + std::string(kValues), std::string(kFill) + "?1[b]"));
  EXPECT_EQ(r.out, "１００００００\n");
}

TEST(Dispatch, UnknownWordsAndUnbuiltCommands) {
  auto r = run_scenario(game("", "frobnicate 1"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "構文エラー\n不正な命令\"frobnicate\"です。");
  // A word of v or dv and more is a voice: voice\12.wav.
  r = run_scenario(game("", "v12"));
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "ロードエラー\nファイルvoice\\12.wavを開けません。");
  r = run_scenario(game("", "DV12"));
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "ロードエラー\nファイルvoice\\12.wavを開けません。");
}

TEST(Restart, DefineresetLoadsAgain) {
  GameFolder g;
  // First pass: the marker file is absent, so it is made and the game
  // restarts; the define block then runs again with fresh tables (a second
  // dim of ?1 would fail otherwise) and chkdbg sees the file.
  // (%200: the locals 0..199 are cleared when the game starts.)
  g.write_text("0.txt", game("chkdbg %200\n" + std::string(kValues),
                             "mov %1,?1[0]\nif %200==0 filecreate \"72604183\":definereset\n%200と%1"));
  auto r = run_headless(g.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "１と０\n");
}

TEST(Debug, ChkdbgWithoutTheMarker) {
  auto r = run_scenario(game("chkdbg %200\n", "%200"));
  EXPECT_EQ(r.out, "０\n");
  r = run_scenario(game("chkdbg 0\n", ""));
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "構文エラー\nchkdbgの第一引数は数字変数です。");
}

TEST(TextAssembly, LongStringVariableIsCutNotOverflowed) {
  // ?1[0] is 0: the text repeats the line 600 times in one long line of
  // numbers (two bytes each), more than the buffer holds.
  std::string line;
  for (int i = 0; i < 600; ++i) line += "?1[0]";
  auto r = run_scenario(game(kValues, line + "\n次"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, rows_of("０", 263) + "次\n");
}

TEST(RunLoop, LabelLinesArePassedIntoTheLabelLog) {
  // A label reached by running into it is logged like one jumped to; text
  // after the name on the same line still runs.
  auto r = run_scenario(game("",
                             "*Seen 見た\nif lchk *seen mov %0,1\nif lchk *never mov %1,1\n"
                             "mov $0,[*SEEN]\"通過\"\"未通過\"\n%0%1$0\n*never"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "見た\n１０通過\n");
}

TEST(Restart, DefineresetForgetsTheCallStack) {
  GameFolder g;
  // The first pass restarts from inside a subroutine; on the second pass
  // (the marker exists) the define block finds that frame gone, so its
  // return fails instead of going back into the old run.
  g.write_text("0.txt", game("chkdbg %200\nif %200==1 return\n",
                             "filecreate \"72604183\":gosub *again\n戻った\nend\n*again\ndefinereset"));
  auto r = run_headless(g.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.substr(0, r.err.find("\n\n")), "スタックエラー\nreturnとgosub文が正しく対応していません。");
}
