#include "platform/lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
int lock_fd = -1;
pid_t lock_owner = 0;  // the process that took the lock (a fork shares the descriptor)
std::string lock_path;

// Whether the path still names the file open on fd: a holder that was
// ending may have removed it between our open and our lock.
bool names_open_file(const std::string& path, int fd) {
  struct stat on_disk, open_file;
  return stat(path.c_str(), &on_disk) == 0 && fstat(fd, &open_file) == 0 && on_disk.st_dev == open_file.st_dev &&
         on_disk.st_ino == open_file.st_ino;
}
}  // namespace

std::string instance_lock_path(const std::string& game_folder) {
  char resolved[PATH_MAX];
  std::string key = realpath(game_folder.c_str(), resolved) ? resolved : game_folder;
  // FNV-1a of the real path: the same folder always names the same file.
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : key) {
    h ^= c;
    h *= 1099511628211ull;
  }
  const char* base = std::getenv("XDG_RUNTIME_DIR");
  if (!base || !*base) base = std::getenv("TMPDIR");
  char name[64];
  std::snprintf(name, sizeof name, "/orvane-%u-%016llx.lock", static_cast<unsigned>(getuid()),
                static_cast<unsigned long long>(h));
  return std::string(base && *base ? base : "/tmp") + name;
}

bool acquire_instance_lock(const std::string& game_folder) {
  std::string path = instance_lock_path(game_folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;  // no place for a lock: do not refuse to play
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      close(fd);
      return false;
    }
    if (!names_open_file(path, fd)) {
      close(fd);  // locked a file its holder removed on the way out: take the new one
      continue;
    }
    release_instance_lock();
    lock_fd = fd;
    lock_owner = getpid();
    lock_path = path;
    return true;
  }
  return true;
}

void release_instance_lock() {
  if (lock_fd < 0) return;
  // Only the process that took the lock removes the file, while it still
  // holds it; closing (not unlocking) leaves a lock shared with a forked
  // process alone.
  if (lock_owner == getpid() && names_open_file(lock_path, lock_fd)) unlink(lock_path.c_str());
  close(lock_fd);
  lock_fd = -1;
}

}  // namespace platform
