#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

// Each folder includes only its own headers and those of the folders below
// it, the same list CMakeLists.txt links (a call in the wrong direction
// already fails to link; this also catches a header-only use).
namespace {

const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"platform", {"platform"}},
    {"script", {"script", "platform"}},
    {"interp", {"interp", "script", "platform"}},
    {"text", {"text", "interp", "script", "platform"}},
    {"graphics", {"graphics", "text", "interp", "script", "platform"}},
    {"save", {"save", "graphics", "text", "interp", "script", "platform"}},
    {"sound", {"sound", "graphics", "text", "interp", "script", "platform"}},
    {"ui", {"ui", "graphics", "text", "interp", "script", "platform"}},
    {"app", {"app", "ui", "sound", "graphics", "text", "save", "interp", "script", "platform"}},
};

const std::set<std::string> kSourceFolders = {"platform", "script", "interp", "text", "graphics",
                                              "save",     "app",    "ui",     "sound"};

}  // namespace

TEST(Layers, EveryIncludePointsDown) {
  namespace fs = std::filesystem;
  int files = 0;
  for (const std::string& folder : kSourceFolders) {
    fs::path dir = fs::path(ORVANE_SOURCE_DIR) / folder;
    if (!fs::is_directory(dir)) continue;
    auto allowed = kMayInclude.find(folder);
    ASSERT_NE(allowed, kMayInclude.end()) << folder << "/ is not in the list of layers";
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
      std::string ext = e.path().extension();
      if (ext != ".cpp" && ext != ".h" && ext != ".inc") continue;
      ++files;
      std::ifstream in(e.path());
      std::string line;
      while (std::getline(in, line)) {
        if (line.rfind("#include \"", 0) != 0) continue;
        size_t slash = line.find('/', 10);
        if (slash == std::string::npos) continue;  // a file of the same folder
        std::string target = line.substr(10, slash - 10);
        EXPECT_TRUE(allowed->second.count(target)) << e.path().string() << ": " << line;
      }
    }
  }
  EXPECT_GT(files, 100);
}
