#include "platform/lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
int lock_fd = -1;
}

std::string instance_lock_path(const std::string& game_folder) {
  char resolved[PATH_MAX];
  std::string key = realpath(game_folder.c_str(), resolved) ? resolved : game_folder;
  // FNV-1a of the real path: the same folder always names the same file.
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : key) {
    h ^= c;
    h *= 1099511628211ull;
  }
  const char* base = std::getenv("TMPDIR");
  char name[64];
  std::snprintf(name, sizeof name, "/orvane-%u-%016llx.lock", static_cast<unsigned>(getuid()),
                static_cast<unsigned long long>(h));
  return std::string(base && *base ? base : "/tmp") + name;
}

bool acquire_instance_lock(const std::string& game_folder) {
  std::string path = instance_lock_path(game_folder);
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return true;  // no place for a lock: do not refuse to play
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  release_instance_lock();
  lock_fd = fd;
  return true;
}

void release_instance_lock() {
  // Closing (not unlocking) leaves a lock shared with a forked process alone.
  if (lock_fd < 0) return;
  close(lock_fd);
  lock_fd = -1;
}

}  // namespace platform
