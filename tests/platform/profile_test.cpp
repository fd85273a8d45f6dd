#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/profile.h"
#include "platform/sjis.h"

namespace {

using platform::lookup_profile_text;
using platform::utf8_to_sjis;

const char* const kIni =
    "; settings of the game\r\n"
    "[Game]\r\n"
    "  Title = Orvane Demo  \r\n"
    "Path=\"C:\\games\\demo\"\r\n"
    "quoted='single'\r\n"
    "half=\"open\r\n"
    "Empty=\r\n"
    "novalue\r\n"
    "[ Sound ]\r\n"
    "Volume=80\r\n"
    "[game]\r\n"
    "Later=not seen\r\n";

TEST(ProfileLookup, SectionsAndKeysIgnoreCaseAndBlanks) {
  EXPECT_EQ(lookup_profile_text(kIni, "game", "TITLE", true), "Orvane Demo");
  EXPECT_EQ(lookup_profile_text(kIni, " GAME ", " title ", true), "Orvane Demo");
  EXPECT_EQ(lookup_profile_text(kIni, "sound", "volume", true), "80");
}

TEST(ProfileLookup, MatchingQuotesAreDropped) {
  EXPECT_EQ(lookup_profile_text(kIni, "Game", "Path", true), "C:\\games\\demo");
  EXPECT_EQ(lookup_profile_text(kIni, "Game", "quoted", true), "single");
  EXPECT_EQ(lookup_profile_text(kIni, "Game", "half", true), "\"open");
}

TEST(ProfileLookup, MissingEntriesAreEmpty) {
  EXPECT_EQ(lookup_profile_text(kIni, "Game", "Empty", true), "");
  EXPECT_EQ(lookup_profile_text(kIni, "Game", "novalue", true), "");
  EXPECT_EQ(lookup_profile_text(kIni, "Game", "Volume", true), "");
  EXPECT_EQ(lookup_profile_text(kIni, "Nothing", "Title", true), "");
  EXPECT_EQ(lookup_profile_text("", "Game", "Title", true), "");
  EXPECT_EQ(lookup_profile_text("[Game", "Game", "Title", true), "");
}

TEST(ProfileLookup, OnlyTheFirstSectionOfANameCounts) {
  EXPECT_EQ(lookup_profile_text(kIni, "GAME", "Later", true), "");
}

TEST(ProfileLookup, ShiftJisTrailBytesAreNotCaseFolded) {
  // The second byte of ソ is 0x5c ('\\'), of ア is 0x41 ('A').
  std::string text = utf8_to_sjis("[設定]\nキーア=値ソ\n");
  EXPECT_EQ(lookup_profile_text(text, utf8_to_sjis("設定"), utf8_to_sjis("キーア"), true), utf8_to_sjis("値ソ"));
  // Folding 'A' (0x41) of ア to 'a' would make this match.
  std::string folded = utf8_to_sjis("キー");
  folded += "\x83\x61";
  EXPECT_EQ(lookup_profile_text(text, utf8_to_sjis("設定"), folded, true), "");
}

class ProfileFile : public ::testing::Test {
 protected:
  void SetUp() override {
    old_dir_ = std::filesystem::current_path();
    dir_ = std::filesystem::temp_directory_path() / ("orvane-profile-" + std::to_string(getpid()) + "-" +
                                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_ / "Data");
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    std::filesystem::current_path(old_dir_);
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path old_dir_, dir_;
};

TEST_F(ProfileFile, BareNamesAreFoundInTheGameFolderWhateverTheCase) {
  std::ofstream("Setup.INI") << "[Main]\nName=demo\n";
  std::ofstream("Data/conf.ini") << "[Main]\nName=nested\n";
  EXPECT_EQ(platform::read_profile_string("setup.ini", "main", "name"), "demo");
  EXPECT_EQ(platform::read_profile_string("DATA\\CONF.INI", "MAIN", "NAME"), "nested");
  EXPECT_EQ(platform::read_profile_string("missing.ini", "Main", "Name"), "");
}

TEST_F(ProfileFile, LongValuesAreCutWithoutSplittingACharacter) {
  std::string value(254, 'x');
  value += utf8_to_sjis("漢字");
  std::ofstream("long.ini", std::ios::binary) << "[a]\nb=" << value << "\n";
  std::string got = platform::read_profile_string("long.ini", "a", "b");
  EXPECT_EQ(got, std::string(254, 'x'));
  std::ofstream("long.ini", std::ios::binary) << "[a]\nb=" << std::string(300, 'y') << "\n";
  EXPECT_EQ(platform::read_profile_string("long.ini", "a", "b"), std::string(255, 'y'));
}

TEST_F(ProfileFile, OnlyRegularFilesAreRead) {
  // A pipe would block the open; a device would never end.
  ASSERT_EQ(mkfifo("pipe.ini", 0600), 0);
  EXPECT_EQ(platform::read_profile_string("pipe.ini", "a", "b"), "");
  EXPECT_EQ(platform::lookup_profile_file("/dev/zero", "a", "b", true), "");
  EXPECT_EQ(platform::read_profile_string("Data", "a", "b"), "");
}

}  // namespace
