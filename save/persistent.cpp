#include "save/persistent.h"

#include <cstdint>
#include <string>

#include "graphics/image_tag.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/file_io.h"
#include "platform/player_files.h"
#include "save/logs.h"
#include "script/scenario.h"
#include "text/wait.h"

namespace save {

bool global_saving = false;
bool label_log_saving = false;
bool file_log_saving = false;
std::vector<uint8_t> ReadTextBitmap;
PersistentHooks persistent_hooks;

namespace {

constexpr char kGlobalFile[] = "gloval.sav";
constexpr char kReadTextFile[] = "kidoku.dat";
constexpr char kLabelLogFile[] = "Orvallog.dat";
constexpr char kFileLogFile[] = "Orvaflog.dat";
constexpr size_t kLogEntryBuffer = 512;  // an entry read back keeps at most 511 bytes
constexpr size_t kGlobalTextLimit = 1 << 20;

platform::FileHandle open_player_file(const char* name) {
  if (!platform::player_file_exists(name)) return platform::FileHandle();
  return platform::open_file(platform::player_file_path(name), platform::OpenMode::read);
}

int32_t read_int(platform::FileHandle& f) {
  unsigned char b[4];
  if (platform::read_bytes(f, b, 4) != 4) return 0;
  return static_cast<int32_t>(uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24);
}

bool is_c_space(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The count that opens a log, read as the C library's "%d\n" reads it:
// white space, a sign, digits (none is no count: 0), the value held in 64
// bits with saturation and then cut to its low 32 bits; then any white
// space after it.
int read_log_count(platform::FileHandle& f) {
  while (is_c_space(platform::peek_byte(f))) platform::read_byte(f);
  int c = platform::peek_byte(f);
  bool negative = c == '-';
  if (c == '-' || c == '+') {
    platform::read_byte(f);
    c = platform::peek_byte(f);
  }
  if (c < '0' || c > '9') return 0;
  const uint64_t most = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
  uint64_t magnitude = 0;
  while ((c = platform::peek_byte(f)) >= '0' && c <= '9') {
    platform::read_byte(f);
    unsigned digit = unsigned(c - '0');
    magnitude = magnitude > (most - digit) / 10 ? most : magnitude * 10 + digit;
  }
  while (is_c_space(platform::peek_byte(f))) platform::read_byte(f);
  uint64_t value = negative ? uint64_t(0) - magnitude : magnitude;
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

void read_log(NameLog& log, const char* name) {
  platform::FileHandle f = open_player_file(name);
  if (!f) return;
  log_clear(log);
  int count = read_log_count(f);
  for (int n = 0; n < count && n < kMaxLogEntries; ++n) {
    int c = platform::read_byte(f);  // the opening quote
    if (c < 0) break;
    std::string entry;
    while ((c = platform::read_byte(f)) >= 0 && c != '"')
      if (entry.size() < kLogEntryBuffer - 1) entry += static_cast<char>(c);
    for (size_t i = 0; i < entry.size(); ++i) {
      entry[i] = static_cast<char>(entry[i] ^ script::kScrambleKey);
      if (entry[i] == '\0') {
        entry.resize(i);
        break;
      }
    }
    log_append(log, entry);
    if (c < 0) break;
  }
}

void write_log(const NameLog& log, const char* name) {
  std::string bytes = std::to_string(log.entries.size()) + "\n";
  for (const std::string& e : log.entries) {
    bytes += '"';
    for (char c : e) bytes += static_cast<char>(c ^ script::kScrambleKey);
    bytes += '"';
  }
  platform::write_player_file(name, bytes.data(), bytes.size());
}

}  // namespace

void load_global_variables() {
  platform::FileHandle f = open_player_file(kGlobalFile);
  for (int i = interp::kLocalVariableCount; i < interp::kVariableCount; ++i) {
    interp::NumericVariables[i] = f ? read_int(f) : 0;
    std::string text;
    if (f) {
      int c;
      while ((c = platform::read_byte(f)) >= 0 && c != 0)
        if (text.size() < kGlobalTextLimit) text += static_cast<char>(c);
    }
    interp::set_string_variable(i, text);
  }
}

void load_logs() {
  if (label_log_saving) read_log(LabelLog, kLabelLogFile);
  if (file_log_saving) read_log(FileLog, kFileLogFile);
}

void open_read_text_record() {
  ReadTextBitmap.assign(static_cast<size_t>(script::scenario_length / 8), 0);
  if (ReadTextBitmap.empty()) return;
  // A shorter file leaves the rest unread.
  if (platform::FileHandle f = open_player_file(kReadTextFile))
    platform::read_bytes(f, ReadTextBitmap.data(), ReadTextBitmap.size());
}

void save_persistent_records() {
  if (!ReadTextBitmap.empty()) platform::write_player_file(kReadTextFile, ReadTextBitmap.data(), ReadTextBitmap.size());
  if (global_saving) {
    std::string bytes;
    bytes.reserve(interp::kVariableCount * 5);
    for (int i = interp::kLocalVariableCount; i < interp::kVariableCount; ++i) {
      uint32_t v = static_cast<uint32_t>(interp::NumericVariables[i]);
      char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                   static_cast<char>(v >> 24)};
      bytes.append(b, 4);
      bytes.append(interp::StringVariables[i].c_str());
      bytes += '\0';
    }
    platform::write_player_file(kGlobalFile, bytes.data(), bytes.size());
  }
  if (persistent_hooks.write_environment) persistent_hooks.write_environment();
  if (file_log_saving) write_log(FileLog, kFileLogFile);
  if (label_log_saving) write_log(LabelLog, kLabelLogFile);
}

void mark_read_text(int32_t p) {
  size_t length = ReadTextBitmap.size();
  if (length == 0) return;
  size_t i = static_cast<uint32_t>(p) / 8;
  if (i >= length) {
    if (text::read_skip_only) text::skip_mode = 0;
    return;
  }
  uint8_t mask = static_cast<uint8_t>(1u << (p & 7));
  if (text::read_skip_only && !(ReadTextBitmap[i] & mask)) text::skip_mode = 0;
  ReadTextBitmap[i] |= mask;
}

int read_state_here() {
  if (ReadTextBitmap.empty()) return -1;
  size_t i = static_cast<uint32_t>(interp::ScriptPosition) / 8;
  if (i >= ReadTextBitmap.size()) return 0;
  return (ReadTextBitmap[i] >> (interp::ScriptPosition & 7)) & 1;
}

void reset_persistent_flags() {
  global_saving = label_log_saving = file_log_saving = false;
  std::vector<uint8_t>().swap(ReadTextBitmap);
}

void cmd_globalon() { global_saving = true; }
void cmd_labellog() { label_log_saving = true; }
void cmd_filelog() {
  file_log_saving = true;
  graphics::loader_settings.file_log = true;
}
void cmd_kidokuskip() { open_read_text_record(); }

}  // namespace save
