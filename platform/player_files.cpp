#include "platform/player_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/atomic_file.h"
#include "platform/calendar.h"
#include "platform/files.h"

namespace platform {

namespace {

enum class Where { undecided, game_folder, fallback };
// Written by the background writer when the game folder refuses a write.
std::atomic<Where> where{Where::undecided};
bool forced_read_only = false;
bool announced = false;

std::string current_folder() {
  char cwd[PATH_MAX];
  return getcwd(cwd, sizeof cwd) ? std::string(cwd) : std::string(".");
}

Where decide() {
  Where w = where.load();
  if (w == Where::undecided) {
    w = (!forced_read_only && ::access(".", W_OK) == 0) ? Where::game_folder : Where::fallback;
    where.store(w);
  }
  return w;
}

bool make_folders(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '/') continue;
    std::string part = path.substr(0, i);
    if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

void announce(const std::string& folder) {
  if (announced) return;
  announced = true;
  std::fprintf(stderr, "orvane: the game folder %s cannot be written; the player's files go to %s\n",
               current_folder().c_str(), folder.c_str());
}

bool write_to_fallback(std::string_view name, const void* data, size_t size) {
  std::string folder = player_fallback_folder();
  announce(folder);
  if (!make_folders(folder)) return false;
  return write_file_atomically(folder + "/" + std::string(name), data, size);
}

}  // namespace

std::string player_fallback_folder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  std::string base;
  if (xdg && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && home[0] ? home : ".") + "/.local/share";
  }
  std::string folder = current_folder();
  std::string leaf = folder.substr(folder.rfind('/') + 1);
  std::string clean;
  for (char c : leaf) clean += (c == '.' && clean.empty()) ? '_' : c;
  if (clean.empty()) clean = "game";
  uint32_t hash = 2166136261u;  // FNV-1a: two games of the same folder name stay apart
  for (unsigned char c : folder) hash = (hash ^ c) * 16777619u;
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "-%08x", hash);
  return base + "/orvane/" + clean + suffix;
}

std::string player_file_path(std::string_view name) {
  finish_background_writes();
  if (decide() == Where::fallback) {
    std::string there = player_fallback_folder() + "/" + std::string(name);
    struct stat st;
    if (::stat(there.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return there;
  }
  return game_path(name);
}

bool player_file_exists(std::string_view name) {
  struct stat st;
  return ::stat(player_file_path(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool player_file_time(std::string_view name, LocalTime& out) {
  struct stat st;
  if (::stat(player_file_path(name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  struct tm t;
  time_t when = st.st_mtime;
  if (!localtime_r(&when, &t)) return false;
  out = LocalTime{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
  return true;
}

void write_player_file(std::string_view name, const void* data, size_t size) {
  decide();
  run_in_background(std::string(name),
                    [name = std::string(name), bytes = std::string(static_cast<const char*>(data), size)] {
                      if (where.load() == Where::fallback) {
                        write_to_fallback(name, bytes.data(), bytes.size());
                        return;
                      }
                      if (write_file_atomically(game_path(name), bytes.data(), bytes.size())) return;
                      if (errno != EACCES && errno != EROFS && errno != EPERM) return;
                      where.store(Where::fallback);  // the folder turned out to be read-only
                      write_to_fallback(name, bytes.data(), bytes.size());
                    });
}

void finish_player_file_writes() { finish_background_writes(); }

void reset_player_files(bool read_only) {
  finish_background_writes();
  where.store(Where::undecided);
  forced_read_only = read_only;
  announced = false;
}

}  // namespace platform
