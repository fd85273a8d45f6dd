#include "save/logs.h"

#include "platform/sjis.h"

namespace save {

NameLog LabelLog;
NameLog FileLog;

std::string normalise_log_name(std::string_view name) {
  std::string out(name);
  for (size_t i = 0; i < out.size(); ++i) {
    unsigned char c = out[i];
    if (platform::is_sjis_lead(c)) {
      ++i;  // the trail byte may look like a letter or '\'; leave it alone
    } else if (c >= 'a' && c <= 'z') {
      out[i] = static_cast<char>(c - 'a' + 'A');
    } else if (c == '/') {
      out[i] = '\\';
    }
  }
  return out;
}

bool log_contains(const NameLog& log, std::string_view name) {
  return log.members.count(normalise_log_name(name)) != 0;
}

void log_append(NameLog& log, std::string_view name) {
  if (log.entries.size() >= static_cast<size_t>(kMaxLogEntries)) return;
  std::string n = normalise_log_name(name);
  if (log.members.insert(n).second) log.entries.push_back(std::move(n));
}

void log_clear(NameLog& log) {
  log.entries.clear();
  log.members.clear();
}

}  // namespace save
