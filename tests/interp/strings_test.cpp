#include <gtest/gtest.h>

#include <climits>

#include "interp/strings.h"
#include "interp/variables.h"
#include "platform/sjis.h"
#include "tests/support/script_fixture.h"

using testsupport::fatal_of;
using testsupport::load_script;
using namespace interp;

namespace {

std::string mid(const char* args) {
  load_script(std::string("$0, ") + args);
  cmd_mid();
  return StringVariables[0];
}

int32_t number_of(void (*cmd)(), const std::string& args) {
  load_script("%0, " + args);
  cmd();
  return NumericVariables[0];
}

}  // namespace

TEST(Len, CountsBytes) {
  EXPECT_EQ(number_of(cmd_len, "\"漢字\""), 4);
  EXPECT_EQ(number_of(cmd_len, "\"\""), 0);
  load_script("%0, \"abcd\"");
  set_intlimit(0, 0, 1);
  cmd_len();
  EXPECT_EQ(NumericVariables[0], 4);  // no limits
  EXPECT_EQ(fatal_of([] {
              load_script("$0, \"a\"");
              cmd_len();
            }),
            "構文エラー|lenの第一引数は数字変数です。");
}

TEST(Mid, ByteWindows) {
  EXPECT_EQ(mid("\"abcdef\", 2, 3"), "cde");
  EXPECT_EQ(mid("\"abc\", 1, 10"), "bc");
  EXPECT_EQ(mid("\"abc\", 4, 2"), "");
  EXPECT_EQ(mid("\"abc\", 3, 1"), "");
}

TEST(Mid, NegativeArgumentsStayInsideTheString) {
  EXPECT_EQ(mid("\"abc\", -1, 2"), "a");
  EXPECT_EQ(mid("\"abc\", -5, 100"), "abc");
  EXPECT_EQ(mid("\"abc\", 1, -1"), "");
  EXPECT_EQ(mid("\"abc\", -2147483648, -2147483648"), "");
  EXPECT_EQ(mid("\"abc\", 2147483647, 2147483647"), "");
  EXPECT_EQ(fatal_of([] {
              load_script("%0, \"a\", 0, 1");
              cmd_mid();
            }),
            "構文エラー|midの第一引数は文字変数です。");
}

TEST(Cmp, UnsignedByteOrder) {
  EXPECT_EQ(number_of(cmd_cmp, "\"abc\", \"abd\""), -1);
  EXPECT_EQ(number_of(cmd_cmp, "\"b\", \"a\""), 1);
  EXPECT_EQ(number_of(cmd_cmp, "\"abc\", \"abc\""), 0);
  EXPECT_EQ(number_of(cmd_cmp, "\"ab\", \"abc\""), -1);
  EXPECT_EQ(number_of(cmd_cmp, "\"あ\", \"z\""), 1);
  EXPECT_EQ(fatal_of([] {
              load_script("$0, \"a\", \"b\"");
              cmd_cmp();
            }),
            "構文エラー|cmpの第一引数は数字変数です。");
}

TEST(Itoa, DecimalText) {
  load_script("$3, -1234");
  cmd_itoa();
  EXPECT_EQ(StringVariables[3], "-1234");
  load_script("$3, %0");
  NumericVariables[0] = INT_MIN;
  cmd_itoa();
  EXPECT_EQ(StringVariables[3], "-2147483648");
  EXPECT_EQ(fatal_of([] {
              load_script("%0, 1");
              cmd_itoa();
            }),
            "構文エラー|itoaの第一引数は文字変数です。");
}

TEST(Atoi, CLibraryRules) {
  EXPECT_EQ(number_of(cmd_atoi, "\"12ab\""), 12);
  EXPECT_EQ(number_of(cmd_atoi, "\"x\""), 0);
  EXPECT_EQ(number_of(cmd_atoi, "\"  -42\""), -42);
  EXPECT_EQ(number_of(cmd_atoi, "\"+7\""), 7);
  EXPECT_EQ(number_of(cmd_atoi, "\"- 7\""), 0);
  EXPECT_EQ(fatal_of([] {
              load_script("$0, \"1\"");
              cmd_atoi();
            }),
            "構文エラー|atoiの第一引数は数字変数です。");
}

TEST(Atoi, OutOfRangeSaturates) {
  EXPECT_EQ(text_to_number("2147483647"), INT_MAX);
  EXPECT_EQ(text_to_number("2147483648"), INT_MAX);
  EXPECT_EQ(text_to_number("-2147483648"), INT_MIN);
  EXPECT_EQ(text_to_number("-99999999999999999999999"), INT_MIN);
  EXPECT_EQ(text_to_number("\t\n\v\f\r 5"), 5);
}

// Numbers written in text: bare digits for the marks of text lines; blanks
// and a sign before them in image tags. Both stop at the first other byte
// and saturate.
TEST(DecimalReaders, DigitsAndSignedNumbersSaturateAndMoveBehind) {
  auto digits = [](const char* text, int& used) {
    const char* p = text;
    int32_t v = read_decimal_digits(p);
    used = int(p - text);
    return v;
  };
  auto tag_number = [](const char* text, int& used) {
    const char* p = text;
    int32_t v = read_decimal(p);
    used = int(p - text);
    return v;
  };
  int used = 0;
  EXPECT_EQ(digits("120,3", used), 120);
  EXPECT_EQ(used, 3);
  EXPECT_EQ(digits(" 5", used), 0);  // no blanks before the digits
  EXPECT_EQ(used, 0);
  EXPECT_EQ(digits("-5", used), 0);
  EXPECT_EQ(digits("2147483647x", used), INT_MAX);
  EXPECT_EQ(used, 10);
  EXPECT_EQ(digits("99999999999999999999999;", used), INT_MAX);
  EXPECT_EQ(used, 23);

  EXPECT_EQ(tag_number(" \t-42,", used), -42);
  EXPECT_EQ(used, 5);
  EXPECT_EQ(tag_number("+7", used), 7);
  EXPECT_EQ(tag_number("\n7", used), 0);  // only spaces and tabs are passed over
  EXPECT_EQ(used, 0);
  EXPECT_EQ(tag_number("- 7", used), 0);
  EXPECT_EQ(used, 1);
  EXPECT_EQ(tag_number("-99999999999", used), -INT_MAX);
  EXPECT_EQ(tag_number("3000000000", used), INT_MAX);
}
