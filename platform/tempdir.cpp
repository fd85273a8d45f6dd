#include "platform/tempdir.h"

#include <cstdlib>
#include <filesystem>

namespace platform {

namespace {
std::string folder;
bool made = false;
}  // namespace

const std::string& temp_folder() {
  if (!made) {
    made = true;
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/orvane-XXXXXX";
    if (char* p = mkdtemp(pattern.data())) folder = std::string(p) + "/";
  }
  return folder;
}

void remove_file(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

void remove_temp_folder() {
  if (!folder.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    folder.clear();
  }
  made = false;
}

}  // namespace platform
