#include <gtest/gtest.h>

#include "interp/readers.h"
#include "interp/variables.h"
#include "tests/support/script_fixture.h"

using testsupport::fatal_of;
using testsupport::load_script;
using namespace interp;

namespace {
// Steps over blanks and the '?' that a command consumes before a reference.
void past_sigil() {
  skip_blanks();
  advance();
}
}  // namespace

TEST(Arrays, DeclarationSizeAndRowMajorIndex) {
  load_script("?1[2][3] ?1[1][2] ?1[2][4]");
  cmd_dim();
  ArrayRecord* a = find_array(1);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->element_count, 12);
  past_sigil();
  ArrayReference ref = read_array_reference(1);
  EXPECT_EQ(flat_index(*a, ref.index, ref.count), 1 * 4 + 2);
  past_sigil();
  EXPECT_EQ(fatal_of([] { read_array_reference(1); }),
            "エラー|配列の添字が宣言された範囲を超えています（第2次元 最大値3 指定値4）");
}

TEST(Arrays, IndexCountAndSyntaxMessages) {
  load_script("?1[2] ?1[1][1] ?9[0] ?1[1 ?1[-1]");
  cmd_dim();
  past_sigil();
  EXPECT_EQ(fatal_of([] { read_array_reference(1); }), "エラー|配列の添字指定が間違っています。");
  load_script("?9[0]");
  past_sigil();
  EXPECT_EQ(fatal_of([] { read_array_reference(1); }), "エラー|配列の添字指定が間違っています。");
  load_script("dim ?1[2]:?1[1 ");
  read_identifier();
  cmd_dim();
  advance();
  past_sigil();
  EXPECT_EQ(fatal_of([] { read_array_reference(1); }), "エラー|配列変数指定が間違っています。");
}

TEST(Arrays, NegativeIndexIsRejected) {
  load_script("?1[2] ?1[-1]");
  cmd_dim();
  past_sigil();
  EXPECT_EQ(fatal_of([] { read_array_reference(1); }), "エラー|配列の添字が負の値です（第1次元 指定値-1）");
}

TEST(Arrays, DimErrors) {
  load_script("1[2]");
  EXPECT_EQ(fatal_of([] { cmd_dim(); }), "エラー|Dim文の第一引数は~数字です。");
  load_script("?1[2] ?1[3]");
  cmd_dim();
  EXPECT_EQ(fatal_of([] { cmd_dim(); }), "エラー|配列変数の二重宣言です。");
  std::string many = "?1";
  for (int i = 0; i < 21; ++i) many += "[1]";
  load_script(many);
  EXPECT_EQ(fatal_of([] { cmd_dim(); }), "エラー|配列の次元が多すぎます（最大20次元）。");
  load_script("?1[100000][100000]");
  EXPECT_NE(fatal_of([] { cmd_dim(); }), "");
  load_script("?1[-2]");
  EXPECT_NE(fatal_of([] { cmd_dim(); }), "");
}

TEST(Arrays, AtMost4096Arrays) {
  std::string text;
  for (int i = 0; i <= kMaxArrays; ++i) text += "?" + std::to_string(i) + "[0] ";
  load_script(text);
  for (int i = 0; i < kMaxArrays; ++i) cmd_dim();
  EXPECT_EQ(fatal_of([] { cmd_dim(); }), "エラー|配列変数が多すぎます（最大4096個）。");
}

TEST(Arrays, ElementReadAndMovlRow) {
  load_script("?5[1][2] ?5[1], 7, 8, 9 ?5[1][2] ?5[0][0]");
  cmd_dim();
  cmd_movl();
  EXPECT_EQ(read_number(), 9);
  EXPECT_EQ(read_number(), 0);
  EXPECT_EQ(find_array(5)->data[3], 7);
}

TEST(Arrays, MovlNeedsExactlyTheRow) {
  load_script("?5[1][2] 5[1], 7");
  cmd_dim();
  EXPECT_EQ(fatal_of([] { cmd_movl(); }), "エラー|movlの第一引数は?数字です。");
  load_script("?5[1][2] ?5[1], 7, 8");
  cmd_dim();
  EXPECT_EQ(fatal_of([] { cmd_movl(); }), "構文エラー|コンマが必要なところにコンマが有りません。");
}

TEST(IntLimits, ClampAndRemove) {
  load_script("5, 0, 10 5, 0, -1");
  cmd_intlimit();
  NumericVariables[5] = 20;
  apply_intlimits();
  EXPECT_EQ(NumericVariables[5], 10);
  NumericVariables[5] = -3;
  apply_intlimits();
  EXPECT_EQ(NumericVariables[5], 0);
  cmd_intlimit();
  NumericVariables[5] = 99;
  apply_intlimits();
  EXPECT_EQ(NumericVariables[5], 99);
}

TEST(IntLimits, MinimumWinsOverMaximum) {
  load_script("1, 10, 5");
  cmd_intlimit();
  NumericVariables[1] = 7;
  apply_intlimits();
  EXPECT_EQ(NumericVariables[1], 10);
}
