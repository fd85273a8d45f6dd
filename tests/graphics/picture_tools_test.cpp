// The authoring tools: files they write and what is in them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "graphics/bmp.h"
#include "graphics/bmp_writer.h"
#include "graphics/picture_tools.h"
#include "graphics/screen.h"
#include "graphics_test_util.h"
#include "tests/support/script_fixture.h"

using namespace gtest_graphics;
using graphics::DibSurface;
using testsupport::fatal_of;
using testsupport::load_script;

namespace {

DibSurface read_picture(const std::string& path) {
  std::vector<uint8_t> bytes = read_file(path);
  DibSurface s;
  std::vector<uint8_t> indices;
  EXPECT_TRUE(graphics::read_bmp(bytes.data(), bytes.size(), s, indices)) << path;
  return s;
}

uint32_t pixel(const DibSurface& s, int x, int y) {
  const uint8_t* p = s.row(y) + 3 * x;
  return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

class PictureTools : public GameFolder {
 protected:
  void SetUp() override {
    GameFolder::SetUp();
    load_script("");
  }
  void run(const char* args, void (*handler)()) {
    load_script(args);
    handler();
  }
};

TEST_F(PictureTools, WrittenBmpHasTheHeaderFields) {
  DibSurface s;
  graphics::create_surface(s, 3, 2);
  s.row(0)[2] = 200;  // top-left red
  std::vector<uint8_t> f = graphics::encode_bmp(s);
  ASSERT_EQ(f.size(), 54u + 12 * 2);
  EXPECT_EQ(f[0], 'B');
  EXPECT_EQ(f[2], 54 + 24);
  EXPECT_EQ(f[10], 54);
  EXPECT_EQ(f[14], 40);
  EXPECT_EQ(f[26], 1);
  EXPECT_EQ(f[28], 24);
  EXPECT_EQ(f[34], 0);             // image size 0
  EXPECT_EQ(f[54 + 12 + 2], 200);  // bottom-up: the top row comes last
}

TEST_F(PictureTools, ChainBmpTwiceJoinsSideBySide) {
  write_file("a.bmp", solid_bmp(100, 50, 0xff0000));
  write_file("b.bmp", solid_bmp(100, 50, 0x0000ff));
  run("\"a.bmp\"", graphics::cmd_chainbmp);
  DibSurface one = read_picture("out.bmp");
  EXPECT_EQ(one.width, 100);
  run("\"b.bmp\"", graphics::cmd_chainbmp);
  DibSurface two = read_picture("out.bmp");
  EXPECT_EQ(two.width, 200);
  EXPECT_EQ(two.height, 50);
  EXPECT_EQ(pixel(two, 99, 49), 0xff0000u);
  EXPECT_EQ(pixel(two, 100, 0), 0x0000ffu);
}

TEST_F(PictureTools, ChainBmpTakesTheNewPicturesHeight) {
  write_file("tall.bmp", solid_bmp(4, 8, 0xff0000));
  write_file("low.bmp", solid_bmp(2, 3, 0x00ff00));
  run("\"tall.bmp\"", graphics::cmd_chainbmp);
  run("\"low.bmp\"", graphics::cmd_chainbmp);
  DibSurface s = read_picture("out.bmp");
  EXPECT_EQ(s.width, 6);
  EXPECT_EQ(s.height, 3);
}

TEST_F(PictureTools, Bw2a2MaskIsZeroExactlyWhereThePictureIsWhite) {
  // On black: a white square and a grey one in a black frame two pixels wide.
  write_file("pic_b.bmp", make_bmp(8, 6, 24, [](int x, int y) -> uint32_t {
               if (x < 2 || x > 5 || y < 2) return 0;
               return x < 4 ? 0xffffff : 0x808080;
             }));
  run("\"pic\"", graphics::cmd_bw2a2);
  DibSurface s = read_picture("out/pic.bmp");
  // Columns 0..1 and 6..7 and rows 0..1 are fully transparent: trimmed.
  ASSERT_EQ(s.width, 8);
  ASSERT_EQ(s.height, 4);
  EXPECT_EQ(pixel(s, 0, 0), 0xffffffu);  // colours on the left
  EXPECT_EQ(pixel(s, 4, 0), 0u);         // white: mask 0
  EXPECT_EQ(pixel(s, 6, 0), 0x7f7f7fu);  // grey: (765 - 384) / 3
}

TEST_F(PictureTools, Bw2aUsesBothRenderings) {
  write_file("p_b.bmp", solid_bmp(2, 2, 0x000000));
  write_file("p_w.bmp", solid_bmp(2, 2, 0x303030));
  run("\"p\"", graphics::cmd_bw2a);
  DibSurface s = read_picture("out/p.bmp");
  ASSERT_EQ(s.width, 4);
  EXPECT_EQ(pixel(s, 2, 1), 0x303030u);
  write_file("q_b.bmp", solid_bmp(2, 2, 0));
  write_file("q_w.bmp", solid_bmp(3, 2, 0));
  EXPECT_NE(fatal_of([this] { run("\"q\"", graphics::cmd_bw2a); }), "");
}

TEST_F(PictureTools, BmpCutWritesEveryPiece) {
  write_file("s.bmp", make_bmp(4, 4, 24, [](int x, int y) { return uint32_t(x / 2 * 0x100 + y / 2); }));
  run("\"s.bmp\",2,2", graphics::cmd_bmpcut);
  DibSurface p = read_picture("_s.bmp10.bmp");
  EXPECT_EQ(p.width, 2);
  EXPECT_EQ(pixel(p, 0, 0), 0x100u);
  EXPECT_EQ(pixel(read_picture("_s.bmp01.bmp"), 1, 1), 0x1u);
  EXPECT_EQ(fatal_of([this] { run("\"s.bmp\" 2,2", graphics::cmd_bmpcut); }),
            "構文エラー|コンマが必要なところにコンマが有りません。");
  EXPECT_NE(fatal_of([this] { run("\"s.bmp\",0,2", graphics::cmd_bmpcut); }), "");
  // More pieces than pixels: no pieces of nothing are written.
  EXPECT_EQ(fatal_of([this] { run("\"s.bmp\",5,1", graphics::cmd_bmpcut); }),
            "エラー|bmpcut命令の分割数が多すぎます。");
  EXPECT_FALSE(std::filesystem::exists("_s.bmp40.bmp"));
}

TEST_F(PictureTools, GrptestCountsNeighbourDifferences) {
  graphics::TheScreen = graphics::Screen();
  graphics::reset_screen(640, 480);
  write_file("g.bmp", solid_bmp(640, 480, 0x030201));
  run("\"g.bmp\"", graphics::cmd_grptest);
  std::vector<uint8_t> bytes = read_file("out.txt");
  std::string text(bytes.begin(), bytes.end());
  // Each plane starts with its value (from 0), then 307199 zero differences.
  EXPECT_EQ(text, "\"g.bmp\" " + sjis("解析結果") + "\n0 = 921597\n1 = 1\n2 = 1\n3 = 1\n");
}

TEST_F(PictureTools, ConvgifPutsTheDecodedPictureOnTheBackground) {
  graphics::TheScreen = graphics::Screen();
  graphics::reset_screen(64, 48);
  std::vector<uint8_t> rows;
  write_file("p.jpg", encode_jpeg(16, 8, 3, rows));
  run("\"p.jpg\"", graphics::cmd_convgif);
  EXPECT_NE(pixel(graphics::TheScreen.background.surface, 15, 7), 0u);
  EXPECT_EQ(pixel(graphics::TheScreen.background.surface, 16, 8), 0u);
  EXPECT_TRUE(graphics::TheScreen.dirty.empty);
  write_file("bad.jpg", {1, 2, 3});
  EXPECT_EQ(fatal_of([this] { run("\"bad.jpg\"", graphics::cmd_convgif); }), "エラー|ロード失敗!");
}

}  // namespace
