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
// Largest array (elements) a scenario may declare: 64 MiB of storage.
constexpr int64_t kMaxArrayElements = 16 * 1024 * 1024;

extern int32_t NumericVariables[kVariableCount];
extern std::string StringVariables[kVariableCount];

// Checked access: a variable number outside 0..4095 is an error box.
[[noreturn]] void report_variable_number(int32_t n);
inline int32_t& numeric_variable(int32_t n) {
  if (n < 0 || n >= kVariableCount) report_variable_number(n);
  return NumericVariables[n];
}
inline std::string& string_variable(int32_t n) {
  if (n < 0 || n >= kVariableCount) report_variable_number(n);
  return StringVariables[n];
}

void set_string_variable(int32_t n, std::string_view text);
void append_string_variable(int32_t n, std::string_view text);

// Clamps every limited numeric variable (only those with a limit are visited).
extern int limited_variable_count;
void clamp_limited_variables();
inline void apply_intlimits() {
  if (limited_variable_count != 0) clamp_limited_variables();
}
// intlimit: max -1 removes the limit.
void set_intlimit(int32_t n, int32_t min, int32_t max);

struct ArrayReference {
  int32_t number = 0;
  int count = 0;                       // indices read
  int32_t index[kMaxDimensions] = {};  // the indices, in order
};

// A declared array: zero-filled elements stored row-major.
struct ArrayRecord {
  int32_t* data = nullptr;
  int32_t element_count = 0;
  int dimension_count = 0;
  int32_t number = 0;
  int32_t maximum[kMaxDimensions] = {};
};

// The array declared with `number`, or null.
ArrayRecord* find_array(int32_t number);
// The declared arrays in declaration order (save files hold their elements).
int array_count();
ArrayRecord& array_at(int i);
// Declares an array with the given maxima (each dimension has max+1 elements).
// Reports duplicates, too many arrays, bad sizes.
void declare_array(int32_t number, const int32_t* maxima, int dimension_count);
// Offset of an element in the array's data; the indices are checked.
int32_t flat_index(const ArrayRecord& array, const int32_t* index, int count);

// Array element access for mode-1 references (bounds already checked by the
// reader); reports an error for an undeclared array.
int32_t& array_element(const ArrayReference& ref);

// Aliases (declared by numalias / stralias). Lookups are by exact name.
const int32_t* find_num_alias(std::string_view name);
const std::string* find_str_alias(std::string_view name);
int num_alias_count();
int str_alias_count();
// Appends an alias; the caller checks fullness and duplicates first.
void add_num_alias(std::string_view name, int32_t value);
void add_str_alias(std::string_view name, std::string_view value);

// Clears variables 0..199 (numbers to 0, strings to empty).
void clear_local_variables();
// Forgets arrays, aliases and limits and clears every variable (restart).
void reset_variable_tables();

// Commands: dim ?n[m1]..., movl ?n[i]..., x0, ..., intlimit n, min, max.
void cmd_dim();
void cmd_movl();
void cmd_intlimit();

}  // namespace interp
