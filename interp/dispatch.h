// interp/dispatch: the command table and dispatch_command.
#pragma once
#include <string>

namespace interp {

using CommandHandler = void (*)();

struct CommandRow {
  const char* name;
  CommandHandler handler;  // null: the command is not available in this build yet
  bool definition_only;    // recognised only while the *define block runs
};

extern const CommandRow CommandTable[];
extern const int kCommandCount;

// Runs the command `name` (lower case, read by read_identifier; the position
// stands behind it). A name that is no command, or a definition command
// outside the *define block, is a fatal "構文エラー".
void dispatch_command(const std::string& name);

// The row that dispatch_command would run in the given mode, or null.
const CommandRow* find_command(const std::string& name, int define_mode);

}  // namespace interp
