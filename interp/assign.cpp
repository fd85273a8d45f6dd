#include "interp/assign.h"

#include "interp/readers.h"
#include "interp/targets.h"
#include "interp/variables.h"

namespace interp {

// mov %v, n / mov ?a[i]..., n / mov $v, s
void cmd_mov() {
  switch (skip_blanks()) {
    case '%': {
      int32_t n = read_variable_number();
      int32_t& v = numeric_variable(n);
      expect_comma();
      v = read_number();
      apply_intlimits();
      return;
    }
    case '?': {
      advance();
      ArrayReference ref = read_array_reference(1);
      expect_comma();
      int32_t value = read_number();
      // Array elements have no limits.
      array_element(ref) = value;
      return;
    }
    case '$': {
      int32_t n = read_variable_number();
      string_variable(n);
      expect_comma();
      set_string_variable(n, read_string());
      return;
    }
    default: report_syntax_error("movの第一引数は数字／文字変数／配列です。");
  }
}

namespace {

// movK %v, x1, ..., xK: consecutive variables from v on. Each value is
// stored as soon as it is read, so a later operand sees the earlier stores.
void move_consecutive(int k, const char* message) {
  int32_t first = read_numeric_target(message);
  for (int i = 0; i < k; ++i) {
    expect_comma();
    int32_t value = read_number();
    numeric_variable(first + i) = value;
  }
  apply_intlimits();
}

}  // namespace

void cmd_mov3() { move_consecutive(3, "mov3の第一引数は数字変数です。"); }
void cmd_mov4() { move_consecutive(4, "mov4の第一引数は数字変数です。"); }
void cmd_mov5() { move_consecutive(5, "mov5の第一引数は数字変数です。"); }
void cmd_mov6() { move_consecutive(6, "mov6の第一引数は数字変数です。"); }
void cmd_mov7() { move_consecutive(7, "mov7の第一引数は数字変数です。"); }
void cmd_mov8() { move_consecutive(8, "mov8の第一引数は数字変数です。"); }
void cmd_mov9() { move_consecutive(9, "mov9の第一引数は数字変数です。"); }
void cmd_mov10() { move_consecutive(10, "mov10の第一引数は数字変数です。"); }

}  // namespace interp
