#include "interp/strings.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "interp/readers.h"
#include "interp/targets.h"
#include "interp/variables.h"

namespace interp {

void cmd_len() {
  int32_t n = read_numeric_target("lenの第一引数は数字変数です。");
  expect_comma();
  std::string s = read_string();
  numeric_variable(n) = static_cast<int32_t>(s.size());
}

// mid $v, s, start, count. Only the bytes of s that lie inside the window
// [start, start + count) are taken, so a negative start or count never
// reaches outside the string.
void cmd_mid() {
  int32_t n = read_string_target("midの第一引数は文字変数です。");
  expect_comma();
  std::string s = read_string();
  expect_comma();
  int64_t start = read_number();
  expect_comma();
  int64_t count = read_number();
  int64_t from = start < 0 ? 0 : start;
  int64_t to = start + count;
  if (to > int64_t(s.size())) to = int64_t(s.size());
  set_string_variable(n, from < to ? std::string_view(s).substr(from, to - from) : "");
}

void cmd_cmp() {
  int32_t n = read_numeric_target("cmpの第一引数は数字変数です。");
  expect_comma();
  std::string a = read_string();
  expect_comma();
  std::string b = read_string();
  // C string order: unsigned bytes, up to the first NUL.
  int c = std::strcmp(a.c_str(), b.c_str());
  numeric_variable(n) = c < 0 ? -1 : c > 0 ? 1 : 0;
}

void cmd_itoa() {
  int32_t n = read_string_target("itoaの第一引数は文字変数です。");
  expect_comma();
  set_string_variable(n, std::to_string(read_number()));
}

void cmd_atoi() {
  int32_t n = read_numeric_target("atoiの第一引数は数字変数です。");
  expect_comma();
  numeric_variable(n) = text_to_number(read_string());
}

int32_t text_to_number(std::string_view text) {
  size_t i = 0;
  auto space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < text.size() && space(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + (text[i++] - '0');
    if (value > int64_t(INT32_MAX) + 1) value = int64_t(INT32_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<int32_t>(value);
}

int32_t read_decimal_digits(const char*& p) {
  int64_t n = 0;
  while (*p >= '0' && *p <= '9') n = std::min<int64_t>(n * 10 + (*p++ - '0'), INT32_MAX);
  return static_cast<int32_t>(n);
}

int32_t read_decimal(const char*& p) {
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  int32_t v = read_decimal_digits(p);
  return negative ? -v : v;
}

}  // namespace interp
