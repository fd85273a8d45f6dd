// The records every slot shares: global variables, the read-text record,
// the label and file logs, and where they are written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/atomic_file.h"
#include "platform/player_files.h"
#include "platform/sjis.h"
#include "save/logs.h"
#include "save/persistent.h"
#include "save/save_file.h"
#include "script/scenario.h"
#include "tests/save/save_fixture.h"
#include "text/wait.h"

namespace {

using Persistent = testsupport::SaveTest;

TEST_F(Persistent, GlobalVariablesFrom200AreKeptOnlyWithGlobalon) {
  interp::NumericVariables[199] = 5;
  interp::NumericVariables[200] = -2;
  interp::set_string_variable(4095, "last");
  save::save_persistent_records();
  EXPECT_FALSE(exists("gloval.sav"));  // globalon not given

  save::cmd_globalon();
  save::save_persistent_records();
  std::string g = file("gloval.sav");
  ASSERT_EQ(g.size(), 3896u * 5 + 4);  // every record an int and a NUL, one text of 4 bytes
  EXPECT_EQ(g.substr(0, 5), std::string("\xfe\xff\xff\xff\0", 5));
  EXPECT_EQ(g.substr(g.size() - 9), std::string("\0\0\0\0last\0", 9));

  interp::reset_variable_tables();
  save::load_global_variables();
  EXPECT_EQ(interp::NumericVariables[199], 0);
  EXPECT_EQ(interp::NumericVariables[200], -2);
  EXPECT_EQ(interp::StringVariables[4095], "last");

  // A short file: what is missing reads as 0 and ""; a file without NULs
  // gives one long text, kept to a bounded length.
  gtest_graphics::write_file("gloval.sav", {7, 0, 0, 0, 'a'});
  interp::NumericVariables[201] = 3;
  save::load_global_variables();
  EXPECT_EQ(interp::NumericVariables[200], 7);
  EXPECT_EQ(interp::StringVariables[200], "a");
  EXPECT_EQ(interp::NumericVariables[201], 0);
  gtest_graphics::write_file("gloval.sav", std::vector<uint8_t>(3 << 20, 'x'));
  save::load_global_variables();
  EXPECT_EQ(interp::StringVariables[200].size(), size_t{1} << 20);
  EXPECT_EQ(interp::StringVariables[201], "");
  std::filesystem::remove("gloval.sav");
  save::load_global_variables();
  EXPECT_EQ(interp::NumericVariables[200], 0);
}

TEST_F(Persistent, LogsAreUpperCaseScrambledAndBounded) {
  save::log_append(save::LabelLog, "start");
  save::log_append(save::LabelLog, "a/b");
  save::log_append(save::FileLog, "cg/ev1.bmp");
  save::cmd_labellog();
  save::save_persistent_records();
  EXPECT_FALSE(exists("Orvaflog.dat"));  // filelog not given
  std::string x;
  for (char c : std::string("START")) x += static_cast<char>(c ^ 0x5a);
  std::string l = file("Orvallog.dat");
  EXPECT_EQ(l.substr(0, 9), "2\n\"" + x + "\"");

  save::log_clear(save::LabelLog);
  save::load_logs();
  EXPECT_TRUE(save::log_contains(save::LabelLog, "start"));  // looked up in lower case
  EXPECT_TRUE(save::log_contains(save::LabelLog, "A\\B"));

  // A long entry comes back cut to 511 bytes; the one after it is intact; a
  // count larger than the file stops at its end.
  std::string entry(700, 'q');
  std::string f = "9\n\"";
  for (char c : entry) f += static_cast<char>(c ^ 0x5a);
  f += "\"\"";
  f += static_cast<char>('z' ^ 0x5a);
  f += '"';
  gtest_graphics::write_file("Orvallog.dat", std::vector<uint8_t>(f.begin(), f.end()));
  save::load_logs();
  ASSERT_EQ(save::LabelLog.entries.size(), 2u);
  EXPECT_EQ(save::LabelLog.entries[0], std::string(511, 'Q'));
  EXPECT_EQ(save::LabelLog.entries[1], "Z");

  // At most 4000 names.
  for (int i = 0; i < 4100; ++i) save::log_append(save::FileLog, "f" + std::to_string(i));
  EXPECT_EQ(save::FileLog.entries.size(), 4000u);
  EXPECT_FALSE(save::log_contains(save::FileLog, "f4050"));
  save::log_clear(save::LabelLog);
  save::log_clear(save::FileLog);
}

TEST_F(Persistent, ReadTextRecordFollowsTheScenarioAndStopsSkipping) {
  scenario(std::string(80, 'a'));
  save::cmd_kidokuskip();
  ASSERT_EQ(save::ReadTextBitmap.size(), 10u);
  EXPECT_EQ(save::read_state_here(), 0);
  save::mark_read_text(0);
  save::mark_read_text(9);
  save::mark_read_text(79);
  EXPECT_EQ(save::read_state_here(), 1);
  save::save_persistent_records();
  EXPECT_EQ(file("kidoku.dat"), std::string("\x01\x02\0\0\0\0\0\0\0\x80", 10));

  // A longer scenario keeps the bits where they were; a shorter one drops the tail.
  scenario(std::string(163, 'a'));
  save::cmd_kidokuskip();
  ASSERT_EQ(save::ReadTextBitmap.size(), 20u);
  EXPECT_EQ(save::ReadTextBitmap[1], 2);
  EXPECT_EQ(save::ReadTextBitmap[9], 0x80);
  save::save_persistent_records();
  EXPECT_EQ(file("kidoku.dat").size(), 20u);
  scenario(std::string(40, 'a'));
  save::cmd_kidokuskip();
  save::save_persistent_records();
  EXPECT_EQ(file("kidoku.dat"), std::string("\x01\x02\0\0\0", 5));

  // Skip mode goes off at a byte not read yet and past the record's end.
  text::read_skip_only = 1;
  text::skip_mode = 1;
  save::mark_read_text(9);
  EXPECT_EQ(text::skip_mode, 1);
  save::mark_read_text(10);
  EXPECT_EQ(text::skip_mode, 0);
  text::skip_mode = 1;
  save::mark_read_text(10);  // now read
  EXPECT_EQ(text::skip_mode, 1);
  save::mark_read_text(41);
  EXPECT_EQ(text::skip_mode, 0);
  text::read_skip_only = 0;  // kidokumode 0: skipping goes on
  text::skip_mode = 1;
  save::mark_read_text(20);
  EXPECT_EQ(text::skip_mode, 1);
  save::reset_persistent_flags();
  EXPECT_EQ(save::read_state_here(), -1);
}

TEST_F(Persistent, AReadOnlyGameFolderSavesInThePerGameFolder) {
  platform::reset_player_files(true);
  testing::internal::CaptureStderr();
  platform::write_player_file("save1.dat", "new", 3);
  platform::write_player_file("save2.dat", "two", 3);
  platform::finish_player_file_writes();
  std::string said = testing::internal::GetCapturedStderr();
  std::string folder = platform::player_fallback_folder();
  EXPECT_EQ(folder.rfind(dir_ + "/xdg/orvane/", 0), 0u) << folder;
  EXPECT_NE(said.find(folder), std::string::npos);
  EXPECT_EQ(said.find(folder), said.rfind(folder));  // said once
  EXPECT_FALSE(exists("save1.dat"));
  // Reads look there first, then in the game folder.
  gtest_graphics::write_file("save1.dat", {'o', 'l', 'd'});
  gtest_graphics::write_file("save3.dat", {'g'});
  EXPECT_EQ(platform::player_file_path("save1.dat"), folder + "/save1.dat");
  EXPECT_EQ(platform::player_file_path("save3.dat"), "save3.dat");
  EXPECT_TRUE(platform::player_file_exists("save2.dat"));
  EXPECT_FALSE(platform::player_file_exists("save4.dat"));
  // A game folder that can be written is used alone.
  platform::reset_player_files();
  EXPECT_EQ(platform::player_file_path("save1.dat"), "save1.dat");
}

TEST_F(Persistent, AFailedWriteLeavesTheOldFile) {
  ASSERT_TRUE(platform::write_file_atomically("f.dat", "old", 3));
  std::filesystem::create_directory("f.dat.tmp");  // the temporary file cannot be made
  EXPECT_FALSE(platform::write_file_atomically("f.dat", "new", 3));
  EXPECT_EQ(file("f.dat"), "old");
  std::filesystem::remove("f.dat.tmp");
  ASSERT_TRUE(platform::write_file_atomically("f.dat", "newer", 5));
  EXPECT_EQ(file("f.dat"), "newer");
  EXPECT_FALSE(std::filesystem::exists("f.dat.tmp"));
  EXPECT_FALSE(platform::write_file_atomically("no/such/folder/f.dat", "x", 1));
}

}  // namespace
