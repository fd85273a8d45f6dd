#include <gtest/gtest.h>

#include "interp/control_flow.h"
#include "interp/readers.h"
#include "script/labels.h"
#include "tests/support/game_folder.h"
#include "tests/support/script_fixture.h"
#include "text/output.h"
#include "text/transcript.h"
#include "text/wait.h"

using testsupport::error_box;
using testsupport::fatal_of;
using testsupport::load_script;
using testsupport::run_game;
using testsupport::run_scenario;
using testsupport::RunResult;

namespace {}  // namespace

TEST(ForLoop, TenToOneRunsOnceAndLeavesEleven) {
  auto r = run_game("for %0 = 10 to 1\n(%0)\nnext\n(%0)");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(１０)\n(１１)\n");
}

TEST(ForLoop, CountsUpWithStepAndLeavesThePassedValue) {
  auto r = run_game("for %0=1 to 7 step 3:(%0)\nnext\n(%0)");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(１)\n(４)\n(７)\n(１０)\n");
}

TEST(ForLoop, NegativeStepCountsDown) {
  auto r = run_game("for %0 = 3 to 1 step -1\n(%0)\nnext\n(%0)");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(３)\n(２)\n(１)\n(０)\n");
}

TEST(ForLoop, StepZeroEndsOnlyByBreak) {
  auto r = run_game("for %0 = 1 to 3 step 0\ninc %1\nif %1 >= 5 break\nnext\n(%1,%0)");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(５,１)\n");
}

TEST(ForLoop, LimitOnTheLoopVariableCanKeepItRunning) {
  // next adds the step and then clamps: %0 never passes 2, so never 5.
  auto r = run_game("for %0 = 1 to 5\ninc %1\nif %1 >= 10 break\nnext\n(%1,%0)", "intlimit 0, 0, 2\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(１０,２)\n");
}

TEST(ForLoop, NextOnAGosubFrameIsAStackError) {
  auto r = run_game("gosub *sub\n*sub\nnext");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(error_box(r), "スタックエラー\nnext文とfor文が正しく対応していません。");
  r = run_game("next");
  EXPECT_EQ(error_box(r), "スタックエラー\nnext文とfor文が正しく対応していません。");
}

TEST(ForLoop, FormatErrors) {
  const char* message = "構文エラー\nfor文の書式が違います。for %変数番号=数字 to 数字 (step 数字)です。";
  EXPECT_EQ(error_box(run_game("for 0 = 1 to 2\nnext")), message);
  EXPECT_EQ(error_box(run_game("for %0 1 to 2\nnext")), message);
  EXPECT_EQ(error_box(run_game("for %0 = 1 till 2\nnext")), message);
  EXPECT_EQ(error_box(run_game("for %0 = 1 to 2 skip 2\nnext")), message);
}

TEST(ForLoop, TwoHundredFiftyNestedLoopsFillTheStack) {
  auto r = run_game("*deeper\ninc %1\nfor %0 = 1 to 2\ngoto *deeper");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(error_box(r), "スタックエラー\nfor文のせいでスタックが溢れました。");
  // The 251st for fails.
  EXPECT_EQ(run_game("*deeper\ninc %1\nif %1 > 250 goto *out\nfor %0 = 1 to 2\ngoto *deeper\n*out\n(%1)").out,
            "(２５１)\n");
}

TEST(Break, InNestedLoopsContinuesAfterTheFirstNext) {
  auto r = run_game(
      "for %0 = 1 to 2\n"
      "for %1 = 1 to 3\n"
      "if %1 == 2 break\n"
      "[%0,%1]\n"
      "next\n"
      "<%0>\n"
      "next");
  EXPECT_EQ(r.status, 0) << r.err;
  // "<" and ">" are text-link marks: not drawn.
  EXPECT_EQ(r.out, "[１,１]\n１\n[２,１]\n２\n");
}

TEST(Break, TheFirstNextMayBelongToAnInnerLoop) {
  // Breaking the outer loop lands behind the inner loop's next; the outer
  // next then finds no for frame.
  auto r = run_game(
      "for %0 = 1 to 3\n"
      "if %0 == 2 break\n"
      "for %1 = 1 to 1\n"
      "next\n"
      "<%0>\n"
      "next");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "１\n２\n");  // "<" and ">" are text-link marks
  EXPECT_EQ(error_box(r), "スタックエラー\nnext文とfor文が正しく対応していません。");
}

TEST(Break, ToALabelDropsTheFrame) {
  auto r = run_game("for %0 = 1 to 9\nif %0 == 3 break *out\nnext\n*out\n(%0)\nnext");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "(３)\n");
  EXPECT_EQ(error_box(r), "スタックエラー\nnext文とfor文が正しく対応していません。");
}

TEST(Break, OutsideALoopIsAStackError) {
  EXPECT_EQ(error_box(run_game("break")), "スタックエラー\nbreak文とfor文が正しく対応していません。");
  EXPECT_EQ(error_box(run_game("gosub *s\n*s\nbreak")), "スタックエラー\nbreak文とfor文が正しく対応していません。");
}

TEST(Break, SearchStopsAtTheEndOfTheScenario) {
  auto r = run_scenario("*define\ngame\n*start\nfor %0 = 1 to 2\nbreak\n(no next)");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(error_box(r), "スクリプトエラー\nファイルの終端に達しました。");
}

TEST(Gosub, ReturnsBehindTheCall) {
  auto r = run_game("gosub *twice:(back)\ngosub *twice\n(%0)\nend\n*twice\ninc %0:inc %0:return");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(back)\n(４)\n");
}

TEST(Gosub, ReturnWithoutGosubOrOnAForFrameIsAStackError) {
  const char* message = "スタックエラー\nreturnとgosub文が正しく対応していません。";
  EXPECT_EQ(error_box(run_game("return")), message);
  EXPECT_EQ(error_box(run_game("for %0 = 1 to 2\nreturn")), message);
}

TEST(Gosub, ThousandFramesOverflow) {
  auto r = run_game("*again\ninc %0\ngosub *again");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(error_box(r), "スタックエラー\ngosub文のせいでスタックが溢れました。");
  EXPECT_EQ(run_game("*again\ninc %0\nif %0 > 1000 goto *out\ngosub *again\n*out\n(%0)").out, "(１００１)\n");
}

TEST(Goto, LeavesFramesBehind) {
  // Jumping out of the loop keeps its frame: next still finds it.
  auto r = run_game("for %0 = 1 to 2\ngoto *outside\n*outside\n(%0)\nnext");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(１)\n(２)\n");
}

TEST(Skip, ForwardAndBack) {
  auto r = run_game("skip 2\n(a)\n(b)\n(c)");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(b)\n(c)\n");
  r = run_game("(x%0)\ninc %0\nif %0 < 3 skip -2\n(done)");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(x０)\n(x１)\n(x２)\n(done)\n");
  EXPECT_EQ(run_game("skip 0:(same line)").out, "(same line)\n");
}

TEST(Skip, BeyondTheScenarioIsAnError) {
  const char* message = "構文エラー\nSKIPがスクリプトの範囲を飛び出しました。";
  EXPECT_EQ(error_box(run_scenario("*define\ngame\n*start\nskip 2")), message);
  // The first line cannot be reached backwards.
  EXPECT_EQ(error_box(run_scenario("*define\ngame\n*start\nskip -3")), message);
  EXPECT_EQ(error_box(run_game("skip -2147483648")), message);
  EXPECT_EQ(error_box(run_game("skip 2147483647")), message);
}

TEST(Skip, OneAtTheEndOfABufferWithoutLineFeed) {
  load_script("skip 1");
  interp::ScriptPosition = 5;
  EXPECT_EQ(fatal_of(interp::cmd_skip), "構文エラー|SKIPがスクリプトの範囲を飛び出しました。");
  // Back to the empty second line: the position lands on the LF before it.
  load_script("\n\nskip -1");
  interp::ScriptPosition = 7;
  interp::cmd_skip();
  EXPECT_EQ(interp::ScriptPosition, 0);
}

TEST(Jumps, ForwardAndBackToTildes) {
  auto r = run_game("jumpf\n(skipped)\n~(after)\n~\ninc %0\nif %0 < 3 jumpb\n(%0)");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(after)\n(３)\n");
}

TEST(Jumps, TheSecondByteOfACharacterIsNoTilde) {
  // × is 81 7E in Shift-JIS: its second byte is the '~' byte.
  auto r = run_game("jumpf\n(×)\n~(after ×)\ninc %0\nif %0 < 2 jumpb\n(%0)");
  EXPECT_EQ(r.status, 0) << r.err;
  // Spaces take no room and are not drawn.
  EXPECT_EQ(r.out, "(after×)\n(after×)\n(２)\n");
}

TEST(Jumps, MissingTildeIsAnError) {
  EXPECT_EQ(error_box(run_game("jumpf\n(no mark)")), "エラー\njumpf命令が~を見つけられませんでした。");
  EXPECT_EQ(error_box(run_game("(no mark)\njumpb")), "エラー\njumpb命令が~を見つけられませんでした。");
}

TEST(TableGoto, IndexPicksTheLabel) {
  std::string table = "tablegoto %0, *a, *b, *c\n*a\n(a)\nend\n*b\n(b)\nend\n*c\n(c)";
  EXPECT_EQ(run_game("mov %0, 1\n" + table).out, "(b)\n");
  EXPECT_EQ(run_game("mov %0, 2\n" + table).out, "(c)\n");
  EXPECT_EQ(run_game("mov %0, -4\n" + table).out, "(a)\n");
  EXPECT_EQ(error_box(run_game("mov %0, 3\n" + table)), "構文エラー\nコンマが必要なところにコンマが有りません。");
}

TEST(Conditions, ChainsWithAnd) {
  auto r = run_game(
      "mov %0, 1:mov %1, 2\n"
      "if %0 == 1 && %1 == 2 mov %2, 3\n"
      "if %0 == 1 & %1 == 3 mov %3, 4\n"
      "notif %0 == 1 && %1 == 2 mov %4, 5\n"
      "notif %0 == 5 && %1 == 6 mov %5, 6\n"
      "notif %0 == 5 && %1 == 2 mov %6, 7\n"
      "(%2,%3,%4,%5,%6)");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(３,０,０,６,０)\n");
}

TEST(Conditions, EveryOperator) {
  auto r = run_game(
      "mov %0, -2\n"
      "if %0 = -2 (eq)\n"
      "if %0 != 3 (ne)\n"
      "if %0 <> -2 (wrong)\n"
      "if %0 <= -2 (le)\n"
      "if %0 >= -1 (wrong)\n"
      "if %0 < -1 (lt)\n"
      "if %0 > -3 (gt)\n"
      "if -2147483648 < 2147483647 (signed)");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(eq)\n(ne)\n(le)\n(lt)\n(gt)\n(signed)\n");
}

TEST(Conditions, StringComparisons) {
  auto r = run_game(
      "if \"a\" < \"b\" (a<b)\n"
      "if $0 == \"\" (empty)\n"
      "mov $1, \"あ\"\n"
      "if $1 > \"z\" (unsigned)\n"
      "if $1 == \"あ\" && $0 != \"x\" (both)\n"
      "notif $1 == \"あ\" (wrong)");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(ab)\n(empty)\n(unsigned)\n(both)\n");  // "<" starts a text link
}

TEST(Conditions, OnlyLiteralsAndStringVariablesCompareAsStrings) {
  auto r = run_game("if s == \"x\" (no)", "stralias s, \"x\"\n");
  EXPECT_EQ(error_box(r), "構文エラー\n数字がくるべきところに数字がありません。");
}

TEST(Conditions, AliasesStartingWithFOrLAreNoLeftOperands) {
  const char* message = "エラー\nif条件式が間違っています。";
  EXPECT_EQ(error_box(run_game("if foo == 3 (x)", "numalias foo, 3\n")), message);
  EXPECT_EQ(error_box(run_game("if level == 3 (x)", "numalias level, 3\n")), message);
  // As a right operand they are fine.
  EXPECT_EQ(run_game("if 3 == level (fine)", "numalias level, 3\n").out, "(fine)\n");
}

TEST(Conditions, WrongOperatorAndBangWithoutEquals) {
  EXPECT_EQ(error_box(run_game("if %0 # 1 (x)")), "エラー\nif条件式が間違っています。");
  // '!' alone ends the condition, which keeps the result so far (1 from the
  // first condition of the if, 0 at the start of the notif): both run the
  // rest of their line, which begins with the '!'.
  auto r = run_game("if 1 == 1 && 2 !3\n(next)\nnotif 1 !(rest)");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "3\n(next)\n(rest)\n");  // a "!" without w, d or s is passed over
}

TEST(Conditions, LogChecks) {
  auto r = run_game(
      "if lchk *start (passed)\n"
      "if lchk *never (wrong)\n"
      "notif fchk \"bg.bmp\" (not shown)\n"
      "*never");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(passed)\n(notshown)\n");  // spaces are not drawn
  EXPECT_EQ(error_box(run_game("if lchk_x *start (x)")), "エラー\nif条件式が間違っています。");
}

TEST(Conditions, LogChecksAreRefusedInTheDefineBlock) {
  EXPECT_EQ(error_box(run_game("", "if fchk \"a.bmp\" game\n")), "エラー\nfchk条件式は、定義ブロックでは使えません。");
  EXPECT_EQ(error_box(run_game("", "if lchk *start game\n")), "エラー\nlchk条件式は、定義ブロックでは使えません。");
}

TEST(End, EndsWithStatusZero) {
  auto r = run_scenario("*define\ngame\n*start\n(one)\nend\n(two)\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "(one)\n");
}

TEST(Rewait, ReturnReissuesTheInterruptedWait) {
  testsupport::GameFolder folder;
  std::string transcript = folder.path() + "/transcript.txt";
  ASSERT_TRUE(text::open_transcript(transcript));
  // Every click wait ends by itself.
  text::autoclick_active = 1;
  text::autoclick_interval = 0;
  for (int kind : {0, 1, 2}) {
    load_script("*sub\nreturn\n");
    testsupport::scan_labels();
    interp::ScriptPosition = 4;  // the caller's position
    interp::clear_call_stack();
    interp::call_subroutine("sub");
    interp::request_rewait(kind);
    interp::ScriptPosition = 11;  // behind "return"
    interp::cmd_return();
    EXPECT_EQ(interp::ScriptPosition, 4);
    EXPECT_FALSE(interp::Rewait.pending);
  }
  // A reset forgets the request.
  interp::request_rewait(0);
  interp::clear_call_stack();
  EXPECT_FALSE(interp::Rewait.pending);
  text::close_transcript();
  text::autoclick_active = 0;
  // Both waits ran (the page wait last); nothing was drawn. Kind 2 belongs
  // to other waits.
  EXPECT_EQ(folder.read_file("transcript.txt"), "");
  EXPECT_EQ(text::last_wait_was_page, 1);
}
