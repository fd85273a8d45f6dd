#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
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

// Headers of the system and its libraries: only platform/ includes them.
const std::regex kSystemHeader(
    R"(^#include <(unistd\.h|fcntl\.h|dirent\.h|dlfcn\.h|iconv\.h|sys/.*|fstream|filesystem|jpeglib\.h|png\.h|)"
    R"(SDL.*|ft2build\.h|fontconfig/.*|libav.*|libsw.*)>)");
// Calls that open, find or remove files: only platform/ makes them.
const std::regex kFileCall(
    R"((^|[^A-Za-z0-9_.>])(std::|::)?(fopen|freopen|fdopen|tmpfile|opendir|readdir|stat|lstat|unlink|access|rename|)"
    R"(mkdir|mkdtemp|mkstemp|rmdir|chdir|getcwd)\s*\()"
    // std::remove of a file takes one argument, the algorithm three.
    R"(|std::(ifstream|ofstream|fstream|filesystem)\b|(std)?::remove\([^,]*\)\s*;)");

}  // namespace

// Files are opened, read, written and removed through platform/file_io (and
// the system's other services through the rest of platform/), so that every
// other folder works on names and bytes.
TEST(Layers, OnlyPlatformTalksToTheFileSystem) {
  namespace fs = std::filesystem;
  int files = 0;
  for (const std::string& folder : kSourceFolders) {
    if (folder == "platform") continue;
    fs::path dir = fs::path(ORVANE_SOURCE_DIR) / folder;
    if (!fs::is_directory(dir)) continue;
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
      std::string ext = e.path().extension();
      if (ext != ".cpp" && ext != ".h" && ext != ".inc") continue;
      ++files;
      std::ifstream in(e.path());
      std::string line;
      while (std::getline(in, line)) {
        std::string code = line.substr(0, line.find("//"));
        EXPECT_FALSE(std::regex_search(code, kSystemHeader)) << e.path().string() << ": " << line;
        EXPECT_FALSE(std::regex_search(code, kFileCall)) << e.path().string() << ": " << line;
      }
    }
  }
  EXPECT_GT(files, 100);
}

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
