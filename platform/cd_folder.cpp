#include "platform/cd_folder.h"

#include <dirent.h>
#include <strings.h>

#include <cstdlib>

#include "platform/files.h"

namespace platform {

namespace {

std::string cd_folder = "cd";

// The track number of an entry named trackNN (then a '.' or the end), or 0.
int track_of(const char* name) {
  if (strncasecmp(name, "track", 5) != 0) return 0;
  const char* p = name + 5;
  if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9') return 0;
  if (p[2] != '.' && p[2] != '\0') return 0;
  return (p[0] - '0') * 10 + (p[1] - '0');
}

// Calls `found` for every track file of the folder; stops when it returns true.
template <typename F>
void each_track(F found) {
  std::string folder = game_path(cd_folder);
  DIR* d = opendir(folder.c_str());
  if (!d) return;
  while (dirent* e = readdir(d)) {
    int n = track_of(e->d_name);
    if (n > 0 && found(n, folder + "/" + e->d_name)) break;
  }
  closedir(d);
}

}  // namespace

void set_cd_folder(const std::string& folder) { cd_folder = folder; }

int cd_track_count() {
  int count = 0;
  each_track([&](int n, const std::string&) {
    if (n > count) count = n;
    return false;
  });
  return count;
}

std::string cd_track_path(int track) {
  std::string path;
  each_track([&](int n, const std::string& p) {
    if (n != track) return false;
    path = p;
    return true;
  });
  return path;
}

}  // namespace platform
