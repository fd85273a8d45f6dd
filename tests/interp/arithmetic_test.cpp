#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "interp/arithmetic.h"
#include "interp/assign.h"
#include "interp/random.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/sjis.h"
#include "tests/support/script_fixture.h"

using testsupport::fatal_of;
using testsupport::load_script;
using namespace interp;

namespace {

// Loads `args` as the script (the position stands where the command's
// arguments begin) and runs the handler.
void run(void (*cmd)(), const char* args) {
  load_script(args);
  cmd();
}

// Runs the handler on `args` with %0 = before and returns %0.
int32_t on_zero(void (*cmd)(), int32_t before, const char* args) {
  load_script(args);
  NumericVariables[0] = before;
  cmd();
  return NumericVariables[0];
}

}  // namespace

TEST(Mov, NumberStringAndArrayTargets) {
  run(cmd_mov, "%3, -12");
  EXPECT_EQ(NumericVariables[3], -12);
  run(cmd_mov, " $2 , \"abc\"");
  EXPECT_EQ(StringVariables[2], "abc");
  load_script("?1[2] ?1[1], 9");
  cmd_dim();
  cmd_mov();
  EXPECT_EQ(array_element({1, 1, {1}}), 9);
}

TEST(Mov, LimitsApplyToVariablesNotArrayElements) {
  load_script("%5, 20");
  set_intlimit(5, 0, 10);
  cmd_mov();
  EXPECT_EQ(NumericVariables[5], 10);
}

TEST(Mov, WrongSigilMessage) {
  EXPECT_EQ(fatal_of([] { run(cmd_mov, "5, 1"); }), "構文エラー|movの第一引数は数字／文字変数／配列です。");
  EXPECT_EQ(fatal_of([] { run(cmd_mov5, "$0, 1"); }), "構文エラー|mov5の第一引数は数字変数です。");
  EXPECT_EQ(fatal_of([] { run(cmd_mov10, "0"); }), "構文エラー|mov10の第一引数は数字変数です。");
}

TEST(MovN, SetsConsecutiveVariables) {
  run(cmd_mov3, "%10, 1, 2, 3");
  EXPECT_EQ(NumericVariables[10], 1);
  EXPECT_EQ(NumericVariables[11], 2);
  EXPECT_EQ(NumericVariables[12], 3);
  EXPECT_EQ(NumericVariables[13], 0);
  run(cmd_mov10, "%0, 1,2,3,4,5,6,7,8,9,10");
  EXPECT_EQ(NumericVariables[9], 10);
  // A later operand sees the earlier stores.
  run(cmd_mov4, "%0, 7, %0, %1, %2");
  EXPECT_EQ(NumericVariables[3], 7);
}

TEST(MovN, PastTheLastVariableIsAnErrorNotAStrayWrite) {
  EXPECT_NE(fatal_of([] { run(cmd_mov3, "%4094, 1, 2, 3"); }), "");
  EXPECT_EQ(NumericVariables[4094], 1);
  EXPECT_EQ(NumericVariables[4095], 2);
}

TEST(Add, NumbersWrapAndStringsGrow) {
  EXPECT_EQ(on_zero(cmd_add, 5, "%0, -7"), -2);
  EXPECT_EQ(on_zero(cmd_add, INT_MAX, "%0, 1"), INT_MIN);
  load_script("$0, \"abc\"");
  StringVariables[0] = "x";
  cmd_add();
  EXPECT_EQ(StringVariables[0], "xabc");
  // Strings grow past any reader buffer.
  load_script("$1, $1");
  StringVariables[1] = std::string(200, 'a');
  for (int i = 0; i < 3; ++i) {
    interp::ScriptPosition = 0;
    cmd_add();
  }
  EXPECT_EQ(StringVariables[1].size(), 1600u);
}

TEST(Add, StringOperandForANumberIsAReaderError) {
  EXPECT_EQ(fatal_of([] { run(cmd_add, "%0, \"abc\""); }), "構文エラー|数字がくるべきところに数字がありません。");
  EXPECT_EQ(fatal_of([] { run(cmd_add, "?0, 1"); }), "構文エラー|addの第一引数は数字／文字変数です。");
}

TEST(SubIncDec, WrapAndMessages) {
  EXPECT_EQ(on_zero(cmd_sub, INT_MIN, "%0, 1"), INT_MAX);
  EXPECT_EQ(on_zero(cmd_inc, 41, "%0"), 42);
  EXPECT_EQ(on_zero(cmd_dec, INT_MIN, "%0"), INT_MAX);
  EXPECT_EQ(fatal_of([] { run(cmd_sub, "$0, 1"); }), "構文エラー|subの第一引数は数字変数です。");
  EXPECT_EQ(fatal_of([] { run(cmd_inc, "0"); }), "構文エラー|incの引数は数字変数です。");
  EXPECT_EQ(fatal_of([] { run(cmd_dec, "0"); }), "構文エラー|decの引数は数字変数です。");
}

TEST(Mul, WrapsInThirtyTwoBits) {
  EXPECT_EQ(on_zero(cmd_mul, 65536, "%0, 65536"), 0);
  EXPECT_EQ(on_zero(cmd_mul, INT_MAX, "%0, 2"), -2);
  EXPECT_EQ(on_zero(cmd_mul, INT_MIN, "%0, -1"), INT_MIN);
  EXPECT_EQ(on_zero(cmd_mul, -6, "%0, 7"), -42);
}

TEST(DivMod, TruncateTowardZero) {
  EXPECT_EQ(on_zero(cmd_div, -7, "%0, 3"), -2);
  EXPECT_EQ(on_zero(cmd_mod, -7, "%0, 3"), -1);
  EXPECT_EQ(on_zero(cmd_div, 7, "%0, -3"), -2);
  EXPECT_EQ(on_zero(cmd_mod, 7, "%0, -3"), 1);
}

TEST(DivMod, SmallestNumberByMinusOneDoesNotTrap) {
  EXPECT_EQ(on_zero(cmd_div, INT_MIN, "%0, -1"), INT_MIN);
  EXPECT_EQ(on_zero(cmd_mod, INT_MIN, "%0, -1"), 0);
  EXPECT_EQ(on_zero(cmd_div, 5, "%0, -1"), -5);
}

TEST(DivMod, ZeroDivisorMessages) {
  EXPECT_EQ(fatal_of([] { on_zero(cmd_div, 1, "%0, 0"); }), "０除算エラー|０で除算しました。");
  EXPECT_EQ(fatal_of([] { on_zero(cmd_mod, 1, "%0, 0"); }), "０除算エラー|０で剰余演算しました。");
  EXPECT_EQ(fatal_of([] { run(cmd_div, "$0, 1"); }), "構文エラー|divの第一引数は数字変数です。");
  EXPECT_EQ(fatal_of([] { run(cmd_mod, "$0, 1"); }), "構文エラー|modの第一引数は数字変数です。");
  EXPECT_EQ(fatal_of([] { run(cmd_mul, "$0, 1"); }), "構文エラー|mulの第一引数は数字変数です。");
}

TEST(Random, GeneratorIsTheCLibraryOne) {
  seed_random(1);
  EXPECT_EQ(draw_random(), 41);
  EXPECT_EQ(draw_random(), 18467);
  EXPECT_EQ(draw_random(), 6334);
}

TEST(Random, RndRanges) {
  seed_random(12345);
  std::set<int32_t> seen;
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(on_zero(cmd_rnd, 9, "%0, 1"), 0);
    int32_t v = on_zero(cmd_rnd, 0, "%0, 6");
    EXPECT_GE(v, 0);
    EXPECT_LT(v, 6);
    seen.insert(v);
  }
  EXPECT_EQ(seen.size(), 6u);
}

TEST(Random, NoValidRangeGivesZero) {
  EXPECT_EQ(on_zero(cmd_rnd, 9, "%0, 0"), 0);
  EXPECT_EQ(on_zero(cmd_rnd, 9, "%0, -5"), 0);
  EXPECT_EQ(on_zero(cmd_rnd2, 9, "%0, 5, 4"), 0);
  EXPECT_EQ(fatal_of([] { run(cmd_rnd, "$0, 1"); }), "構文エラー|rndの第一引数は数字変数です。");
  EXPECT_EQ(fatal_of([] { run(cmd_rnd2, "$0, 1, 2"); }), "構文エラー|rnd2の第一引数は数字変数です。");
}

TEST(Random, Rnd2StaysInItsRange) {
  seed_random(7);
  for (int i = 0; i < 100; ++i) {
    int32_t v = on_zero(cmd_rnd2, 0, "%0, -3, 3");
    EXPECT_GE(v, -3);
    EXPECT_LE(v, 3);
    EXPECT_EQ(on_zero(cmd_rnd2, 0, "%0, 8, 8"), 8);
    // The full 32-bit range does not overflow.
    v = on_zero(cmd_rnd2, 0, "%0, -2147483648, 2147483647");
    EXPECT_LE(v, INT_MIN + 32767);
  }
}

TEST(Limits, StoresAreClampedWhereTheCommandAppliesThem) {
  load_script("%5, 20");
  set_intlimit(5, 0, 10);
  cmd_add();
  EXPECT_EQ(NumericVariables[5], 10);
  load_script("%5, 30");
  set_intlimit(5, 0, 10);
  NumericVariables[5] = 1;
  cmd_sub();
  EXPECT_EQ(NumericVariables[5], 0);
}
