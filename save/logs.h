// save/logs: the label log and the file log (names passed and files shown).
#pragma once
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace save {

// A log of names, kept in the order they were added. Names are stored
// normalised: ASCII letters upper-cased (Shift-JIS trail bytes untouched)
// and '/' turned into '\'. Membership is tested on the normalised form.
struct NameLog {
  std::vector<std::string> entries;
  std::unordered_set<std::string> members;
};

// A log holds at most this many names; later ones are not recorded.
constexpr int kMaxLogEntries = 4000;

extern NameLog LabelLog;
extern NameLog FileLog;

std::string normalise_log_name(std::string_view name);
bool log_contains(const NameLog& log, std::string_view name);
// Appends the normalised name unless it is already present or the log is
// full.
void log_append(NameLog& log, std::string_view name);
void log_clear(NameLog& log);

}  // namespace save
