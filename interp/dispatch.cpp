#include "interp/dispatch.h"

#include <cstdint>
#include <string_view>

#include "interp/error.h"
#include "interp/hooks.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "script/scenario.h"

namespace interp {

namespace {

// Name to first row, built when the table is installed, as two open-addressing tables: one for the
// *define block (every row) and one for the game proper (definition-only
// rows left out, so that their names fall through like any other word).
// A lookup hashes the name once and compares it with a row or two, however
// long the table.
constexpr int kIndexSize = 1024;  // a power of two, well above the row count

uint32_t hash_name(std::string_view name) {
  uint32_t h = 2166136261u;  // FNV-1a
  for (unsigned char c : name) h = (h ^ c) * 16777619u;
  return h;
}

struct NameIndex {
  const CommandRow* slot[kIndexSize] = {};
  void add(const CommandRow& row) {
    std::string_view name(row.name);
    for (uint32_t i = hash_name(name);; ++i) {
      const CommandRow*& s = slot[i & (kIndexSize - 1)];
      if (!s) {
        s = &row;
        return;
      }
      if (name == s->name) return;  // listed twice: the first row stays
    }
  }
  const CommandRow* find(std::string_view name) const {
    for (uint32_t i = hash_name(name);; ++i) {
      const CommandRow* s = slot[i & (kIndexSize - 1)];
      if (!s || name == s->name) return s;
    }
  }
};

// The installed table and its two name indexes.
CommandRows table;
NameIndex define_rows;
NameIndex game_rows;

// The script never changes while it runs, so the command that starts at a
// given position always has the same name, the same rows and the same
// position behind its name and blanks. The run loop remembers them per
// position and skips reading and looking up the name the next time round.
// A small direct-mapped table: a collision only costs a fresh lookup.
// Entries belong to one loaded scenario (its generation).
struct CachedCommand {
  int32_t position = -1;
  int32_t after = 0;
  uint32_t generation = 0;
  const CommandRow* row[2] = {};  // game proper, *define block
};
constexpr int kCacheSize = 2048;  // a power of two
CachedCommand command_cache[kCacheSize];

CachedCommand& cache_slot(int32_t position) { return command_cache[(uint32_t(position) * 2654435761u) >> 21]; }
static_assert(kCacheSize == 1 << (32 - 21));

[[noreturn]] void report_not_available(const std::string& name) {
  report_errorf("未対応の命令", "命令\"%s\"はこの版ではまだ使えません。", name.c_str());
}

}  // namespace

void set_command_table(CommandRows rows) {
  // Remembered positions point into the old table.
  for (CachedCommand& entry : command_cache) entry = CachedCommand();
  define_rows = NameIndex();
  game_rows = NameIndex();
  table = rows.size() < kIndexSize / 2 ? rows : rows.first(kIndexSize / 2);
  for (const CommandRow& row : table) {
    define_rows.add(row);
    if (!row.definition_only) game_rows.add(row);
  }
}

CommandRows command_table() { return table; }

const CommandRow* find_command(std::string_view name, int mode) {
  return mode == 1 ? define_rows.find(name) : game_rows.find(name);
}

void dispatch_command(const std::string& name) {
  if (rmenu_reset_request) {
    reset_to_start();
    return;
  }
  if (const CommandRow* row = find_command(name, define_mode)) {
    if (!row->handler) report_not_available(name);
    row->handler();
    return;
  }
  // A word that is no command may be a voice shorthand: dv12 or v12 plays
  // voice\12.wav, when sound is part of the build.
  if (name.rfind("dv", 0) == 0 || name.rfind("v", 0) == 0) {
    if (hooks.voice_shorthand && hooks.voice_shorthand(name)) return;
    report_not_available(name);
  }
  report_errorf("構文エラー", "不正な命令\"%s\"です。", name.c_str());
}

namespace {

// Reads the name, remembers what it found for the position and runs it.
__attribute__((noinline)) void dispatch_and_remember(CachedCommand& entry) {
  const int32_t position = ScriptPosition;
  std::string name = read_identifier();
  entry.position = position;
  entry.after = ScriptPosition;
  entry.generation = script::scenario_generation;
  entry.row[0] = find_command(name, 0);
  entry.row[1] = find_command(name, 1);
  dispatch_command(name);
}

}  // namespace

void dispatch_at_position() {
  CachedCommand& entry = cache_slot(ScriptPosition);
  if (entry.position == ScriptPosition && entry.generation == script::scenario_generation) {
    const CommandRow* row = entry.row[define_mode == 1];
    // Rows without a handler and words that are no command take the long
    // way, which reports them.
    if (row && row->handler) {
      ScriptPosition = entry.after;
      if (rmenu_reset_request) {
        reset_to_start();
        return;
      }
      row->handler();
      return;
    }
  }
  dispatch_and_remember(entry);
}

}  // namespace interp
