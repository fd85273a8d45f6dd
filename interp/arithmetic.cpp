#include "interp/arithmetic.h"

#include <cstdint>

#include "interp/error.h"
#include "interp/random.h"
#include "interp/readers.h"
#include "interp/targets.h"
#include "interp/variables.h"

namespace interp {

namespace {

// Scenario arithmetic wraps around in 32 bits, as the original machine
// arithmetic did; done on unsigned values so that it is defined.
int32_t wrap(uint32_t x) { return static_cast<int32_t>(x); }
int32_t wrapping_add(int32_t a, int32_t b) { return wrap(uint32_t(a) + uint32_t(b)); }
int32_t wrapping_sub(int32_t a, int32_t b) { return wrap(uint32_t(a) - uint32_t(b)); }
int32_t wrapping_mul(int32_t a, int32_t b) { return wrap(uint32_t(a) * uint32_t(b)); }

// Reads "%v, n" and returns v's number and n.
struct Operands {
  int32_t target;
  int32_t value;
};
Operands read_target_and_number(const char* message) {
  Operands op;
  op.target = read_numeric_target(message);
  expect_comma();
  op.value = read_number();
  return op;
}

void store(int32_t target, int32_t value) {
  numeric_variable(target) = value;
  apply_intlimits();
}

}  // namespace

void cmd_add() {
  const char* message = "addの第一引数は数字／文字変数です。";
  if (skip_blanks() == '$') {
    int32_t n = read_string_target(message);
    expect_comma();
    append_string_variable(n, read_string());
    return;
  }
  Operands op = read_target_and_number(message);
  store(op.target, wrapping_add(numeric_variable(op.target), op.value));
}

void cmd_sub() {
  Operands op = read_target_and_number("subの第一引数は数字変数です。");
  store(op.target, wrapping_sub(numeric_variable(op.target), op.value));
}

void cmd_inc() {
  int32_t n = read_numeric_target("incの引数は数字変数です。");
  store(n, wrapping_add(numeric_variable(n), 1));
}

void cmd_dec() {
  int32_t n = read_numeric_target("decの引数は数字変数です。");
  store(n, wrapping_sub(numeric_variable(n), 1));
}

void cmd_mul() {
  Operands op = read_target_and_number("mulの第一引数は数字変数です。");
  store(op.target, wrapping_mul(numeric_variable(op.target), op.value));
}

void cmd_div() {
  Operands op = read_target_and_number("divの第一引数は数字変数です。");
  if (op.value == 0) report_errorf("０除算エラー", "０で除算しました。");
  int32_t v = numeric_variable(op.target);
  // INT32_MIN / -1 does not fit: it wraps to INT32_MIN like the other
  // operations instead of trapping.
  store(op.target, op.value == -1 ? wrapping_sub(0, v) : v / op.value);
}

void cmd_mod() {
  Operands op = read_target_and_number("modの第一引数は数字変数です。");
  if (op.value == 0) report_errorf("０除算エラー", "０で剰余演算しました。");
  int32_t v = numeric_variable(op.target);
  store(op.target, op.value == -1 ? 0 : v % op.value);
}

// rnd with n <= 0 has no valid result: it gives 0.
void cmd_rnd() {
  Operands op = read_target_and_number("rndの第一引数は数字変数です。");
  store(op.target, op.value > 0 ? draw_random() % op.value : 0);
}

// rnd2 %v, a, b: a + draw mod (b - a + 1). The range is computed in 64
// bits so that it cannot overflow; an empty range (b = a - 1) gives 0. A
// reversed range keeps the C remainder's result (a draw is never negative).
void cmd_rnd2() {
  int32_t n = read_numeric_target("rnd2の第一引数は数字変数です。");
  expect_comma();
  int32_t a = read_number();
  expect_comma();
  int32_t b = read_number();
  int64_t range = int64_t(b) - int64_t(a) + 1;
  int32_t result = 0;
  if (range != 0) result = wrap(uint32_t(a) + uint32_t(int64_t(draw_random()) % range));
  store(n, result);
}

}  // namespace interp
