// interp/control_flow: the call stack shared by gosub and for, and the jump, loop and condition commands.
#pragma once
#include <cstdint>
#include <string_view>

namespace interp {

// CallStack: 1000 slots shared by two kinds of frames.
//   gosub frame, 1 slot: the return position (> 0).
//   for frame, 4 slots from the bottom: the loop variable's number, the
//   limit, the step, and the negated loop position (<= 0).
// The top slot tells the kinds apart. The stack is part of the saved state.
constexpr int kCallStackSlots = 1000;
struct CallStackRecord {
  int32_t slot[kCallStackSlots];
  int32_t count;
};
extern CallStackRecord CallStack;

// Empties the stack and forgets a pending re-wait (reset_to_start, loading
// a save).
void clear_call_stack();

// Calls a subroutine: pushes the current position as a gosub frame and jumps
// to the label (gosub, and the text, selection, button and right-click
// routines). A full stack is the "スタックエラー".
void call_subroutine(std::string_view label);

// Sets the ScriptPosition to the label (without '*', any case) and records
// it in the label log. A missing label is the fatal "ラベルエラー".
void jump_to_label(std::string_view name);

// The re-wait request: a wait that was interrupted by a subroutine call is
// re-issued by the `return` that ends the subroutine. Kind 0 is the '@'
// click wait, 1 the '\' page wait; other kinds are re-issued by their owners.
struct RewaitRequest {
  bool pending;
  int kind;
};
extern RewaitRequest Rewait;
void request_rewait(int kind);

void cmd_goto();
void cmd_gosub();
void cmd_return();
void cmd_for();
void cmd_next();
void cmd_break();
void cmd_skip();
void cmd_jumpf();
void cmd_jumpb();
void cmd_tablegoto();
void cmd_if();
void cmd_notif();
void cmd_end();

}  // namespace interp
