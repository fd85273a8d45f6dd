// platform/process: starting other programs and opening documents.
#pragma once
#include <string_view>

namespace platform {

// shell: hands a file, folder or URL (Shift-JIS) to the desktop's default
// handler (xdg-open). Does not wait; failures are silent.
void open_with_default_handler(std::string_view sjis_target);

// winexec without waiting: runs a command line (Shift-JIS) through /bin/sh
// and returns at once. Failures are silent.
void run_command_detached(std::string_view sjis_command);

// winexec with waiting: runs a command line (Shift-JIS) through /bin/sh and
// returns the child's id, or -1 when it could not be started. The caller
// polls child_has_exited until it is true.
int start_command(std::string_view sjis_command);

// True once the child started by start_command has ended (it is then
// reaped), or when the id is not a child of ours. Never blocks.
bool child_has_exited(int pid);

}  // namespace platform
