// save/persistent: the records shared by every save slot: global variables, the read-text record and the logs' files.
#pragma once
#include <cstdint>
#include <vector>

namespace save {

// Flags of the define block.
extern bool global_saving;     // globalon: gloval.sav is written
extern bool label_log_saving;  // labellog: Orvallog.dat is read and written
extern bool file_log_saving;   // filelog: Orvaflog.dat is read and written

// ReadTextBitmap: bit (p % 8) of byte p / 8 is set once script byte p has
// been passed; as many bytes as the scenario length / 8 (none before
// kidokuskip).
extern std::vector<uint8_t> ReadTextBitmap;

// Reads "gloval.sav" into variables 200..4095, or clears them when there is
// no such file (start-up and restart). Short files leave 0 and "".
void load_global_variables();
// Reads the logs whose files are kept, replacing the lists (after *define).
void load_logs();
// kidokuskip: a record of scenario length / 8 bytes, from "kidoku.dat" as
// far as it goes.
void open_read_text_record();
// Writes the read-text record, the global variables (globalon), the
// settings file, the file log (filelog) and the label log (labellog). A
// file that cannot be written keeps its old contents.
void save_persistent_records();

// The run loop's marking of script byte p; with read_skip_only set, an
// unread byte (or one past the record) ends skip mode first.
void mark_read_text(int32_t p);
// -1 without a read-text record, else whether the ScriptPosition was read.
int read_state_here();

// The define block's flags back to off and the record dropped (start-up
// and restart).
void reset_persistent_flags();

// Writing the settings file is the settings code's; null until it exists.
struct PersistentHooks {
  void (*write_environment)() = nullptr;
};
extern PersistentHooks persistent_hooks;

void cmd_globalon();
void cmd_labellog();
void cmd_filelog();
void cmd_kidokuskip();

}  // namespace save
