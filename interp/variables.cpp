#include "interp/variables.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "interp/error.h"
#include "interp/readers.h"

namespace interp {

int32_t NumericVariables[kVariableCount];
std::string StringVariables[kVariableCount];

namespace {

// IntLimitTable: -1 as maximum means "not limited". The list of limited
// variables lets apply_intlimits visit only those.
int32_t limit_max[kVariableCount];
int32_t limit_min[kVariableCount];
bool limits_ready = false;
std::vector<int32_t> limited;

void ensure_limits() {
  if (limits_ready) return;
  std::fill(std::begin(limit_max), std::end(limit_max), -1);
  std::fill(std::begin(limit_min), std::end(limit_min), -1);
  limits_ready = true;
}

// ArrayTable in declaration order, with a map from array number to record.
struct OwnedArray {
  ArrayRecord record;
  std::unique_ptr<int32_t[]> storage;
};
std::vector<std::unique_ptr<OwnedArray>> arrays;
std::unordered_map<int32_t, ArrayRecord*> array_by_number;

struct NumAlias {
  std::string name;
  int32_t value;
};
struct StrAlias {
  std::string name;
  std::string value;
};
std::vector<NumAlias> num_aliases;
std::vector<StrAlias> str_aliases;
std::unordered_map<std::string, size_t> num_alias_index;
std::unordered_map<std::string, size_t> str_alias_index;

void check_variable_number(int32_t n) {
  if (n < 0 || n >= kVariableCount) report_variable_number(n);
}

}  // namespace

int limited_variable_count = 0;

void report_variable_number(int32_t n) { report_errorf("エラー", "変数番号%dは範囲外です（0～4095）。", n); }

void set_string_variable(int32_t n, std::string_view text) { string_variable(n).assign(text); }

void append_string_variable(int32_t n, std::string_view text) { string_variable(n).append(text); }

void clamp_limited_variables() {
  for (int32_t v : limited) {
    int32_t& x = NumericVariables[v];
    if (x > limit_max[v]) x = limit_max[v];
    if (x < limit_min[v]) x = limit_min[v];
  }
}

void set_intlimit(int32_t n, int32_t min, int32_t max) {
  check_variable_number(n);
  ensure_limits();
  bool was_limited = limit_max[n] != -1;
  limit_min[n] = min;
  limit_max[n] = max;
  bool is_limited = max != -1;
  if (is_limited && !was_limited) limited.push_back(n);
  if (!is_limited && was_limited) limited.erase(std::find(limited.begin(), limited.end(), n));
  limited_variable_count = static_cast<int>(limited.size());
}

int array_count() { return static_cast<int>(arrays.size()); }
ArrayRecord& array_at(int i) { return arrays[static_cast<size_t>(i)]->record; }

ArrayRecord* find_array(int32_t number) {
  auto it = array_by_number.find(number);
  return it == array_by_number.end() ? nullptr : it->second;
}

void declare_array(int32_t number, const int32_t* maxima, int dimension_count) {
  if (find_array(number)) report_errorf("エラー", "配列変数の二重宣言です。");
  if (arrays.size() >= size_t(kMaxArrays)) report_errorf("エラー", "配列変数が多すぎます（最大%d個）。", kMaxArrays);
  if (dimension_count < 1) report_errorf("エラー", "配列の大きさが指定されていません。");
  if (dimension_count > kMaxDimensions)
    report_errorf("エラー", "配列の次元が多すぎます（最大%d次元）。", kMaxDimensions);
  int64_t count = 1;
  for (int k = 0; k < dimension_count; ++k) {
    if (maxima[k] < 0) report_errorf("エラー", "配列の大きさが不正です（第%d次元 最大値%d）。", k + 1, maxima[k]);
    count *= int64_t(maxima[k]) + 1;
    if (count > kMaxArrayElements)
      report_errorf("エラー", "配列が大きすぎます（要素数は最大%d）。", int(kMaxArrayElements));
  }
  auto owned = std::make_unique<OwnedArray>();
  owned->storage.reset(new int32_t[count]());
  ArrayRecord& r = owned->record;
  r.data = owned->storage.get();
  r.element_count = static_cast<int32_t>(count);
  r.dimension_count = dimension_count;
  r.number = number;
  std::copy(maxima, maxima + dimension_count, r.maximum);
  array_by_number.emplace(number, &r);
  arrays.push_back(std::move(owned));
}

int32_t flat_index(const ArrayRecord& array, const int32_t* index, int count) {
  int64_t flat = 0;
  for (int k = 0; k < count && k < array.dimension_count; ++k) {
    if (index[k] < 0) report_errorf("エラー", "配列の添字が負の値です（第%d次元 指定値%d）", k + 1, index[k]);
    if (index[k] > array.maximum[k])
      report_errorf("エラー", "配列の添字が宣言された範囲を超えています（第%d次元 最大値%d 指定値%d）", k + 1,
                    array.maximum[k], index[k]);
    flat = flat * (int64_t(array.maximum[k]) + 1) + index[k];
  }
  // Indices not given (a row reference) count as 0.
  for (int k = count; k < array.dimension_count; ++k) flat *= int64_t(array.maximum[k]) + 1;
  return static_cast<int32_t>(flat);
}

int32_t& array_element(const ArrayReference& ref) {
  ArrayRecord* a = find_array(ref.number);
  if (!a) report_errorf("エラー", "未宣言の配列変数を使いました。");
  if (ref.count != a->dimension_count) report_errorf("エラー", "配列の添字指定が間違っています。");
  return a->data[flat_index(*a, ref.index, ref.count)];
}

const int32_t* find_num_alias(std::string_view name) {
  auto it = num_alias_index.find(std::string(name));
  return it == num_alias_index.end() ? nullptr : &num_aliases[it->second].value;
}

const std::string* find_str_alias(std::string_view name) {
  auto it = str_alias_index.find(std::string(name));
  return it == str_alias_index.end() ? nullptr : &str_aliases[it->second].value;
}

int num_alias_count() { return static_cast<int>(num_aliases.size()); }
int str_alias_count() { return static_cast<int>(str_aliases.size()); }

void add_num_alias(std::string_view name, int32_t value) {
  num_alias_index.emplace(std::string(name), num_aliases.size());  // first one wins
  num_aliases.push_back({std::string(name), value});
}

void add_str_alias(std::string_view name, std::string_view value) {
  str_alias_index.emplace(std::string(name), str_aliases.size());
  str_aliases.push_back({std::string(name), std::string(value)});
}

void clear_local_variables() {
  for (int i = 0; i < kLocalVariableCount; ++i) {
    NumericVariables[i] = 0;
    StringVariables[i].clear();
    StringVariables[i].shrink_to_fit();
  }
}

void reset_variable_tables() {
  for (int i = 0; i < kVariableCount; ++i) {
    NumericVariables[i] = 0;
    std::string().swap(StringVariables[i]);
  }
  limits_ready = false;
  ensure_limits();
  limited.clear();
  limited_variable_count = 0;
  arrays.clear();
  array_by_number.clear();
  num_aliases.clear();
  str_aliases.clear();
  num_alias_index.clear();
  str_alias_index.clear();
}

void cmd_dim() {
  if (skip_blanks() != '?') report_errorf("エラー", "Dim文の第一引数は~数字です。");
  advance();
  ArrayReference ref = read_array_reference(0);
  declare_array(ref.number, ref.index, ref.count);
}

void cmd_movl() {
  if (skip_blanks() != '?') report_errorf("エラー", "movlの第一引数は?数字です。");
  advance();
  ArrayReference ref = read_array_reference(2);
  ArrayRecord* a = find_array(ref.number);
  if (!a) report_errorf("エラー", "未宣言の配列変数を使いました。");
  int32_t base = flat_index(*a, ref.index, ref.count);
  int32_t last_max = a->maximum[a->dimension_count - 1];
  for (int32_t j = 0; j <= last_max; ++j) {
    expect_comma();
    int32_t x = read_number();
    a->data[base + j] = x;
  }
}

void cmd_intlimit() {
  int32_t n = read_number();
  expect_comma();
  int32_t min = read_number();
  expect_comma();
  int32_t max = read_number();
  set_intlimit(n, min, max);
}

}  // namespace interp
