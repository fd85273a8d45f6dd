// interp/system_commands: date and time, version, registry and profile lookups, other programs, files.
#pragma once

namespace interp {

void cmd_date();
void cmd_time();
void cmd_getversion();
void cmd_getreg();
void cmd_getini();
void cmd_shell();
void cmd_winexec();
void cmd_filecreate();
void cmd_fileremove();

}  // namespace interp
