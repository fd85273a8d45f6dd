#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/archive.h"
#include "graphics/image_tag.h"
#include "graphics/lzss.h"
#include "graphics/spb.h"
#include "graphics_test_util.h"
#include "platform/tempdir.h"

using namespace gtest_graphics;

namespace {

std::string text_of(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

TEST(Lzss, CopyFromTheStartOfTheWindowGivesSpaces) {
  graphics::reset_lzss_window();
  BitWriter w;
  w.put(0, 1), w.put(0, 8), w.put(3, 4);  // copy 5 bytes from position 0
  std::vector<uint8_t> out;
  ASSERT_TRUE(graphics::lzss_expand(w.bytes.data(), w.bytes.size(), out, 100));
  EXPECT_EQ(text_of(out), "     ");
}

TEST(Lzss, OverlappingCopiesRepeatWhatTheyWrite) {
  graphics::reset_lzss_window();
  BitWriter w;
  w.put(1, 1), w.put('a', 8), w.put(1, 1), w.put('b', 8);  // at 239 and 240
  w.put(0, 1), w.put(239, 8), w.put(4, 4);                 // six bytes from 239, written from 241 on
  std::vector<uint8_t> out;
  ASSERT_TRUE(graphics::lzss_expand(w.bytes.data(), w.bytes.size(), out, 100));
  EXPECT_EQ(text_of(out), "abababab");
}

TEST(Lzss, WindowTailSurvivesBetweenExpansions) {
  graphics::reset_lzss_window();
  BitWriter first;
  first.put(1, 1), first.put('x', 8), first.put(1, 1), first.put('y', 8);  // at 239, 240
  std::vector<uint8_t> out;
  graphics::lzss_expand(first.bytes.data(), first.bytes.size(), out, 10);
  BitWriter second;
  second.put(0, 1), second.put(240, 8), second.put(0, 4);  // 240, 241
  ASSERT_TRUE(graphics::lzss_expand(second.bytes.data(), second.bytes.size(), out, 10));
  EXPECT_EQ(out, (std::vector<uint8_t>{'y', 0}));
}

TEST(Lzss, CutTokensEndAndOverrunsAreRefused) {
  BitWriter w;
  for (int i = 0; i < 10; ++i) w.put(0, 1), w.put(0, 8), w.put(15, 4);
  std::vector<uint8_t> out;
  EXPECT_FALSE(graphics::lzss_expand(w.bytes.data(), w.bytes.size(), out, 50));
  EXPECT_EQ(out.size(), 50u);
  ASSERT_TRUE(graphics::lzss_expand(w.bytes.data(), w.bytes.size(), out, 1000));
  EXPECT_EQ(out.size(), 170u);
  std::vector<uint8_t> one = {0x80};  // a flag and half a byte
  ASSERT_TRUE(graphics::lzss_expand(one.data(), one.size(), out, 10));
  EXPECT_TRUE(out.empty());
}

class Archives : public GameFolder {
 protected:
  std::string error_of(std::function<void()> f) { return box_of(f); }
  graphics::ArchiveEntry entry;
};

TEST_F(Archives, NamesAreNormalisedBeforeComparing) {
  write_file("arc.zpk", make_zpk({{"a.txt", 0, {'A'}, 1}, {"bg\\title.bmp", 0, {1, 2, 3}, 3}}));
  EXPECT_EQ(graphics::normalise_archive_name("BG/Title.BMP"), "bg\\title.bmp");
  int64_t at = graphics::archive_lookup("BG/Title.BMP", entry);
  ASSERT_GT(at, 0);
  EXPECT_EQ(entry.offset, at);
  EXPECT_EQ(entry.stored_length, 3u);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(graphics::read_archive_entry(entry, bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(graphics::archive_lookup("title.bmp", entry), -1);
}

TEST_F(Archives, ArchivesAreNumberedWithoutGaps) {
  write_file("arc1.zpk", make_zpk({{"a.txt", 0, {'A'}, 1}}));
  EXPECT_EQ(graphics::archive_lookup("a.txt", entry), -1);
  write_file("arc.zpk", make_zpk({{"b.txt", 0, {'B'}, 1}}));
  EXPECT_GT(graphics::archive_lookup("a.txt", entry), 0);
  write_file("arc3.zpk", make_zpk({{"c.txt", 0, {'C'}, 1}}));
  EXPECT_EQ(graphics::archive_lookup("c.txt", entry), -1);
}

TEST_F(Archives, ZpkdirNamesTheFolder) {
  write_file("data/arc.zpk", make_zpk({{"a.txt", 0, {'A'}, 1}}));
  EXPECT_EQ(graphics::archive_lookup("a.txt", entry), -1);
  graphics::archive_settings.zpk_dir = "data";
  EXPECT_GT(graphics::archive_lookup("a.txt", entry), 0);
  EXPECT_NE(entry.archive_path.find("data/arc.zpk"), std::string::npos);
}

TEST_F(Archives, DamagedArchivesAreNotFound) {
  auto good = make_zpk({{"a.txt", 0, {'A', 'B'}, 2}, {"b.txt", 0, {'C'}, 1}});
  // Cut inside the directory: nothing after the cut is found.
  write_file("arc.zpk", std::vector<uint8_t>(good.begin(), good.begin() + 20));
  EXPECT_EQ(graphics::archive_lookup("b.txt", entry), -1);
  // Cut in the data: the entry's bytes would lie past the end.
  write_file("arc.zpk", std::vector<uint8_t>(good.begin(), good.end() - 1));
  EXPECT_EQ(graphics::archive_lookup("b.txt", entry), -1);
  // An expanded length past the end for a stored entry.
  write_file("arc.zpk", make_zpk({{"a.txt", 0, {'A'}, 1000}}));
  EXPECT_EQ(graphics::archive_lookup("a.txt", entry), -1);
  // Over-long names.
  write_file("arc.zpk", make_zpk({{std::string(300, 'n'), 0, {'A'}, 1}}));
  EXPECT_EQ(graphics::archive_lookup(std::string(300, 'n'), entry), -1);
  for (size_t cut = 0; cut < good.size(); ++cut) {
    write_file("arc.zpk", std::vector<uint8_t>(good.begin(), good.begin() + cut));
    graphics::archive_lookup("b.txt", entry);
  }
}

// A compressed copy is its stated size at most, whatever the stream holds,
// and may be empty.
TEST_F(Archives, CompressedCopiesStopAtTheStatedSize) {
  graphics::archive_settings.zpk_on = true;
  BitWriter repeat;  // one literal, then copies of 17 bytes from the window
  repeat.put(1, 1), repeat.put('x', 8);
  for (int i = 0; i < 2000; ++i) repeat.put(0, 1), repeat.put(239, 8), repeat.put(15, 4);
  BitWriter nothing;
  nothing.put(0, 3);
  write_file("arc.zpk", make_zpk({{"long.txt", 2, repeat.bytes, 10}, {"empty.txt", 2, nothing.bytes, 0}}));
  std::string name = "long.txt";
  ASSERT_EQ(graphics::extract_to_temp(name), 1);
  EXPECT_EQ(text_of(read_file(name)), "xxxxxxxxxx");
  name = "empty.txt";
  ASSERT_EQ(graphics::extract_to_temp(name), 1);
  EXPECT_TRUE(std::filesystem::exists(name));
  EXPECT_TRUE(read_file(name).empty());
}

TEST_F(Archives, CopiesOutStoredAndCompressedEntries) {
  graphics::archive_settings.zpk_on = true;
  write_file("arc.zpk", make_zpk({{"se\\stored.wav", 0, {'h', 'i', '!', '?'}, 3},
                                  {"lz.txt", 2, lzss_literals({'l', 'z'}), 2},
                                  {"pic.spb", 1, {1}, 1},
                                  {"odd.dat", 7, {1}, 1}}));
  std::string name = "SE/Stored.wav";
  ASSERT_EQ(graphics::extract_to_temp(name), 1);
  EXPECT_EQ(text_of(read_file(name)), "hi!");  // by its expanded length
  std::filesystem::remove(name);
  name = "lz.txt";
  ASSERT_EQ(graphics::extract_to_temp(name), 1);
  EXPECT_EQ(text_of(read_file(name)), "lz");
  name = "odd.dat";
  ASSERT_EQ(graphics::extract_to_temp(name), 1);
  EXPECT_TRUE(read_file(name).empty());
  name = "pic.spb";
  EXPECT_EQ(error_of([&] { graphics::extract_to_temp(name); }), "エラー|pic.spbが開けませんでした。");
  name = "none.txt";
  EXPECT_EQ(graphics::extract_to_temp(name), 0);
  EXPECT_EQ(name, "none.txt");
}

TEST_F(Archives, CopiesNeverLeaveTheTemporaryFolder) {
  graphics::archive_settings.zpk_on = true;
  write_file("arc.zpk", make_zpk({{"..", 0, {'x'}, 1}}));
  std::string name = "..";
  ASSERT_EQ(graphics::extract_to_temp(name), 1);
  EXPECT_EQ(std::filesystem::path(name).parent_path().string() + "/", platform::temp_folder());
  std::filesystem::remove(name);
}

std::vector<uint8_t> make_listed(const std::vector<std::pair<std::string, std::string>>& files) {
  std::vector<uint8_t> dir, data;
  for (const auto& [name, text] : files) {
    dir.insert(dir.end(), name.begin(), name.end());
    dir.push_back(0);
    put_be(dir, uint32_t(data.size()), 4);
    put_be(dir, uint32_t(text.size()), 4);
    data.insert(data.end(), text.begin(), text.end());
  }
  std::vector<uint8_t> f;
  put_be(f, uint32_t(files.size()), 2);
  put_be(f, 6 + uint32_t(dir.size()), 4);
  f.insert(f.end(), dir.begin(), dir.end());
  f.insert(f.end(), data.begin(), data.end());
  return f;
}

TEST_F(Archives, ListedArchivesReadByTheSystem) {
  write_file("first.dat", make_listed({{"a.txt", "first"}}));
  auto damaged = make_listed({{"b.txt", "damaged"}});
  damaged.resize(damaged.size() - 3);
  write_file("second.dat", damaged);
  write_file("third.dat", make_listed({{"b.txt", "third"}, {"voice\\v1.wav", "voice"}}));
  graphics::add_arc_entry("missing.dat|orvunarc.dll");
  graphics::add_arc_entry("first.dat|tools\\orvunarc.dll");
  graphics::add_arc_entry("second.dat|orvunarc.dll");
  graphics::add_arc_entry("third.dat|ORVUNARC.DLL");
  std::string name = "A.TXT";
  ASSERT_EQ(graphics::extract_to_temp(name), 1);
  EXPECT_EQ(text_of(read_file(name)), "first");
  name = "b.txt";
  ASSERT_EQ(graphics::extract_to_temp(name), 1);
  EXPECT_EQ(text_of(read_file(name)), "third");
  name = "Voice/V1.wav";
  ASSERT_EQ(graphics::extract_to_temp(name), 1);
  EXPECT_EQ(std::filesystem::path(name).filename(), "v1.wav");
  name = "c.txt";
  EXPECT_EQ(graphics::extract_to_temp(name), 0);
  for (int i = 4; i < graphics::kMaxListEntries; ++i) graphics::add_arc_entry("x|y");
  EXPECT_EQ(error_of([] { graphics::add_arc_entry("x|y"); }), "エラー|SPI設定が多すぎます。");
}

TEST_F(Archives, PluginArchivesThroughTheirLibrary) {
  std::filesystem::copy_file(ORVANE_TEST_PLUGIN, "unpack.so");
  write_file("pack.bin", {'p', 'l', 'u', 'g'});
  graphics::add_arc_entry("pack.bin|nolib.dll");
  graphics::add_arc_entry("pack.bin|unpack.dll");
  std::string name = "Inside.txt";
  ASSERT_EQ(graphics::extract_to_temp(name), 1);
  EXPECT_EQ(text_of(read_file(name)), "plug");
  name = "outside.txt";
  EXPECT_EQ(graphics::extract_to_temp(name), 0);
}

class ArchivePictures : public Archives {
 protected:
  void SetUp() override {
    Archives::SetUp();
    graphics::archive_settings.zpk_on = true;
    BitWriter spb;  // 1 x 1, blue 1, green 2, red 3
    spb.put(1, 16), spb.put(1, 16), spb.put(1, 8), spb.put(2, 8), spb.put(3, 8);
    auto bmp = solid_bmp(5, 4, 0xabcdef);
    std::vector<uint8_t> pixels;
    auto jpeg = encode_jpeg(9, 7, 3, pixels);
    write_file("arc.zpk", make_zpk({{"spb.bmp", 1, spb.bytes, 0},
                                    {"lz.bmp", 2, lzss_literals(bmp), uint32_t(bmp.size())},
                                    {"short.bmp", 2, lzss_literals(bmp), 10},
                                    {"raw.bmp", 0, bmp, uint32_t(bmp.size())},
                                    {"pic.jpg", 0, jpeg, uint32_t(jpeg.size())},
                                    {"pic.dat", 0, {1}, 1}}));
  }
  graphics::ImageRecord r;
};

TEST_F(ArchivePictures, BmpEntriesAreSpbOrLzss) {
  graphics::load_image_tag(r, "SPB.bmp");
  ASSERT_EQ(r.surface.width, 1);
  EXPECT_EQ(r.surface.row(0)[2], 3);
  graphics::load_image_tag(r, ":c;lz.bmp");
  ASSERT_EQ(r.surface.width, 5);
  EXPECT_EQ(r.surface.row(3)[14], 0xab);
  EXPECT_EQ(error_of([&] { graphics::load_image_tag(r, "raw.bmp"); }), "エラー|BMPが圧縮されていません");
  // A stream longer than its entry says is damaged: the load fails.
  EXPECT_EQ(error_of([&] { graphics::load_image_tag(r, "short.bmp"); }), "エラー|ロード失敗!");
}

TEST_F(ArchivePictures, JpegEntriesAndMissingNames) {
  graphics::load_image_tag(r, "pic.jpg");
  EXPECT_EQ(r.surface.width, 9);
  EXPECT_EQ(error_of([&] { graphics::load_image_tag(r, "none.jpg"); }),
            "エラー|ZPKアーカイブからファイルnone.jpgがみつかりません");
  EXPECT_EQ(error_of([&] { graphics::load_image_tag(r, "none.bmp"); }),
            "エラー|ZPKアーカイブからファイルnone.bmpがみつかりません");
  // No load error alone still ends in the final check for archive pictures.
  graphics::loader_settings.no_load_error = true;
  EXPECT_EQ(error_of([&] { graphics::load_image_tag(r, "none.jpg"); }), "エラー|ロード失敗!");
  graphics::loader_settings.no_load_error = false;
  graphics::loader_settings.blank_on_missing = true;
  graphics::load_image_tag(r, "none.bmp");
  EXPECT_EQ(r.surface.width, 2);
}

TEST_F(ArchivePictures, OtherFilesAreCopiedOutAndRemoved) {
  std::filesystem::copy_file(ORVANE_TEST_PLUGIN, "pict.spi");
  graphics::add_spi_entry("pict.spi|dat");
  // The plug-in reads three bytes; the entry holds one.
  EXPECT_EQ(error_of([&] { graphics::load_image_tag(r, "pic.dat"); }), "エラー|ロード失敗!");
  EXPECT_TRUE(std::filesystem::is_empty(platform::temp_folder()));
}

}  // namespace
