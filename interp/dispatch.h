// interp/dispatch: command rows, the command table app/ joins from them, and dispatch_command.
#pragma once
#include <span>
#include <string>
#include <string_view>

namespace interp {

using CommandHandler = void (*)();

struct CommandRow {
  const char* name;
  CommandHandler handler;  // null: the command is not available in this build yet
  bool definition_only;    // recognised only while the *define block runs
};

// Command rows travel as spans. A subsystem exports one span per group of
// its commands, in the order of the command list, from its command_rows.h:
//
//   // text/command_rows.h
//   extern const interp::CommandRows output_rows;  // text output
//   // text/command_rows.cpp
//   namespace { const interp::CommandRow output_rows_array[] = {{"texec", cmd_texec, false}, ...}; }
//   const interp::CommandRows output_rows = output_rows_array;
//
// app/command_table.cpp joins the groups into the one table (a group of a
// part not built yet is a placeholder there, rows without handlers, until
// that part brings its own) and hands it over with set_command_table.
using CommandRows = std::span<const CommandRow>;

// Installs the joined table; when a name appears twice the first row wins.
// The table must outlive every dispatch.
void set_command_table(CommandRows table);
CommandRows command_table();

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
