// interp/variables: numeric and string variables, arrays, aliases and limits.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace interp {

constexpr int kVariableCount = 4096;
constexpr int kLocalVariableCount = 200;  // 0..199 are cleared at every reset
constexpr int kMaxDimensions = 20;
constexpr int kMaxArrays = 4096;
constexpr int kMaxAliases = 4096;

extern int32_t NumericVariables[kVariableCount];
extern std::string StringVariables[kVariableCount];

// Checked access: a variable number outside 0..4095 is an error box.
int32_t& numeric_variable(int32_t n);
std::string& string_variable(int32_t n);

void set_string_variable(int32_t n, std::string_view text);
void append_string_variable(int32_t n, std::string_view text);

// Clamps every limited numeric variable (only those with a limit are visited).
void apply_intlimits();
// intlimit: max -1 removes the limit.
void set_intlimit(int32_t n, int32_t min, int32_t max);

struct ArrayReference {
  int32_t number = 0;
  int count = 0;                       // indices read
  int32_t index[kMaxDimensions] = {};  // the indices, in order
};

// Array element access for mode-1 references (bounds already checked by the
// reader); reports an error for an undeclared array.
int32_t& array_element(const ArrayReference& ref);

// Clears variables 0..199 (numbers to 0, strings to empty).
void clear_local_variables();
// Forgets arrays, aliases and limits and clears every variable (restart).
void reset_variable_tables();

}  // namespace interp
