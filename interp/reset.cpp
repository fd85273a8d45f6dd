#include "interp/reset.h"

#include "interp/control_flow.h"
#include "interp/debug.h"
#include "interp/error.h"
#include "interp/random.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"

namespace interp {

void reset_state() {
  reset_variable_tables();
  clear_call_stack();
  reset_run_state();
  ScriptPosition = 0;
  error_save_flag = false;
  debug_caption_flag = false;
  debug_caption.clear();
  seed_random(1);
}

}  // namespace interp
