// script/define: the commands of the definition block (aliases, game) and definereset.
#pragma once

namespace script {

void cmd_numalias();     // numalias name, value
void cmd_stralias();     // stralias name, string
void cmd_game();         // ends the *define block
void cmd_definereset();  // restarts from loading the scenario

}  // namespace script
