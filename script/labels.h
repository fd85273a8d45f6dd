// script/labels: the label table and jumps to labels.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/scenario.h"

namespace script {

constexpr int kMaxLabels = 5000;

struct LabelEntry {
  int32_t position;  // where execution continues
  std::string name;  // lower case, without '*'
};

// In the order the labels appear in the scenario.
extern std::vector<LabelEntry> LabelTable;

// Fills the LabelTable from the whole ScriptBuffer; a duplicate label, more
// than 5000 labels or an overlong name is a failure (at the label).
std::optional<Failure> scan_labels();

// The label's position, or -1. `name` is without '*', any case.
int32_t find_label(std::string_view name);

// The name with ASCII letters in lower case, as labels are stored.
std::string fold_lower(std::string_view name);

// Empties the label table.
void reset_labels();

}  // namespace script
