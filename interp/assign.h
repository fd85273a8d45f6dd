// interp/assign: the assignment commands mov and mov3 .. mov10.
#pragma once

namespace interp {

void cmd_mov();
void cmd_mov3();
void cmd_mov4();
void cmd_mov5();
void cmd_mov6();
void cmd_mov7();
void cmd_mov8();
void cmd_mov9();
void cmd_mov10();

}  // namespace interp
