#include "text/reset.h"

#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/traps.h"
#include "text/wait.h"

namespace text {

void reset_state() {
  message_window = MessageWindow();
  init_message_window();
  init_text_output();
  cursor_x = cursor_y = 0;
  init_lookback();
  reset_wait_defaults();
  last_click_x = last_click_y = 0;
  clear_traps();
  trap_state = TrapState();
}

}  // namespace text
