// platform/lock: one running copy per game folder (a lock file held with flock).
#pragma once
#include <string>

namespace platform {

// Takes the lock that belongs to the game folder (by its real path); false
// when another process holds it. The lock file lives in $XDG_RUNTIME_DIR
// (or $TMPDIR, or /tmp) so read-only game folders work; the lock goes with
// the process, and the file with it when the process releases the lock.
bool acquire_instance_lock(const std::string& game_folder);
void release_instance_lock();

// The lock file's path for a folder (tests).
std::string instance_lock_path(const std::string& game_folder);

}  // namespace platform
