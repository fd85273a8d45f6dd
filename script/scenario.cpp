#include "script/scenario.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/files.h"
#include "platform/sjis.h"

namespace script {

namespace {

// One byte more than the capacity so that the NUL always has room, even in
// the instant before the length check fires.
std::unique_ptr<char[]> storage;
char* buffer = nullptr;
int32_t length = 0;

void start_buffer() {
  ++scenario_generation;
  storage.reset(new char[kScriptCapacity + 1]);
  buffer = storage.get();
  buffer[0] = '\0';
  length = 0;
  ScriptBuffer = buffer;
  scenario_length = 0;
  numbered_files = false;
  for (int32_t& e : FileEndTable) e = kMissingFile;
}

// Appends the LF that ends every file and enforces the size limit; false
// when the scenario is too long (the buffer is then cut and terminated).
bool append_line_feed() {
  buffer[length++] = '\n';
  if (length >= kScriptCapacity) {
    buffer[kScriptCapacity - 1] = '\0';
    scenario_length = kScriptCapacity - 1;
    return false;
  }
  return true;
}

int32_t room() { return kScriptCapacity - 1 - length; }

// Stores bytes at the end of the buffer as far as there is room; false
// when not all of them fitted (the file is then cut there).
bool put_bytes(const unsigned char* bytes, size_t n) {
  size_t fit = n < size_t(room()) ? n : size_t(room());
  std::memcpy(buffer + length, bytes, fit);
  length += static_cast<int32_t>(fit);
  return fit == n;
}

// Reads a numbered file as the C library's text mode does: CR LF becomes LF,
// a Ctrl-Z byte ends the file. At most room() bytes are stored. Runs of
// bytes between CRs are copied whole.
void read_text_file(FILE* f) {
  static const unsigned char cr_byte = '\r';
  unsigned char chunk[65536];
  bool pending_cr = false;
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
    const void* ctrl_z = std::memchr(chunk, 0x1a, got);
    const size_t limit = ctrl_z ? size_t(static_cast<const unsigned char*>(ctrl_z) - chunk) : got;
    size_t i = 0;
    while (i < limit) {
      if (pending_cr) {
        pending_cr = false;
        // A CR not followed by LF stays.
        if (chunk[i] != '\n' && !put_bytes(&cr_byte, 1)) return;
      }
      const void* cr = std::memchr(chunk + i, '\r', limit - i);
      const size_t end = cr ? size_t(static_cast<const unsigned char*>(cr) - chunk) : limit;
      if (!put_bytes(chunk + i, end - i)) return;
      i = end;
      if (i < limit) {
        pending_cr = true;
        ++i;
      }
    }
    if (ctrl_z) break;
  }
  if (pending_cr) put_bytes(&cr_byte, 1);
}

bool load_numbered_files() {
  numbered_files = true;
  for (int n = 0; n < kFileCount; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "%d.txt", n);
    FILE* f = std::fopen(platform::game_path(name).c_str(), "rb");
    if (!f) {
      FileEndTable[n] = kMissingFile;
      continue;
    }
    read_text_file(f);
    std::fclose(f);
    FileEndTable[n] = length;
    if (!append_line_feed()) return false;
  }
  return true;
}

bool load_scrambled(const char* name, const unsigned char* key, int key_length) {
  FILE* f = std::fopen(platform::game_path(name).c_str(), "rb");
  if (!f) return true;
  unsigned char chunk[65536];
  size_t got;
  int64_t k = 0;
  while (room() > 0 && (got = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
    for (size_t i = 0; i < got && room() > 0; ++i, ++k)
      buffer[length++] = static_cast<char>(chunk[i] ^ key[k % key_length]);
  }
  std::fclose(f);
  return append_line_feed();
}

}  // namespace

const char* ScriptBuffer = "";
int32_t scenario_length = 0;
int32_t FileEndTable[kFileCount];
bool numbered_files = false;
uint32_t scenario_generation = 0;

std::optional<Failure> load_scenario() {
  start_buffer();
  bool have_zero = platform::game_file_exists("0.txt");
  bool fitted;
  if (!have_zero && platform::game_file_exists("orva_sec.dat"))
    fitted = load_scrambled("orva_sec.dat", kProtectedKey, 5);
  else if (!have_zero && platform::game_file_exists("orvana.dat"))
    fitted = load_scrambled("orvana.dat", &kScrambleKey, 1);
  else
    fitted = load_numbered_files();
  if (!fitted) return Failure{platform::utf8_to_sjis("エラー"), platform::utf8_to_sjis("シナリオが長すぎます。")};
  buffer[length] = '\0';
  scenario_length = length;
  return std::nullopt;
}

bool declares_mode800() { return scenario_length >= 8 && std::memcmp(ScriptBuffer, ";mode800", 8) == 0; }

void set_scenario_text(std::string_view text) {
  start_buffer();
  size_t n = text.size() < size_t(kScriptCapacity - 1) ? text.size() : size_t(kScriptCapacity - 1);
  std::memcpy(buffer, text.data(), n);
  length = static_cast<int32_t>(n);
  buffer[length] = '\0';
  scenario_length = length;
}

void free_scenario() {
  ++scenario_generation;
  storage.reset();
  buffer = nullptr;
  length = 0;
  ScriptBuffer = "";
  scenario_length = 0;
}

}  // namespace script
