// platform/player_files: where the files kept for the player live: the game folder, or a per-game folder when it is
// read-only.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The file `name` (a fixed name such as "save1.dat" or "gloval.sav") to
// read: when the game folder cannot be written, the copy in the per-game
// folder if there is one; otherwise the game folder's file, matched
// without regard to ASCII case.
std::string player_file_path(std::string_view name);
bool player_file_exists(std::string_view name);

// The local time of the file's last change; false when it does not exist.
struct LocalTime;
bool player_file_time(std::string_view name, LocalTime& out);

// Replaces the file's contents atomically (write_file_atomically) in the
// game folder, or in the per-game folder when the game folder cannot be
// written (which is said once on standard error). The bytes are copied and
// written by the background writer, so the game does not wait for the
// disk; a file that can be written nowhere keeps its old contents. The
// functions above wait for pending writes before they look at a file.
void write_player_file(std::string_view name, const void* data, size_t size);
// Waits until every file handed to write_player_file is on the disk.
void finish_player_file_writes();

// The per-game folder: $XDG_DATA_HOME/orvane/<folder name>-<hash of the
// folder's absolute path>, $XDG_DATA_HOME defaulting to ~/.local/share.
std::string player_fallback_folder();

// Forgets where the files go (the game folder is looked at again on the
// next use). `read_only` makes the game folder count as read-only whatever
// its permissions say (a superuser can write anywhere).
void reset_player_files(bool read_only = false);

}  // namespace platform
