// platform/file_io: opening, reading, writing and removing files: a handle for reading or writing in steps, whole
// files with a size limit, and the few questions asked of a path.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Paths here are paths on disk (game_path or player_file_path turn a
// scenario's or the player's file name into one).

enum class OpenMode {
  read,    // an existing file, from its start
  write,   // created, or emptied when it exists
  append,  // created when missing; every write goes to its end
};

// An open file, read or written through a buffer. Closed by close_file or,
// at the latest, when the record goes, so that an error box thrown through a
// test leaves no file open. It can be moved, not copied.
struct FileHandle {
  void* stream = nullptr;
  bool borrowed = false;  // standard output: flushed by close_file, never closed

  FileHandle() = default;
  FileHandle(FileHandle&& other) noexcept;
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle();
  explicit operator bool() const { return stream != nullptr; }
};

// An empty handle when the file cannot be opened; errno tells why.
FileHandle open_file(const std::string& path, OpenMode mode);
// The program's standard output as a handle to write to.
FileHandle standard_output();
// Writes what is buffered and closes; false when buffered bytes could not be
// written. Closing an empty handle does nothing and succeeds.
bool close_file(FileHandle& f);

// Reads up to `size` bytes; fewer at the end of the file or on a fault.
size_t read_bytes(FileHandle& f, void* out, size_t size);
// The next byte (0..255), or -1 at the end of the file or on a fault.
int read_byte(FileHandle& f);
// The next byte without taking it, or -1.
int peek_byte(FileHandle& f);
// Moves to an offset from the file's start; false when it cannot.
bool seek_file(FileHandle& f, int64_t offset);
// The file's length in bytes, the position kept; -1 when it has none (a
// pipe, a device that cannot seek).
int64_t file_size(FileHandle& f);

// False when not every byte could be written.
bool write_bytes(FileHandle& f, const void* data, size_t size);
bool write_text(FileHandle& f, std::string_view text);
// Hands what is buffered to the system, so that the file is complete
// whatever ends the program next.
bool flush_file(FileHandle& f);

// Reads the whole file into `out`. False (out then empty) when it cannot be
// opened or read, or is longer than `limit` bytes.
bool read_whole_file(const std::string& path, size_t limit, std::vector<uint8_t>& out);
// Creates or replaces the file with these bytes, in place (player files
// take write_file_atomically instead). False when it cannot be written.
bool write_whole_file(const std::string& path, const void* data, size_t size);

// Creates an empty file, or empties an existing one. Anything there that is
// no regular file (a folder, a device, a pipe whose open would block) is
// left alone; false then or when the file cannot be made.
bool create_empty_file(const std::string& path);
// Deletes a file (a link itself, not what it points to). A folder is left
// alone; false then or when there is nothing to delete.
bool remove_file(const std::string& path);
// True when something of any kind is at the path.
bool path_exists(const std::string& path);
// Makes the folder and any missing folders above it; false when one of them
// could not be made.
bool make_folders(const std::string& path);

}  // namespace platform
