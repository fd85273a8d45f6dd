// interp/arithmetic: add, sub, inc, dec, mul, div, mod, rnd and rnd2.
#pragma once

namespace interp {

void cmd_add();
void cmd_sub();
void cmd_inc();
void cmd_dec();
void cmd_mul();
void cmd_div();
void cmd_mod();
void cmd_rnd();
void cmd_rnd2();

}  // namespace interp
