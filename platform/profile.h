// platform/profile: profile-file ("ini") lookups as the Windows profile-string service does them.
#pragma once
#include <string>
#include <string_view>

namespace platform {

// The longest value a lookup returns, in bytes (a 256-byte buffer with its NUL).
constexpr size_t kProfileValueMax = 255;

// Looks up `key` in `section` of profile text: sections and keys match
// without regard to ASCII case, blanks around names and values are trimmed,
// one pair of matching quotes around a value is dropped, lines starting with
// ';' are comments. The first matching section and the first matching key in
// it win. Missing section or key gives the empty string. With `sjis` set the
// text is Shift-JIS (trail bytes are never case-folded); otherwise it is UTF-8.
// The value is returned whole.
std::string lookup_profile_text(std::string_view text, std::string_view section, std::string_view key, bool sjis);

// Looks `key` of `section` up in the profile file at `path` (a path on disk).
// Only a regular file is read, and only its first kProfileFileMax bytes, so
// that a device or a pipe named by a scenario cannot hang the program.
constexpr size_t kProfileFileMax = 16 * 1024 * 1024;
std::string lookup_profile_file(const std::string& path, std::string_view section, std::string_view key, bool sjis);

// getini: reads `key` of `section` from the profile file named in the
// scenario (Shift-JIS; a bare name is looked up in the game folder). All
// arguments and the result are Shift-JIS. A missing file gives "". The value
// is cut to kProfileValueMax bytes, never inside a double-byte character.
std::string read_profile_string(std::string_view file, std::string_view section, std::string_view key);

}  // namespace platform
