// script/scenario: the scenario in memory (ScriptBuffer) and how it is loaded.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace script {

// 5 MiB: the scenario and its terminating NUL must fit.
constexpr int32_t kScriptCapacity = 5242880;
constexpr int kFileCount = 100;            // 0.txt .. 99.txt
constexpr int32_t kMissingFile = 9999999;  // FileEndTable entry of a file that is absent

// Keys of the two scrambled single-file forms: every byte of orvana.dat is
// XORed with kScrambleKey; byte k of orva_sec.dat with kProtectedKey[k % 5].
// The authoring tool that writes those files uses the same values.
constexpr unsigned char kScrambleKey = 0x5a;
constexpr unsigned char kProtectedKey[5] = {0x4f, 0x72, 0x76, 0x61, 0x6e};

// The whole scenario as one NUL-terminated byte string. Never null: before
// loading it points at an empty string. The interpreter never writes into it.
extern const char* ScriptBuffer;
// Offset of the terminating NUL.
extern int32_t scenario_length;
// Entry N: offset of the LF appended after N.txt, or kMissingFile.
// Filled only when the numbered files are the source.
extern int32_t FileEndTable[kFileCount];
// Changes whenever the buffer is replaced or freed, so that what was
// remembered about positions of an earlier scenario is not reused.
extern uint32_t scenario_generation;
// True when the FileEndTable describes the buffer (numbered files).
extern bool numbered_files;

// What failed while loading or scanning the scenario: the error box's title
// and message (Shift-JIS), and the script position the box names (-1: the
// position as it stands).
struct Failure {
  std::string title;
  std::string message;
  int32_t position = -1;
};

// Reads the scenario from the current folder (0.txt..99.txt, orvana.dat or
// orva_sec.dat) into a fresh buffer. An oversize scenario is a failure
// (the buffer then holds what fitted).
std::optional<Failure> load_scenario();

// The scenario asks for the 800x600 screen: it starts with ";mode800".
bool declares_mode800();

// Replaces the buffer with `text` (plus the NUL) as a scenario without file
// table; for tests and benchmarks. Text longer than the capacity is cut.
void set_scenario_text(std::string_view text);

// Frees the buffer (restart); ScriptBuffer is the empty string afterwards.
void free_scenario();

}  // namespace script
