#include "script/labels.h"

#include <string.h>

#include <unordered_map>

#include "interp/error.h"
#include "interp/readers.h"
#include "save/logs.h"
#include "script/scenario.h"

namespace script {

std::vector<LabelEntry> LabelTable;

namespace {

// Name to index into LabelTable; the first label of a name is kept, as a
// search from the start of the table would find it.
std::unordered_map<std::string, int32_t> label_index;

std::string fold_lower(std::string_view name) {
  std::string s(name);
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace

void scan_labels() {
  LabelTable.clear();
  label_index.clear();
  int32_t saved = interp::ScriptPosition;
  int32_t& p = interp::ScriptPosition;
  p = 0;
  while (true) {
    char c = ScriptBuffer[p];
    if (c == '\0') break;
    if (c == '\t' || c == '\n' || c == ' ') {
      ++p;
    } else if (c == '*') {
      std::string name = fold_lower(interp::read_label());
      if (label_index.count(name)) interp::report_errorf("エラー", "ラベル*%sの多重定義です。", name.c_str());
      if (LabelTable.size() >= size_t(kMaxLabels)) interp::report_errorf("エラー", "ラベルが5000を超えました。");
      interp::skip_blanks();
      if (ScriptBuffer[p] == '\n') ++p;
      label_index.emplace(name, static_cast<int32_t>(LabelTable.size()));
      LabelTable.push_back({p, std::move(name)});
    } else {
      // On to the line's LF (or the NUL that ends the script).
      p = static_cast<int32_t>(strchrnul(ScriptBuffer + p, '\n') - ScriptBuffer);
    }
  }
  p = saved;
}

int32_t find_label(std::string_view name) {
  auto it = label_index.find(fold_lower(name));
  return it == label_index.end() ? -1 : LabelTable[it->second].position;
}

void jump_to_label(std::string_view name) {
  int32_t position = find_label(name);
  if (position < 0) {
    std::string as_given(name);
    interp::report_errorf("ラベルエラー", "ラベル*%sは存在しません", as_given.c_str());
  }
  interp::ScriptPosition = position;
  save::log_append(save::LabelLog, fold_lower(name));
}

}  // namespace script
