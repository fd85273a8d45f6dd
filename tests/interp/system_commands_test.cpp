#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "interp/system_commands.h"
#include "interp/variables.h"
#include "platform/calendar.h"
#include "platform/clock.h"
#include "platform/sjis.h"
#include "tests/support/game_folder.h"
#include "tests/support/script_fixture.h"

using testsupport::fatal_of;
using testsupport::load_script;
using namespace interp;
namespace fs = std::filesystem;

namespace {

// Runs commands with a fresh game folder as the current folder.
class InGameFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = fs::current_path();
    fs::current_path(folder_.path());
  }
  void TearDown() override { fs::current_path(old_); }
  testsupport::GameFolder folder_;
  fs::path old_;
};

}  // namespace

TEST(DateTime, TwoDigitYearAndClockFields) {
  load_script("%0, %1, %2 %3,%4 ,  %5");
  cmd_date();
  cmd_time();
  platform::LocalTime now = platform::local_time();
  EXPECT_EQ(NumericVariables[0], now.year % 100);
  EXPECT_EQ(NumericVariables[1], now.month);
  EXPECT_EQ(NumericVariables[2], now.day);
  int then = NumericVariables[3] * 3600 + NumericVariables[4] * 60 + NumericVariables[5];
  int seconds = now.hour * 3600 + now.minute * 60 + now.second;
  EXPECT_LE(seconds - then, 1);
  EXPECT_GE(seconds - then, 0);
}

TEST(DateTime, EachArgumentHasItsOwnMessage) {
  EXPECT_EQ(fatal_of([] {
              load_script("$0, %1, %2");
              cmd_date();
            }),
            "構文エラー|dateの第一引数は数字変数です。");
  EXPECT_EQ(fatal_of([] {
              load_script("%0, 1, %2");
              cmd_date();
            }),
            "構文エラー|dateの第ニ引数は数字変数です。");
  EXPECT_EQ(fatal_of([] {
              load_script("%0, %1, $2");
              cmd_date();
            }),
            "構文エラー|dateの第三引数は数字変数です。");
  EXPECT_EQ(fatal_of([] {
              load_script("0, %1, %2");
              cmd_time();
            }),
            "構文エラー|timeの第一引数は数字変数です。");
  EXPECT_EQ(fatal_of([] {
              load_script("%0, $1, %2");
              cmd_time();
            }),
            "構文エラー|timeの第ニ引数は数字変数です。");
  EXPECT_EQ(fatal_of([] {
              load_script("%0, %1, 2");
              cmd_time();
            }),
            "構文エラー|timeの第三引数は数字変数です。");
}

TEST(GetVersion, TwoHundred) {
  load_script("%7");
  cmd_getversion();
  EXPECT_EQ(NumericVariables[7], 200);
  EXPECT_EQ(fatal_of([] {
              load_script("$7");
              cmd_getversion();
            }),
            "構文エラー|getversionの第一引数は数字変数です。");
}

TEST_F(InGameFolder, GetIniIgnoresCaseOfFileSectionAndKey) {
  folder_.write_text("Setup.Ini", "[Main]\r\nPlayerName = 太郎\r\n");
  load_script("$1, \"SETUP.INI\", \"main\", \"PLAYERNAME\"");
  cmd_getini();
  EXPECT_EQ(StringVariables[1], platform::utf8_to_sjis("太郎"));
  load_script("$1, \"setup.ini\", \"Main\", \"Missing\"");
  StringVariables[1] = "old";
  cmd_getini();
  EXPECT_EQ(StringVariables[1], "");
  EXPECT_EQ(fatal_of([] {
              load_script("%1, \"a\", \"b\", \"c\"");
              cmd_getini();
            }),
            "構文エラー|getiniの第一引数は文字変数です。");
}

TEST_F(InGameFolder, GetRegReadsTheEmulatedHive) {
  fs::create_directories(folder_.path() + "/config/orvane");
  std::ofstream(folder_.path() + "/config/orvane/registry.ini") << "[Software\\Maker\\Game]\nInstallDir=C:\\ゲーム\n";
  std::string old = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  setenv("XDG_CONFIG_HOME", (folder_.path() + "/config").c_str(), 1);
  load_script("$0, \"software\\maker\\game\", \"installdir\"");
  cmd_getreg();
  load_script("$0, \"software\\maker\\game\", \"installdir\" $1, \"Software\\Maker\", \"InstallDir\"");
  cmd_getreg();
  cmd_getreg();
  if (old.empty())
    unsetenv("XDG_CONFIG_HOME");
  else
    setenv("XDG_CONFIG_HOME", old.c_str(), 1);
  EXPECT_EQ(StringVariables[0], platform::utf8_to_sjis("C:\\ゲーム"));
  EXPECT_EQ(StringVariables[1], "");
  EXPECT_EQ(fatal_of([] {
              load_script("%0, \"a\", \"b\"");
              cmd_getreg();
            }),
            "構文エラー|getregの第一引数は文字変数です。");
}

TEST_F(InGameFolder, WinexecWithWaitReturnsAfterTheProgramEnds) {
  load_script("\"sleep 0.3; echo done > finished.txt\", 1");
  uint32_t start = platform::clock_ms();
  cmd_winexec();
  EXPECT_GE(platform::clock_ms() - start, 250u);
  EXPECT_EQ(folder_.read_file("finished.txt"), "done\n");
}

TEST_F(InGameFolder, WinexecWithoutWaitReturnsAtOnce) {
  load_script("\"sleep 0.3; echo done > finished.txt\", 0");
  uint32_t start = platform::clock_ms();
  cmd_winexec();
  EXPECT_LT(platform::clock_ms() - start, 250u);
  EXPECT_FALSE(folder_.exists("finished.txt"));
  for (int i = 0; i < 300 && folder_.read_file("finished.txt").empty(); ++i) usleep(10000);
  EXPECT_EQ(folder_.read_file("finished.txt"), "done\n");
}

TEST_F(InGameFolder, FileCreateEmptiesAndFileRemoveIgnoresMissing) {
  folder_.write_text("Data/Flag.txt", "old contents");
  load_script("\"data\\flag.TXT\" \"new.dat\"");
  cmd_filecreate();
  cmd_filecreate();
  EXPECT_TRUE(folder_.exists("Data/Flag.txt"));
  EXPECT_EQ(folder_.read_file("Data/Flag.txt"), "");
  EXPECT_TRUE(folder_.exists("new.dat"));
  load_script("\"DATA\\FLAG.txt\" \"missing.txt\" \"data\"");
  cmd_fileremove();
  cmd_fileremove();
  cmd_fileremove();
  EXPECT_FALSE(folder_.exists("Data/Flag.txt"));
  EXPECT_TRUE(folder_.exists("Data"));
}

TEST_F(InGameFolder, FileCreateLeavesPipesAndFoldersAlone) {
  ASSERT_EQ(mkfifo("pipe", 0600), 0);
  fs::create_directory("folder");
  load_script("\"pipe\" \"folder\"");
  cmd_filecreate();  // would block in the open
  cmd_filecreate();
  EXPECT_TRUE(fs::is_fifo("pipe"));
  EXPECT_TRUE(fs::is_directory("folder"));
}
