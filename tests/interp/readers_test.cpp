#include <gtest/gtest.h>

#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/sjis.h"
#include "save/logs.h"
#include "tests/support/script_fixture.h"

using testsupport::fatal_of;
using testsupport::load_script;
using namespace interp;

TEST(ReadNumber, LiteralsSignsAndTrailingBlanks) {
  load_script("12  ,+5,-5,- 5");
  EXPECT_EQ(read_number(), 12);
  EXPECT_EQ(peek_byte(), ',');
  expect_comma();
  EXPECT_EQ(read_number(), 5);
  expect_comma();
  EXPECT_EQ(read_number(), -5);
  expect_comma();
  // A sign followed by a blank reads as 0; the blank is skipped.
  EXPECT_EQ(read_number(), 0);
  EXPECT_EQ(peek_byte(), '5');
}

TEST(ReadNumber, VariableThroughVariable) {
  load_script("%%0 %1");
  NumericVariables[0] = 7;
  NumericVariables[7] = 42;
  NumericVariables[1] = -3;
  EXPECT_EQ(read_number(), 42);
  EXPECT_EQ(read_number(), -3);
}

TEST(ReadNumber, EighteenDigitsAcceptedNineteenRejected) {
  load_script("123456789012345678");
  EXPECT_EQ(fatal_of([] { read_number(); }), "");
  load_script("1234567890123456789");
  EXPECT_EQ(fatal_of([] { read_number(); }), "構文エラー|数字が長すぎます。:1234567890123456789");
}

TEST(ReadNumber, AliasOrError) {
  load_script("ten foo ,");
  add_num_alias("ten", 10);
  EXPECT_EQ(read_number(), 10);
  EXPECT_EQ(fatal_of([] { read_number(); }), "構文エラー|数字がくるべきところに数字がありません。");
  load_script(",");
  EXPECT_EQ(fatal_of([] { read_number(); }), "構文エラー|数字がくるべきところに数字がありません。");
}

TEST(ReadNumber, VariableNumberOutOfRangeIsAnError) {
  load_script("%4096");
  EXPECT_EQ(fatal_of([] { read_number(); }), "エラー|変数番号4096は範囲外です（0～4095）。");
  load_script("%-1");
  EXPECT_EQ(fatal_of([] { read_number(); }), "エラー|変数番号-1は範囲外です（0～4095）。");
  load_script("$4096");
  EXPECT_NE(fatal_of([] { read_string(); }), "");
}

TEST(ReadNumber, DeepNestingIsAnErrorNotACrash) {
  load_script(std::string(100000, '%') + "0");
  EXPECT_EQ(fatal_of([] { read_number(); }), "構文エラー|引数の入れ子が深すぎます。");
  // The guard unwinds: ordinary nesting works afterwards.
  load_script("%%%0");
  EXPECT_EQ(read_number(), 0);
}

TEST(ReadIdentifier, FoldsCaseAndAllowsDigitsAfterTheFirst) {
  load_script("MoV10  x 9a");
  EXPECT_EQ(read_identifier(), "mov10");
  EXPECT_EQ(read_identifier(), "x");
  EXPECT_EQ(read_identifier(), "");
  EXPECT_EQ(peek_byte(), '9');
}

TEST(ReadIdentifier, TwoHundredFiftyFiveCharactersAreTooLong) {
  load_script(std::string(254, 'a') + " ");
  EXPECT_EQ(read_identifier().size(), 254u);
  load_script(std::string(300, 'a'));
  EXPECT_EQ(fatal_of([] { read_identifier(); }), "命令エラー|長すぎるトークンです:" + std::string(255, 'a'));
}

TEST(ReadString, LiteralLimits) {
  load_script("\"" + std::string(254, 'x') + "\"");
  EXPECT_EQ(read_string().size(), 254u);
  load_script("\"" + std::string(255, 'x') + "\"");
  EXPECT_EQ(fatal_of([] { read_string(); }), "構文エラー|文字列が長すぎます。:" + std::string(255, 'x'));
  load_script("\"abc\ndef\"");
  EXPECT_EQ(fatal_of([] { read_string(); }), "構文エラー|文字列中に改行が有ります。");
  load_script("\"abc");
  EXPECT_EQ(fatal_of([] { read_string(); }), "構文エラー|文字列中に改行が有ります。");
}

TEST(ReadString, ShiftJisLiteralKeptAsIs) {
  load_script("\"表示\" ,");
  EXPECT_EQ(read_string(), platform::utf8_to_sjis("表示"));
  EXPECT_EQ(peek_byte(), ',');
}

TEST(ReadString, VariablesAndAliasesMayExceed255Bytes) {
  load_script("$%0 name");
  NumericVariables[0] = 3;
  StringVariables[3] = std::string(1000, 'q');
  add_str_alias("name", "value");
  EXPECT_EQ(read_string().size(), 1000u);
  EXPECT_EQ(read_string(), "value");
}

TEST(ReadString, NumericAndStringAliasesShareNames) {
  load_script("x x");
  add_num_alias("x", 3);
  add_str_alias("x", "three");
  EXPECT_EQ(read_number(), 3);
  EXPECT_EQ(read_string(), "three");
}

TEST(ReadString, LabelConditionalReadsBothTerms) {
  load_script("[*seen] \"yes\" \"no\" , [*other] \"yes\" \"no\" ,");
  save::log_append(save::LabelLog, "seen");
  EXPECT_EQ(read_string(), "yes");
  expect_comma();
  EXPECT_EQ(read_string(), "no");
  EXPECT_EQ(peek_byte(), ',');
}

TEST(ReadString, FileConditional) {
  load_script("(\"cg/a.bmp\") \"yes\" \"no\" (\"b.bmp\") \"yes\" \"no\" (\"x\" \"a\" \"b\"");
  save::log_append(save::FileLog, "CG\\A.BMP");
  EXPECT_EQ(read_string(), "yes");
  EXPECT_EQ(read_string(), "no");
  EXPECT_EQ(fatal_of([] { read_string(); }), "エラー|ファイル文字列指定は(\"ファイル名\")という形式です。");
}

TEST(ReadLabel, FormsAndErrors) {
  load_script("*Start \"*Other\" \"plain\"");
  EXPECT_EQ(read_label(), "start");
  EXPECT_EQ(read_label(), "Other");
  EXPECT_EQ(
      fatal_of([] { read_label(); }),
      "実行時エラー|ラベル名を指定すべきところで文字列が代わりに指定されましたが、文字列の先頭が*ではありません。");
  load_script("start");
  EXPECT_EQ(fatal_of([] { read_label(); }), "構文エラー|ラベル名が来るべきところにラベル名が来ませんでした。");
}

TEST(ExpectComma, Missing) {
  load_script("  x");
  EXPECT_EQ(fatal_of([] { expect_comma(); }), "構文エラー|コンマが必要なところにコンマが有りません。");
}
