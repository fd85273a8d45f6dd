#include "save/persistent.h"

#include <cstdio>
#include <string>

#include "graphics/image_tag.h"
#include "interp/readers.h"
#include "interp/variables.h"
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

std::FILE* open_player_file(const char* name) {
  if (!platform::player_file_exists(name)) return nullptr;
  return std::fopen(platform::player_file_path(name).c_str(), "rb");
}

int32_t read_int(std::FILE* f) {
  unsigned char b[4];
  if (std::fread(b, 1, 4, f) != 4) return 0;
  return static_cast<int32_t>(uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24);
}

void read_log(NameLog& log, const char* name) {
  std::FILE* f = open_player_file(name);
  if (!f) return;
  log_clear(log);
  int count = 0;
  if (std::fscanf(f, "%d\n", &count) != 1) count = 0;
  for (int n = 0; n < count && n < kMaxLogEntries; ++n) {
    int c = std::getc(f);  // the opening quote
    if (c == EOF) break;
    std::string entry;
    while ((c = std::getc(f)) != EOF && c != '"')
      if (entry.size() < kLogEntryBuffer - 1) entry += static_cast<char>(c);
    for (size_t i = 0; i < entry.size(); ++i) {
      entry[i] = static_cast<char>(entry[i] ^ script::kScrambleKey);
      if (entry[i] == '\0') {
        entry.resize(i);
        break;
      }
    }
    log_append(log, entry);
    if (c == EOF) break;
  }
  std::fclose(f);
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
  std::FILE* f = open_player_file(kGlobalFile);
  for (int i = interp::kLocalVariableCount; i < interp::kVariableCount; ++i) {
    interp::NumericVariables[i] = f ? read_int(f) : 0;
    std::string text;
    if (f) {
      int c;
      while ((c = std::getc(f)) != EOF && c != 0)
        if (text.size() < kGlobalTextLimit) text += static_cast<char>(c);
    }
    interp::set_string_variable(i, text);
  }
  if (f) std::fclose(f);
}

void load_logs() {
  if (label_log_saving) read_log(LabelLog, kLabelLogFile);
  if (file_log_saving) read_log(FileLog, kFileLogFile);
}

void open_read_text_record() {
  ReadTextBitmap.assign(static_cast<size_t>(script::scenario_length / 8), 0);
  if (ReadTextBitmap.empty()) return;
  if (std::FILE* f = open_player_file(kReadTextFile)) {
    size_t got = std::fread(ReadTextBitmap.data(), 1, ReadTextBitmap.size(), f);
    (void)got;  // a shorter file leaves the rest unread
    std::fclose(f);
  }
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
