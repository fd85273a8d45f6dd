// text/wait_commands: the script commands of waiting, timers, clicks, skip and automatic modes.
#pragma once

namespace text {

void cmd_wait();
void cmd_delay();
void cmd_resettimer();
void cmd_waittimer();
void cmd_gettimer();
void cmd_click();
void cmd_clickpos();
void cmd_getmousepos();
void cmd_skipoff();
void cmd_kidokumode();
void cmd_kidokuskip();
void cmd_automode();
void cmd_automode_time();
void cmd_autoclick();
void cmd_usewheel();
void cmd_useescspc();
void cmd_ctrlalt();
void cmd_clickvoice();

}  // namespace text
