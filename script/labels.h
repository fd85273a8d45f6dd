// script/labels: the label table and jumps to labels.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace script {

constexpr int kMaxLabels = 5000;

struct LabelEntry {
  int32_t position;  // where execution continues
  std::string name;  // lower case, without '*'
};

// In the order the labels appear in the scenario.
extern std::vector<LabelEntry> LabelTable;

// Fills the LabelTable from the whole ScriptBuffer; duplicate labels and more
// than 5000 labels are fatal errors.
void scan_labels();

// The label's position, or -1. `name` is without '*', any case.
int32_t find_label(std::string_view name);

// Sets the ScriptPosition to the label and records it in the label log.
// A missing label is the fatal "ラベルエラー".
void jump_to_label(std::string_view name);

}  // namespace script
