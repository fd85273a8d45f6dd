#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include "tests/support/game_folder.h"

using namespace platform;

namespace {

std::vector<uint8_t> bytes_of(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

TEST(FileIo, AHandleReadsPeeksSeeksAndKnowsItsSize) {
  testsupport::GameFolder g;
  g.write_bytes("a.bin", std::string("ab\0cdef", 7));
  FileHandle f = open_file(g.path() + "/a.bin", OpenMode::read);
  ASSERT_TRUE(f);
  EXPECT_EQ(file_size(f), 7);
  EXPECT_EQ(peek_byte(f), 'a');
  EXPECT_EQ(read_byte(f), 'a');
  EXPECT_EQ(file_size(f), 7);  // the position is kept
  char two[2];
  ASSERT_EQ(read_bytes(f, two, 2), 2u);
  EXPECT_EQ(two[0], 'b');
  EXPECT_EQ(two[1], '\0');
  ASSERT_TRUE(seek_file(f, 5));
  char rest[8];
  EXPECT_EQ(read_bytes(f, rest, sizeof rest), 2u);  // fewer at the end
  EXPECT_EQ(std::string(rest, 2), "ef");
  EXPECT_EQ(read_byte(f), -1);
  EXPECT_EQ(peek_byte(f), -1);
  EXPECT_FALSE(seek_file(f, -1));
  EXPECT_TRUE(close_file(f));
  EXPECT_FALSE(f);
  EXPECT_EQ(read_byte(f), -1);  // a closed handle reads nothing
  EXPECT_TRUE(close_file(f));
}

TEST(FileIo, AMissingFileGivesAnEmptyHandleAndErrno) {
  testsupport::GameFolder g;
  errno = 0;
  FileHandle f = open_file(g.path() + "/none", OpenMode::read);
  EXPECT_FALSE(f);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(file_size(f), -1);
  EXPECT_FALSE(write_bytes(f, "x", 1));
}

TEST(FileIo, WriteEmptiesAppendAddsAndAMovedHandleClosesOnce) {
  testsupport::GameFolder g;
  std::string path = g.path() + "/t.txt";
  g.write_bytes("t.txt", "old contents");
  {
    FileHandle f = open_file(path, OpenMode::write);
    ASSERT_TRUE(write_text(f, "one\n"));
    FileHandle moved = std::move(f);
    EXPECT_FALSE(f);
    ASSERT_TRUE(flush_file(moved));
    EXPECT_EQ(g.read_file("t.txt"), "one\n");
  }  // closed as it goes
  {
    FileHandle f = open_file(path, OpenMode::append);
    ASSERT_TRUE(write_text(f, "two\n"));
    FileHandle other = open_file(path, OpenMode::read);
    other = std::move(f);  // the reader is closed, the writer kept
    ASSERT_TRUE(close_file(other));
  }
  EXPECT_EQ(g.read_file("t.txt"), "one\ntwo\n");
}

TEST(FileIo, WholeFilesKeepTheirLimit) {
  testsupport::GameFolder g;
  std::string path = g.path() + "/w.bin";
  ASSERT_TRUE(write_whole_file(path, "12345", 5));
  std::vector<uint8_t> out;
  ASSERT_TRUE(read_whole_file(path, 5, out));
  EXPECT_EQ(out, bytes_of("12345"));
  EXPECT_FALSE(read_whole_file(path, 4, out));
  EXPECT_TRUE(out.empty());
  ASSERT_TRUE(write_whole_file(path, "", 0));
  ASSERT_TRUE(read_whole_file(path, 0, out));
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(read_whole_file(g.path() + "/none", 100, out));
  EXPECT_FALSE(read_whole_file(g.path(), size_t(1) << 20, out));  // a folder
  EXPECT_FALSE(write_whole_file(g.path() + "/no/such/folder/f", "x", 1));
}

TEST(FileIo, CreateAndRemoveLeaveFoldersAlone) {
  testsupport::GameFolder g;
  std::string file = g.path() + "/c.dat", folder = g.path() + "/sub";
  ASSERT_TRUE(create_empty_file(file));
  EXPECT_TRUE(path_exists(file));
  g.write_bytes("c.dat", "data");
  ASSERT_TRUE(create_empty_file(file));
  EXPECT_EQ(g.read_file("c.dat"), "");

  // A pipe would block the open: it is left alone.
  ASSERT_EQ(mkfifo((g.path() + "/pipe").c_str(), 0600), 0);
  EXPECT_FALSE(create_empty_file(g.path() + "/pipe"));

  ASSERT_TRUE(make_folders(folder + "/deeper/still"));
  EXPECT_TRUE(make_folders(folder));  // already there
  EXPECT_FALSE(create_empty_file(folder));
  EXPECT_FALSE(remove_file(folder));
  EXPECT_TRUE(path_exists(folder + "/deeper/still"));

  ASSERT_TRUE(remove_file(file));
  EXPECT_FALSE(path_exists(file));
  EXPECT_FALSE(remove_file(file));
  g.write_bytes("plain", "x");
  EXPECT_FALSE(make_folders(g.path() + "/plain/inside"));  // a file is in the way
}

}  // namespace
