#include "platform/profile.h"

#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "platform/sjis.h"

namespace platform {

namespace {

bool is_profile_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_profile_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_profile_blank(s.back())) s.remove_suffix(1);
  return s;
}

char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares two names without regard to ASCII case. In Shift-JIS the second
// byte of a double-byte character may be an ASCII letter; it is compared
// exactly, as the system's own comparison does.
bool names_equal(std::string_view a, std::string_view b, bool sjis) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (sjis && is_sjis_lead(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

std::string_view strip_quotes(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

// Cuts Shift-JIS text to at most `max` bytes without splitting a character.
std::string cut_sjis(std::string_view s, size_t max) {
  size_t end = 0;
  while (end < s.size()) {
    size_t step = is_sjis_lead(static_cast<unsigned char>(s[end])) && end + 1 < s.size() ? 2 : 1;
    if (end + step > max) break;
    end += step;
  }
  return std::string(s.substr(0, end));
}

}  // namespace

std::string lookup_profile_text(std::string_view text, std::string_view section, std::string_view key, bool sjis) {
  section = trim(section);
  key = trim(key);
  if (text.substr(0, 3) == "\xef\xbb\xbf") text.remove_prefix(3);
  bool in_section = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      size_t close = line.rfind(']');
      if (close == std::string_view::npos) continue;
      // Only the first section of a name counts; a later one of the same
      // name is not merged into it.
      if (in_section) return "";
      in_section = names_equal(trim(line.substr(1, close - 1)), section, sjis);
      continue;
    }
    if (!in_section) continue;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    if (names_equal(trim(line.substr(0, eq)), key, sjis)) {
      // The value is a C string for the scenario: it ends at a NUL byte.
      std::string_view value = strip_quotes(trim(line.substr(eq + 1)));
      return std::string(value.substr(0, value.find('\0')));
    }
  }
  return "";
}

std::string lookup_profile_file(const std::string& path, std::string_view section, std::string_view key, bool sjis) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return "";
  std::ifstream in(path, std::ios::binary);
  if (!in) return "";
  uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return "";
  std::string text(size < kProfileFileMax ? size : kProfileFileMax, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(in.gcount()));
  return lookup_profile_text(text, section, key, sjis);
}

std::string read_profile_string(std::string_view file, std::string_view section, std::string_view key) {
  return cut_sjis(lookup_profile_file(game_path(file), section, key, true), kProfileValueMax);
}

}  // namespace platform
