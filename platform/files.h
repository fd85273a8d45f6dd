// platform/files: scenario file names to paths on disk, and small file helpers.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Maps a file name written in a scenario (Shift-JIS, '\' or '/' separators,
// case-insensitive as on the original system) to a path relative to the
// current folder (the game folder). Each path component is matched against
// the folder's entries without regard to ASCII case; a component that
// matches nothing is kept as written, so the result names the file to
// create when it does not exist yet.
std::string game_path(std::string_view sjis_name);

// True when the scenario-named file exists as a regular file.
bool game_file_exists(std::string_view sjis_name);

// The names of the entries of a folder (UTF-8, no "." and ".."), sorted;
// empty when it cannot be read. With `folders` only subfolders, else only
// regular files.
std::vector<std::string> folder_entries(const std::string& path, bool folders);

// Reads at most `limit` bytes of the file at `path` into `out`. False when
// the file cannot be opened (out is then empty); a longer file gives its
// first `limit` bytes and sets `truncated`.
bool read_file_prefix(const std::string& path, size_t limit, std::string& out, bool* truncated = nullptr);

}  // namespace platform
