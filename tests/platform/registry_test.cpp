#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/registry.h"
#include "platform/sjis.h"

namespace {

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    had_old_ = old != nullptr;
    if (old) old_ = old;
    dir_ = std::filesystem::temp_directory_path() / ("orvane-registry-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_ / "orvane");
    setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
  }
  void TearDown() override {
    if (had_old_)
      setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(dir_);
  }
  void write(const std::string& utf8) { std::ofstream(dir_ / "orvane" / "registry.ini", std::ios::binary) << utf8; }
  std::filesystem::path dir_;
  std::string old_;
  bool had_old_ = false;
};

TEST_F(Registry, FileLivesInTheUserConfigurationFolder) {
  EXPECT_EQ(platform::registry_file_path(), (dir_ / "orvane" / "registry.ini").string());
}

TEST_F(Registry, ReadsValuesUnderKeyPathsAndConvertsToShiftJis) {
  write("[Software\\Maker\\Game]\nInstallDir=/opt/ゲーム\n@=default\n");
  EXPECT_EQ(platform::read_registry_string("software\\maker\\GAME", "installdir"),
            platform::utf8_to_sjis("/opt/ゲーム"));
  EXPECT_EQ(platform::read_registry_string("Software\\Maker\\Game", ""), "default");
}

TEST_F(Registry, MissingFileKeyOrValueGivesEmpty) {
  EXPECT_EQ(platform::read_registry_string("Software\\Maker\\Game", "InstallDir"), "");
  write("[Software\\Maker\\Game]\nInstallDir=x\n");
  EXPECT_EQ(platform::read_registry_string("Software\\Maker", "InstallDir"), "");
  EXPECT_EQ(platform::read_registry_string("Software\\Maker\\Game", "Other"), "");
}

TEST_F(Registry, ValueTooLongForTheBufferGivesEmpty) {
  write("[K]\nfits=" + std::string(255, 'a') + "\nlong=" + std::string(256, 'a') + "\n");
  EXPECT_EQ(platform::read_registry_string("K", "fits"), std::string(255, 'a'));
  EXPECT_EQ(platform::read_registry_string("K", "long"), "");
}

}  // namespace
