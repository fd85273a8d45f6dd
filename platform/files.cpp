#include "platform/files.h"

#include <cerrno>

#include <unistd.h>

#include <fcntl.h>

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/sjis.h"

namespace platform {

namespace {

// Finds an entry of `dir` equal to `name` without regard to ASCII case.
// An exact match wins over a case-folded one.
std::string match_component(const std::string& dir, const std::string& name) {
  struct stat st;
  std::string exact = dir.empty() ? name : dir + "/" + name;
  if (lstat(exact.c_str(), &st) == 0) return name;
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return name;
  std::string found = name;
  while (dirent* e = readdir(d)) {
    if (strcasecmp(e->d_name, name.c_str()) == 0) {
      found = e->d_name;
      break;
    }
  }
  closedir(d);
  return found;
}

}  // namespace

std::string game_path(std::string_view sjis_name) {
  std::string utf8 = sjis_to_utf8(sjis_name);
  for (char& c : utf8)
    if (c == '\\') c = '/';
  std::string result;
  size_t start = 0;
  if (!utf8.empty() && utf8[0] == '/') {
    result = "/";
    start = 1;
  }
  while (start <= utf8.size()) {
    size_t end = utf8.find('/', start);
    if (end == std::string::npos) end = utf8.size();
    std::string part = utf8.substr(start, end - start);
    if (!part.empty() && part != ".") {
      std::string dir = result;
      if (dir.size() > 1 && dir.back() == '/') dir.pop_back();
      std::string matched = part == ".." ? part : match_component(dir, part);
      if (!result.empty() && result.back() != '/') result += '/';
      result += matched;
    }
    start = end + 1;
  }
  return result.empty() ? "." : result;
}

bool game_file_exists(std::string_view sjis_name) {
  struct stat st;
  return stat(game_path(sjis_name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::vector<std::string> folder_entries(const std::string& path, bool folders) {
  std::vector<std::string> names;
  DIR* d = opendir(path.empty() ? "." : path.c_str());
  if (!d) return names;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    struct stat st;
    if (stat((path + "/" + name).c_str(), &st) != 0) continue;
    if (folders ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode)) names.push_back(name);
  }
  closedir(d);
  std::sort(names.begin(), names.end());
  return names;
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
