#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/image_tag.h"
#include "graphics_test_util.h"
#include "save/logs.h"

using graphics::ImageRecord;
using namespace gtest_graphics;

namespace {

class Loader : public GameFolder {
 protected:
  std::string error_of(const std::string& tag) {
    return box_of([&] { graphics::load_image_tag(r, tag); });
  }
  ImageRecord r;
};

TEST_F(Loader, AlphaPicturesShowHalfTheirWidth) {
  write_file("x.bmp", solid_bmp(200, 100, 0x123456));
  graphics::load_image_tag(r, ":a;x.bmp");
  EXPECT_EQ(r.trans_mode, graphics::kTransAlpha);
  EXPECT_EQ(graphics::visible_width(r), 100);
  EXPECT_EQ(graphics::visible_height(r), 100);
}

TEST_F(Loader, SameTagTwiceKeepsThePictureAndRewinds) {
  write_file("Cursor0.BMP", solid_bmp(30, 10, 0xff0000));  // names ignore case
  graphics::load_image_tag(r, ":l/3,160,2;cursor0.bmp");
  ASSERT_TRUE(graphics::has_surface(r));
  const uint8_t* pixels = r.surface.pixels.data();
  r.current_cell = 2;
  graphics::load_image_tag(r, ":l/3,160,2;cursor0.bmp");
  EXPECT_EQ(r.current_cell, 0);
  EXPECT_EQ(r.surface.pixels.data(), pixels);
  EXPECT_EQ(graphics::visible_width(r), 10);
}

TEST_F(Loader, LoadingAnotherTagKeepsOnlyTheColourKeys) {
  write_file("a.bmp", solid_bmp(4, 4, 0));
  graphics::load_image_tag(r, ":#102030/2,5,1;a.bmp");
  graphics::load_image_tag(r, ":c;a.bmp");
  EXPECT_EQ(r.cell_count, 1);
  EXPECT_EQ(r.anim_mode, 0);
  EXPECT_EQ(r.key_red, 0x10);
  EXPECT_EQ(r.key_blue, 0x30);
  EXPECT_EQ(r.tag, ":c;a.bmp");
}

TEST_F(Loader, FileLogRecordsPictureNames) {
  write_file("bg/a.bmp", solid_bmp(2, 2, 0));
  save::log_clear(save::FileLog);
  graphics::load_image_tag(r, ":c;bg/a.bmp");
  EXPECT_FALSE(save::log_contains(save::FileLog, "BG\\A.BMP"));
  graphics::loader_settings.file_log = true;
  graphics::load_image_tag(r, ":l;bg/a.bmp");
  EXPECT_TRUE(save::log_contains(save::FileLog, "BG\\A.BMP"));
}

TEST_F(Loader, MissingFilesAreLoadErrors) {
  EXPECT_EQ(error_of("none.bmp"), "ロードエラー|ファイルnone.bmpを開けません。");
  EXPECT_EQ(error_of(sjis("絵.png")), "ロードエラー|ファイル絵.pngを開けません。");
}

TEST_F(Loader, NoLoadErrorLeavesTheRecordEmpty) {
  graphics::loader_settings.no_load_error = true;
  EXPECT_EQ(error_of("none.bmp"), "");
  EXPECT_FALSE(graphics::has_surface(r));
  // A file that exists but cannot be decoded is still a failed load.
  write_file("bad.bmp", {1, 2, 3});
  EXPECT_EQ(error_of("bad.bmp"), "エラー|ロード失敗!");
}

TEST_F(Loader, BlankOnMissingMakesATwoByTwoBlackPicture) {
  graphics::loader_settings.blank_on_missing = true;
  EXPECT_EQ(error_of(":l/3,160,2;cursor0.bmp"), "");
  EXPECT_EQ(r.surface.width, 2);
  EXPECT_EQ(r.surface.height, 2);
  EXPECT_EQ(r.cell_count, 3);
}

TEST_F(Loader, JpegmodeRetriesBmpAsJpg) {
  graphics::loader_settings.jpegmode = true;
  write_file("bg.jpg", read_file(std::string(ORVANE_SOURCE_DIR) + "/tests/graphics/plugin/test_plugin.c"));
  // Not a JPEG: the retry finds no picture either.
  EXPECT_EQ(error_of("bg.bmp"), "ロードエラー(JPEGMODE)|bg.jpg");
  std::filesystem::remove("bg.jpg");
  EXPECT_EQ(error_of(":c;bg.bmp"), "ロードエラー(JPEGMODE)|:c;bg.jpg");
  std::vector<uint8_t> pixels;
  write_file("bg.jpg", encode_jpeg(6, 5, 3, pixels));
  EXPECT_EQ(error_of(":c;bg.bmp"), "");
  EXPECT_EQ(r.surface.width, 6);
  EXPECT_EQ(r.tag, ":c;bg.jpg");
}

TEST_F(Loader, SeparateMaskMakesAnAlphaPicture) {
  write_file("pic.bmp", solid_bmp(4, 3, 0x0000ff));
  write_file("mask.bmp", make_bmp(6, 2, 24, [](int x, int) { return x < 2 ? 0xffffffu : 0u; }));
  graphics::load_image_tag(r, ":mmask.bmp;pic.bmp");
  EXPECT_EQ(r.trans_mode, graphics::kTransAlpha);
  ASSERT_EQ(r.surface.width, 8);
  EXPECT_EQ(graphics::visible_width(r), 4);
  EXPECT_EQ(r.surface.row(0)[0], 0xff);      // the picture, blue
  EXPECT_EQ(r.surface.row(0)[3 * 4], 0xff);  // the mask's white columns
  EXPECT_EQ(r.surface.row(0)[3 * 6], 0);     // its black ones
  EXPECT_EQ(r.surface.row(2)[3 * 4], 0);     // below the mask: black
  EXPECT_EQ(error_of(":mmask.bmp/2,10,0;pic.bmp"),
            "エラー|画像指定タグ:mファイル名のときは複数セル画像はサポートしていません。");
}

// The loaders hand their failure back instead of showing the box; the box
// the commands make of it is the one the loader used to show.
TEST_F(Loader, FailuresComeBackAsValuesThatMakeTheSameBox) {
  write_file("pic.bmp", solid_bmp(4, 3, 0x0000ff));
  write_file("bad.bmp", {1, 2, 3});
  struct Case {
    std::string tag;
    graphics::LoadFault fault;
    std::string name;
  };
  const Case cases[] = {
      {"none.bmp", graphics::LoadFault::cannot_open, "none.bmp"},
      {"bad.bmp", graphics::LoadFault::load_failed, ""},
      {":l/3", graphics::LoadFault::bad_tag, ""},
      {":l/3,5;pic.bmp", graphics::LoadFault::bad_tag, ""},
      {":#12zz56;pic.bmp", graphics::LoadFault::bad_colour, ""},
      {":s/24,24#ff0000", graphics::LoadFault::bad_tag, ""},
      {":s#ff00x0abc", graphics::LoadFault::bad_colour, ""},
      {":sabc", graphics::LoadFault::no_sprite_colour, ""},
      {":mmask.bmp/2,10,0;pic.bmp", graphics::LoadFault::mask_with_cells, ""},
      {":mnone.bmp;pic.bmp", graphics::LoadFault::cannot_open, "none.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tag);
    ImageRecord fresh;
    graphics::LoadResult failed;
    EXPECT_EQ(box_of([&] { failed = graphics::try_load_image_tag(fresh, c.tag); }), "");
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(failed->fault, c.fault);
    EXPECT_EQ(failed->name, c.name);
    std::string box = box_of([&] { graphics::report_load_error(*failed); });
    EXPECT_NE(box, "");
    EXPECT_EQ(box, error_of(c.tag));
  }
  ImageRecord good;
  EXPECT_FALSE(graphics::try_load_image_tag(good, ":c;pic.bmp").has_value());
  EXPECT_EQ(good.surface.width, 4);

  graphics::loader_settings.jpegmode = true;
  graphics::LoadResult retried = graphics::try_load_image_tag(r, ":c;gone.bmp");
  ASSERT_TRUE(retried.has_value());
  EXPECT_EQ(retried->fault, graphics::LoadFault::jpegmode_retry);
  EXPECT_EQ(retried->name, ":c;gone.jpg");
}

TEST_F(Loader, JpegFilesLoadThroughLibjpeg) {
  std::vector<uint8_t> pixels;
  write_file("pic.jpg", encode_jpeg(20, 10, 3, pixels));
  graphics::load_image_tag(r, ":c;PIC.JPG");
  EXPECT_EQ(r.surface.width, 20);
  EXPECT_EQ(r.surface.height, 10);
  write_file("bad.jpg", {0xff, 0xd8, 0});
  EXPECT_EQ(error_of("bad.jpg"), "エラー|ロード失敗!");
}

TEST_F(Loader, PicturePluginsDecodeOtherExtensions) {
  std::filesystem::copy_file(ORVANE_TEST_PLUGIN, "pict.spi");
  write_file("face.tst", {1, 2, 3});
  EXPECT_EQ(error_of("face.tst"), "ロードエラー|ファイルface.tstを開けません。");
  graphics::add_spi_entry("other.spi|png");
  graphics::add_spi_entry("pict.spi|TST");
  graphics::load_image_tag(r, "face.tst");
  ASSERT_EQ(r.surface.width, 3);
  EXPECT_EQ(r.surface.height, 2);
  EXPECT_EQ(r.surface.row(1)[6], 1);
  EXPECT_EQ(r.surface.row(1)[8], 3);
  for (int i = 2; i < graphics::kMaxListEntries; ++i) graphics::add_spi_entry("x|y");
  EXPECT_THROW(graphics::add_spi_entry("x|y"), ErrorBox);
}

TEST_F(Loader, PluginLibrariesFallBackToSo) {
  std::filesystem::copy_file(ORVANE_TEST_PLUGIN, "pict2.so");
  write_file("face.tst", {9, 9, 9});
  graphics::add_spi_entry("pict2.dll|tst");
  graphics::load_image_tag(r, "face.tst");
  EXPECT_EQ(r.surface.width, 3);
}

}  // namespace
