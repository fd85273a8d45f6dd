// platform/atomic_file: replacing a file's contents so that a crash, a kill or a full disk leaves the old or the new
// file.
#pragma once
#include <cstddef>
#include <functional>
#include <string>

namespace platform {

// Writes `size` bytes to a temporary file beside `path` ("<path>.tmp"),
// flushes it to the disk, renames it over `path` and flushes the folder.
// Until the rename the old file is untouched; on any failure the temporary
// file is removed and false is returned (errno tells why). Every file kept
// for the player goes through here: save files, global variables, the
// read-text record, the logs and the settings file.
bool write_file_atomically(const std::string& path, const void* data, size_t size);

}  // namespace platform

namespace platform {

// Runs `job` (typically a write_file_atomically) on the one writer thread,
// after every job handed over before it, and returns at once: the game
// does not wait for the disk. A job that has not started yet under the same
// key (the file it writes) is replaced by the new one, so a game saving
// faster than the disk writes keeps at most one waiting write per file.
// Whoever reads a file that may have a write pending calls
// finish_background_writes first.
void run_in_background(const std::string& key, std::function<void()> job);
// Waits until every job handed over so far has run.
void finish_background_writes();

}  // namespace platform
