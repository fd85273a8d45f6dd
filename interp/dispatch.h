// interp/dispatch: the command table and dispatch_command.
#pragma once
#include <string>
#include <string_view>

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

// The run loop's command case: reads the name at the position (a letter or
// '_') with read_identifier and runs it as dispatch_command does. A command
// met before at the same position of the same scenario is not read again.
void dispatch_at_position();

// The row that dispatch_command would run in the given mode, or null.
const CommandRow* find_command(std::string_view name, int define_mode);

}  // namespace interp
