// interp/define_commands: the commands of the definition block (aliases, game) and definereset.
#pragma once

namespace interp {

void cmd_numalias();     // numalias name, value
void cmd_stralias();     // stralias name, string
void cmd_game();         // ends the *define block
void cmd_definereset();  // restarts from loading the scenario

}  // namespace interp
