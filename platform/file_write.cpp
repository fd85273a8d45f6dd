#include "platform/file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// The folder part of a path ("." for a bare name), for syncing the rename.
std::string folder_of(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool write_file_atomically(const std::string& path, std::string_view bytes) {
  // mkstemp makes a fresh name beside the target, so two writers never
  // share a temporary file and the rename stays within one file system.
  std::vector<char> temp(path.begin(), path.end());
  static const char kSuffix[] = ".tmpXXXXXX";
  temp.insert(temp.end(), kSuffix, kSuffix + sizeof kSuffix);  // with the NUL
  int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = write_all(fd, bytes) && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  // mkstemp creates the file private to the user; saved settings are
  // ordinary files.
  if (ok) chmod(temp.data(), 0644);
  if (ok && std::rename(temp.data(), path.c_str()) == 0) {
    int dir = open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
      fsync(dir);
      close(dir);
    }
    return true;
  }
  unlink(temp.data());
  return false;
}

bool read_file_prefix(const std::string& path, size_t limit, std::string& out, bool* truncated) {
  out.clear();
  if (truncated) *truncated = false;
  int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  char buffer[4096];
  while (out.size() < limit) {
    size_t want = std::min(sizeof buffer, limit - out.size());
    ssize_t n = ::read(fd, buffer, want);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    out.append(buffer, static_cast<size_t>(n));
  }
  if (truncated && out.size() == limit) {
    char extra;
    ssize_t n;
    do n = ::read(fd, &extra, 1);
    while (n < 0 && errno == EINTR);
    *truncated = n > 0;
  }
  close(fd);
  return true;
}

}  // namespace platform
