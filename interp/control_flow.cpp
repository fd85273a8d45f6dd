#include "interp/control_flow.h"

#include <cstring>
#include <string>

#include "interp/error.h"
#include "interp/hooks.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/sjis.h"
#include "script/labels.h"
#include "script/scenario.h"

namespace interp {

CallStackRecord CallStack;
RewaitRequest Rewait;

namespace {

constexpr int kForFrameSlots = 4;

int32_t top_slot() { return CallStack.slot[CallStack.count - 1]; }

void push(int32_t value) { CallStack.slot[CallStack.count++] = value; }

// A for frame is on top: at least four slots and a top slot <= 0.
bool for_frame_on_top() { return CallStack.count >= kForFrameSlots && top_slot() <= 0; }

void check_gosub_room() {
  if (CallStack.count > kCallStackSlots - 1) report_errorf("スタックエラー", "gosub文のせいでスタックが溢れました。");
}

int32_t wrapping_add(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

unsigned char byte_at(int32_t offset) { return static_cast<unsigned char>(script_byte(offset)); }

// True when the byte at `offset` is the second byte of a double-byte
// character. Any byte outside the lead-byte range ends a character, so the
// parity of the lead-range bytes that follow the last such byte decides.
bool is_trail_byte(int32_t offset) {
  int32_t run = 0;
  for (int32_t q = offset - 1; q >= 0 && platform::is_sjis_lead(byte_at(q)); --q) ++run;
  return run % 2 == 1;
}

// Continues at the start of the next line; at the end of the scenario the
// position stays on its NUL.
void skip_rest_of_line() {
  while (byte_at(ScriptPosition) != '\n' && byte_at(ScriptPosition) != '\0') ++ScriptPosition;
  if (byte_at(ScriptPosition) == '\n') ++ScriptPosition;
}

[[noreturn]] void report_skip_error() { report_errorf("構文エラー", "SKIPがスクリプトの範囲を飛び出しました。"); }

[[noreturn]] void report_for_format_error() {
  report_errorf("構文エラー", "for文の書式が違います。for %%変数番号=数字 to 数字 (step 数字)です。");
}

[[noreturn]] void report_condition_error() { report_errorf("エラー", "if条件式が間違っています。"); }

enum class Comparison { equal, not_equal, less_equal, greater_equal, less, greater, none };

// Reads a comparison operator; a '!' without '=' is none (the condition
// ends there and the operator byte stays).
Comparison read_comparison() {
  unsigned char c = static_cast<unsigned char>(skip_blanks());
  unsigned char d = byte_at(ScriptPosition + 1);
  switch (c) {
    case '=': advance(d == '=' ? 2 : 1); return Comparison::equal;
    case '!':
      if (d != '=') return Comparison::none;
      advance(2);
      return Comparison::not_equal;
    case '<':
      if (d == '=') {
        advance(2);
        return Comparison::less_equal;
      }
      if (d == '>') {
        advance(2);
        return Comparison::not_equal;
      }
      advance();
      return Comparison::less;
    case '>':
      if (d == '=') {
        advance(2);
        return Comparison::greater_equal;
      }
      advance();
      return Comparison::greater;
    default: report_condition_error();
  }
}

bool compare(int order, Comparison op) {
  switch (op) {
    case Comparison::equal: return order == 0;
    case Comparison::not_equal: return order != 0;
    case Comparison::less_equal: return order <= 0;
    case Comparison::greater_equal: return order >= 0;
    case Comparison::less: return order < 0;
    case Comparison::greater: return order > 0;
    case Comparison::none: break;
  }
  return false;
}

// One condition of if/notif; `result` keeps its value when the condition
// turns out to have no operator.
void evaluate_condition(int& result) {
  unsigned char c = static_cast<unsigned char>(skip_blanks());
  if (c == 'f' || c == 'l') {
    std::string word = read_identifier();
    if (word != (c == 'f' ? "fchk" : "lchk")) report_condition_error();
    if (c == 'f') {
      if (define_mode) report_errorf("エラー", "fchk条件式は、定義ブロックでは使えません。");
      std::string file = read_string();
      result = hooks.file_logged && hooks.file_logged(file) ? 1 : 0;
    } else {
      if (define_mode) report_errorf("エラー", "lchk条件式は、定義ブロックでは使えません。");
      std::string label = read_label();
      result = hooks.label_logged && hooks.label_logged(label) ? 1 : 0;
    }
    return;
  }
  // Only a quoted literal or a string variable makes a string comparison.
  if (c == '"' || c == '$') {
    std::string left = read_string();
    Comparison op = read_comparison();
    if (op == Comparison::none) return;
    std::string right = read_string();
    // C string order: unsigned bytes, up to the first NUL.
    result = compare(std::strcmp(left.c_str(), right.c_str()), op) ? 1 : 0;
    return;
  }
  int32_t left = read_number();
  Comparison op = read_comparison();
  if (op == Comparison::none) return;
  int32_t right = read_number();
  result = compare(left < right ? -1 : left > right ? 1 : 0, op) ? 1 : 0;
}

// if (mode 0) runs the rest of the line while conditions hold; notif
// (mode 1) while they fail. '&' or "&&" chains the next condition.
void run_conditional(int mode) {
  int result = 0;
  while (true) {
    evaluate_condition(result);
    if (result == mode) {
      skip_rest_of_line();
      return;
    }
    if (skip_blanks() != '&') return;  // the rest of the line runs
    advance(byte_at(ScriptPosition + 1) == '&' ? 2 : 1);
  }
}

}  // namespace

void clear_call_stack() {
  CallStack.count = 0;
  Rewait.pending = false;
}

void request_rewait(int kind) {
  Rewait.pending = true;
  Rewait.kind = kind;
}

void call_subroutine(std::string_view label) {
  check_gosub_room();
  push(ScriptPosition);
  jump_to_label(label);
}

void jump_to_label(std::string_view name) {
  int32_t position = script::find_label(name);
  if (position < 0) {
    std::string as_given(name);
    report_errorf("ラベルエラー", "ラベル*%sは存在しません", as_given.c_str());
  }
  ScriptPosition = position;
  if (hooks.log_label) hooks.log_label(script::fold_lower(name));
}

void cmd_goto() { jump_to_label(read_label()); }

void cmd_gosub() {
  check_gosub_room();
  call_subroutine(read_label());
}

// A for frame on top is no return position (it would be a negative one).
void cmd_return() {
  if (CallStack.count == 0 || top_slot() <= 0 || top_slot() > script::scenario_length)
    report_errorf("スタックエラー", "returnとgosub文が正しく対応していません。");
  ScriptPosition = CallStack.slot[--CallStack.count];
  if (Rewait.pending) {
    Rewait.pending = false;
    if (hooks.display_text_line && Rewait.kind == 0) hooks.display_text_line("@");
    if (hooks.display_text_line && Rewait.kind == 1) hooks.display_text_line("\\");
  }
}

// for %n = a to b [step s]. The body always runs once: next tests the end.
void cmd_for() {
  if (CallStack.count > kCallStackSlots - kForFrameSlots)
    report_errorf("スタックエラー", "for文のせいでスタックが溢れました。");
  if (skip_blanks() != '%') report_for_format_error();
  int32_t n = read_variable_number();
  int32_t& v = numeric_variable(n);
  if (skip_blanks() != '=') report_for_format_error();
  advance();
  v = read_number();
  apply_intlimits();
  if (read_identifier() != "to") report_for_format_error();
  int32_t limit = read_number();
  int32_t step = 1;
  if (skip_blanks() == 's') {
    if (read_identifier() != "step") report_for_format_error();
    step = read_number();
  }
  push(n);
  push(limit);
  push(step);
  push(-ScriptPosition);
}

void cmd_next() {
  if (!for_frame_on_top()) report_errorf("スタックエラー", "next文とfor文が正しく対応していません。");
  const int32_t* frame = &CallStack.slot[CallStack.count - kForFrameSlots];
  int32_t n = frame[0], limit = frame[1], step = frame[2], loop = -frame[3];
  int32_t& v = numeric_variable(n);
  v = wrapping_add(v, step);
  apply_intlimits();
  // With step 0 the loop never ends here.
  if ((v > limit && step >= 1) || (v < limit && step < 0))
    CallStack.count -= kForFrameSlots;
  else
    ScriptPosition = loop;
}

// break *label leaves the loop for the label; a bare break continues after
// the first following statement that begins with next (nesting is not
// counted).
void cmd_break() {
  if (!for_frame_on_top()) report_errorf("スタックエラー", "break文とfor文が正しく対応していません。");
  if (skip_blanks() == '*') {
    std::string label = read_label();
    CallStack.count -= kForFrameSlots;
    jump_to_label(label);
    return;
  }
  while (byte_at(ScriptPosition) != '\0') {
    skip_blanks();
    if (read_identifier() == "next") break;
    unsigned char c;
    while ((c = byte_at(ScriptPosition)) != '\0' && c != ':' && c != '\n') ++ScriptPosition;
    if (c != '\0') ++ScriptPosition;
  }
  CallStack.count -= kForFrameSlots;
}

// skip n: n lines forward (to the start of a line) or |n| lines back.
void cmd_skip() {
  int32_t n = read_number();
  if (n > 0) {
    for (int32_t i = 0; i < n; ++i) {
      while (byte_at(ScriptPosition) != '\n') {
        if (byte_at(ScriptPosition) == '\0') report_skip_error();
        ++ScriptPosition;
      }
      ++ScriptPosition;
    }
  } else if (n < 0) {
    int32_t p = ScriptPosition;
    if (byte_at(p) == '\n') --p;
    // 1 - n back-searches for an LF, each followed by one more step back;
    // the last step forward lands on the LF that ends the line before the
    // target line.
    for (int64_t i = 0; i < 1 - int64_t(n); ++i) {
      while (true) {
        if (p < 0) report_skip_error();
        if (byte_at(p) == '\n') break;
        if (p == 0) report_skip_error();
        --p;
      }
      --p;
    }
    ScriptPosition = p + 1;
  }
}

// jumpf: continues after the next '~' (one that is a character of its own,
// not the second byte of a double-byte character).
void cmd_jumpf() {
  int32_t p = ScriptPosition;
  while (true) {
    unsigned char c = byte_at(p);
    if (c == '\0') report_errorf("エラー", "jumpf命令が~を見つけられませんでした。");
    if (c == '~') break;
    p += platform::is_sjis_lead(c) && byte_at(p + 1) != '\0' ? 2 : 1;
  }
  ScriptPosition = p + 1;
}

// jumpb: continues after the previous '~', the byte at the position included.
void cmd_jumpb() {
  int32_t p = ScriptPosition;
  while (p >= 0 && (byte_at(p) != '~' || is_trail_byte(p))) --p;
  if (p < 0) report_errorf("エラー", "jumpb命令が~を見つけられませんでした。");
  ScriptPosition = p + 1;
}

// tablegoto index, *l0, *l1, ...: a negative index takes the first label.
void cmd_tablegoto() {
  int32_t index = read_number();
  for (int32_t i = 0; i < index; ++i) {
    expect_comma();
    read_label();
  }
  expect_comma();
  jump_to_label(read_label());
}

void cmd_if() { run_conditional(0); }
void cmd_notif() { run_conditional(1); }

// The run loop returns and the program ends through its normal path, which
// saves the persistent records.
void cmd_end() { quit_requested = true; }

}  // namespace interp
