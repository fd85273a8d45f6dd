#include <gtest/gtest.h>

#include <random>
#include <string>

#include "interp/arithmetic.h"
#include "interp/assign.h"
#include "interp/control_flow.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/strings.h"
#include "interp/system_commands.h"
#include "interp/variables.h"
#include "script/labels.h"
#include "script/scenario.h"
#include "tests/support/script_fixture.h"

using namespace interp;

namespace {

// Bytes that mean something to the readers and the control-flow searches,
// and Shift-JIS pairs whose second byte is '~' or a letter.
std::string random_script(std::mt19937& rng) {
  static const std::string alphabet = "%$?[]\",*~:\n\t -+0123456789abcdeflnorstx&=<>!_\x81\x7e\x82\xa0\x83\x41";
  std::uniform_int_distribution<size_t> length(0, 40), pick(0, alphabet.size() - 1);
  std::string s;
  for (size_t n = length(rng); n > 0; --n) s += alphabet[pick(rng)];
  if (rng() % 3 == 0) s = "*a\n" + s + "\n*b\n";
  return s;
}

}  // namespace

// Whatever the bytes, a handler either finishes or reports an error box: it
// never reads outside the script or the tables (the sanitizers check).
TEST(CommandRobustness, RandomArgumentsNeverStepOutside) {
  void (*const handlers[])() = {cmd_mov,   cmd_mov3,      cmd_mov10, cmd_add,  cmd_sub,   cmd_inc,        cmd_dec,
                                cmd_mul,   cmd_div,       cmd_mod,   cmd_rnd,  cmd_rnd2,  cmd_len,        cmd_mid,
                                cmd_cmp,   cmd_itoa,      cmd_atoi,  cmd_date, cmd_time,  cmd_getversion, cmd_goto,
                                cmd_gosub, cmd_return,    cmd_for,   cmd_next, cmd_break, cmd_skip,       cmd_jumpf,
                                cmd_jumpb, cmd_tablegoto, cmd_if,    cmd_notif};
  std::mt19937 rng(580);
  int finished = 0, reported = 0;
  for (int round = 0; round < 800; ++round) {
    testsupport::load_script("");
    std::string text = random_script(rng);
    script::set_scenario_text(text);
    testsupport::fatal_of([] { testsupport::scan_labels(); });
    clear_call_stack();
    // Sometimes a gosub frame or a for frame is waiting.
    if (rng() % 2) {
      ScriptPosition = static_cast<int32_t>(rng() % (text.size() + 1));
      testsupport::fatal_of([] { call_subroutine("a"); });
    }
    if (rng() % 2) {
      CallStack.slot[CallStack.count++] = static_cast<int32_t>(rng() % 4096);
      CallStack.slot[CallStack.count++] = static_cast<int32_t>(rng() % 7) - 3;
      CallStack.slot[CallStack.count++] = static_cast<int32_t>(rng() % 5) - 2;
      CallStack.slot[CallStack.count++] = -static_cast<int32_t>(rng() % (text.size() + 1));
    }
    ScriptPosition = static_cast<int32_t>(rng() % (text.size() + 1));
    auto handler = handlers[rng() % std::size(handlers)];
    std::string error = testsupport::fatal_of([handler] {
      handler();
      handler();
    });
    (error.empty() ? finished : reported)++;
    ASSERT_GE(ScriptPosition, 0);
    ASSERT_LE(ScriptPosition, script::scenario_length);
    ASSERT_GE(CallStack.count, 0);
    ASSERT_LE(CallStack.count, kCallStackSlots);
  }
  // Most random argument lists are faulty; some run.
  EXPECT_GT(finished, 5);
  EXPECT_GT(reported, 5);
}
