#include "script/labels.h"

#include <string.h>

#include <unordered_map>

#include "platform/sjis.h"
#include "script/scenario.h"

namespace script {

std::vector<LabelEntry> LabelTable;

namespace {

// Name to index into LabelTable; the first label of a name is kept, as a
// search from the start of the table would find it.
std::unordered_map<std::string, int32_t> label_index;

inline bool is_blank(char c) { return c == ' ' || c == '\t'; }

Failure failure(const char* title_utf8, std::string message_sjis, int32_t position) {
  return Failure{platform::utf8_to_sjis(title_utf8), std::move(message_sjis), position};
}

// Reads the name behind a '*' at p as the interpreter reads an identifier:
// blanks, then a letter or '_' and letters, digits and '_', folded to lower
// case, then blanks. A name of 255 characters is too long.
std::optional<Failure> read_label_name(int32_t& p, std::string& name) {
  ++p;
  while (is_blank(ScriptBuffer[p])) ++p;
  while (true) {
    char c = ScriptBuffer[p];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    bool ok = (c >= 'a' && c <= 'z') || c == '_' || (!name.empty() && c >= '0' && c <= '9');
    if (!ok) break;
    name += c;
    ++p;
    if (name.size() == 255) return failure("命令エラー", platform::utf8_to_sjis("長すぎるトークンです:") + name, p);
  }
  while (is_blank(ScriptBuffer[p])) ++p;
  return std::nullopt;
}

}  // namespace

std::string fold_lower(std::string_view name) {
  std::string s(name);
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::optional<Failure> scan_labels() {
  LabelTable.clear();
  label_index.clear();
  int32_t p = 0;
  while (true) {
    char c = ScriptBuffer[p];
    if (c == '\0') break;
    if (c == '\t' || c == '\n' || c == ' ') {
      ++p;
    } else if (c == '*') {
      std::string name;
      if (auto f = read_label_name(p, name)) return f;
      if (label_index.count(name))
        return failure("エラー", platform::utf8_to_sjis("ラベル*") + name + platform::utf8_to_sjis("の多重定義です。"),
                       p);
      if (LabelTable.size() >= size_t(kMaxLabels))
        return failure("エラー", platform::utf8_to_sjis("ラベルが5000を超えました。"), p);
      if (ScriptBuffer[p] == '\n') ++p;
      label_index.emplace(name, static_cast<int32_t>(LabelTable.size()));
      LabelTable.push_back({p, std::move(name)});
    } else {
      // On to the line's LF (or the NUL that ends the script).
      p = static_cast<int32_t>(strchrnul(ScriptBuffer + p, '\n') - ScriptBuffer);
    }
  }
  return std::nullopt;
}

int32_t find_label(std::string_view name) {
  auto it = label_index.find(fold_lower(name));
  return it == label_index.end() ? -1 : LabelTable[it->second].position;
}

void reset_labels() {
  LabelTable.clear();
  label_index.clear();
}

}  // namespace script
