#include "interp/readers.h"

#include "interp/error.h"
#include "interp/hooks.h"
#include "script/scenario.h"

namespace interp {

int32_t ScriptPosition = 0;

namespace {

// Terms nest (%%%0, $%%1, ((...)) ...); a scenario must not be able to
// exhaust the stack with them.
constexpr int kMaxNesting = 200;
int nesting = 0;

void check_nesting_room() {
  if (nesting >= kMaxNesting) report_errorf("構文エラー", "引数の入れ子が深すぎます。");
}

struct NestingGuard {
  NestingGuard() {
    check_nesting_room();
    ++nesting;
  }
  ~NestingGuard() { --nesting; }
};

inline unsigned char at() { return static_cast<unsigned char>(script::ScriptBuffer[ScriptPosition]); }

inline bool is_blank(unsigned char c) { return c == ' ' || c == '\t'; }
inline bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }
inline unsigned char fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

inline void skip_blanks_here() {
  while (is_blank(at())) ++ScriptPosition;
}

// Reads the digits at the position (none reads as 0) and the blanks behind
// them. The 19th digit is an error, reported with the position behind it.
[[noreturn]] __attribute__((noinline)) void report_long_number(int32_t start) {
  std::string digits(script::ScriptBuffer + start, 19);
  report_errorf("構文エラー", "数字が長すぎます。:%s", digits.c_str());
}

inline int32_t read_digits(bool negative) {
  const char* s = script::ScriptBuffer;
  const int32_t start = ScriptPosition;
  int32_t p = start;
  int64_t value = 0;
  while (is_digit(static_cast<unsigned char>(s[p]))) {
    ++p;
    if (p - start == 19) {
      ScriptPosition = p;
      report_long_number(start);
    }
    value = value * 10 + (s[p - 1] - '0');
  }
  ScriptPosition = p;
  skip_blanks_here();
  if (negative) value = -value;
  // Beyond the signed 32-bit range the low 32 bits are kept.
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

}  // namespace

char peek_byte() { return static_cast<char>(at()); }

void advance(int32_t n) {
  int64_t p = int64_t(ScriptPosition) + n;
  if (p > script::scenario_length) p = script::scenario_length;
  if (p < 0) p = 0;
  ScriptPosition = static_cast<int32_t>(p);
}

char script_byte(int32_t offset) {
  if (offset < 0 || offset >= script::scenario_length) return '\0';
  return script::ScriptBuffer[offset];
}

std::string read_identifier() {
  skip_blanks_here();
  // Collected in a fixed buffer and copied once: at most 255 characters.
  char name[256];
  size_t n = 0;
  while (true) {
    unsigned char c = fold(at());
    bool ok = (c >= 'a' && c <= 'z') || c == '_' || (n > 0 && is_digit(c));
    if (!ok) break;
    name[n++] = static_cast<char>(c);
    ++ScriptPosition;
    if (n == 255) {
      name[n] = '\0';
      report_errorf("命令エラー", "長すぎるトークンです:%s", name);
    }
  }
  skip_blanks_here();
  return std::string(name, n);
}

int32_t read_number() {
  NestingGuard guard;
  skip_blanks_here();
  unsigned char c = at();
  // The byte at the position is no NUL in every case below, so stepping
  // over it cannot leave the script.
  if (c == '%') {
    ++ScriptPosition;
    int32_t n;
    if (is_digit(at())) {
      // %n with a plain number, the common case: the inner read_number
      // would only read the digits (its nesting check is kept).
      check_nesting_room();
      n = read_digits(false);
    } else {
      n = read_number();
    }
    skip_blanks_here();
    return numeric_variable(n);
  }
  if (c == '?') {
    ++ScriptPosition;
    ArrayReference ref = read_array_reference(1);
    int32_t value = array_element(ref);
    skip_blanks();
    return value;
  }
  if (c == '-' || c == '+') {
    ++ScriptPosition;
    return read_digits(c == '-');
  }
  if (is_digit(c)) return read_digits(false);
  std::string name = read_identifier();
  const int32_t* value = name.empty() ? nullptr : find_num_alias(name);
  if (!value) report_errorf("構文エラー", "数字がくるべきところに数字がありません。");
  return *value;
}

std::string read_string() {
  NestingGuard guard;
  unsigned char c = static_cast<unsigned char>(skip_blanks());
  if (c == '"') {
    advance();
    std::string text;
    while (at() != '"') {
      // The script's NUL also ends the line: never read past it.
      if (at() == '\n' || at() == '\0') report_errorf("構文エラー", "文字列中に改行が有ります。");
      text += static_cast<char>(at());
      ++ScriptPosition;
      if (text.size() == 255) report_errorf("構文エラー", "文字列が長すぎます。:%s", text.c_str());
    }
    advance();
    skip_blanks();
    return text;
  }
  if (c == '$') {
    advance();
    int32_t n = read_number();
    skip_blanks();
    return string_variable(n);
  }
  if (c == '(' || c == '[') {
    advance();
    bool passed;
    if (c == '(') {
      std::string file = read_string();
      if (peek_byte() != ')') report_errorf("エラー", "ファイル文字列指定は(\"ファイル名\")という形式です。");
      advance();
      passed = hooks.file_logged && hooks.file_logged(file);
    } else {
      std::string label = read_label();
      if (peek_byte() != ']') report_errorf("エラー", "ファイル文字列指定は(\"ファイル名\")という形式です。");
      advance();
      passed = hooks.label_logged && hooks.label_logged(label);
    }
    std::string a = read_string();
    std::string b = read_string();
    return passed ? a : b;
  }
  std::string name = read_identifier();
  const std::string* value = name.empty() ? nullptr : find_str_alias(name);
  if (!value) report_errorf("構文エラー", "文字列が来るべきところに文字列がありません。");
  skip_blanks();
  return *value;
}

std::string read_label() {
  unsigned char c = static_cast<unsigned char>(skip_blanks());
  if (c == '*') {
    advance();
    return read_identifier();
  }
  if (c == '"' || c == '$') {
    std::string text = read_string();
    if (text.empty() || text[0] != '*')
      report_errorf("実行時エラー",
                    "ラベル名を指定すべきところで文字列が代わりに指定されましたが、文字列の先頭が*ではありません。");
    return text.substr(1);
  }
  report_errorf("構文エラー", "ラベル名が来るべきところにラベル名が来ませんでした。");
}

void report_missing_comma() { report_errorf("構文エラー", "コンマが必要なところにコンマが有りません。"); }

ArrayReference read_array_reference(int mode) {
  ArrayReference ref;
  ref.number = read_number();
  skip_blanks();
  while (at() == '[') {
    advance();
    if (ref.count == kMaxDimensions) report_errorf("エラー", "配列の次元が多すぎます（最大%d次元）。", kMaxDimensions);
    ref.index[ref.count++] = read_number();
    skip_blanks();
    if (at() != ']') report_errorf("エラー", "配列変数指定が間違っています。");
    advance();
  }
  if (mode == 0) return ref;
  const ArrayRecord* a = find_array(ref.number);
  int expected = a ? a->dimension_count - (mode == 2 ? 1 : 0) : -1;
  if (ref.count != expected) report_errorf("エラー", "配列の添字指定が間違っています。");
  flat_index(*a, ref.index, ref.count);  // range and sign checks
  return ref;
}

int32_t read_variable_number() {
  advance();
  return read_number();
}

}  // namespace interp
