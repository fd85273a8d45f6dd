// platform/file_write: whole small files read with a size limit and written atomically.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Replaces the file at `path` with `bytes` so that a reader (or a crash, or
// a power cut) sees either the old file or the new one, never a mixture:
// the bytes go to a temporary name in the same folder, are flushed to the
// disk, and the temporary file is renamed over `path`. False on any
// failure; the old file is then left as it was and no temporary file stays.
bool write_file_atomically(const std::string& path, std::string_view bytes);

// Reads at most `limit` bytes of the file at `path` into `out`. False when
// the file cannot be opened (out is then empty); a longer file gives its
// first `limit` bytes and sets `truncated`.
bool read_file_prefix(const std::string& path, size_t limit, std::string& out, bool* truncated = nullptr);

}  // namespace platform
