#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>

#include "graphics_test_util.h"
#include "tests/support/game_folder.h"
#include "tests/support/screenshot.h"

using namespace gtest_graphics;

namespace {

using Png = testsupport::Picture;
using testsupport::read_png;

std::vector<uint8_t> solid_spb(int w, int h, uint8_t v) {
  BitWriter b;
  b.put(w, 16), b.put(h, 16);
  int groups = (w * h - 1 + 3) / 4;
  for (int plane = 0; plane < 3; ++plane) {
    b.put(v, 8);
    for (int g = 0; g < groups; ++g) b.put(0, 3);
  }
  return b.bytes;
}

bool near(uint32_t a, uint32_t b, int tolerance) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(int(a >> s & 255) - int(b >> s & 255)) > tolerance) return false;
  return true;
}

// A JPEG background, three standing pictures and sprites in alpha, colour-key
// and mask modes, some from a zpk archive with LZSS and SPB entries, shown
// with print 1 and written as the screenshot.
TEST(PictureScenario, ComposedScreenshot) {
  testsupport::GameFolder g;
  std::string d = g.path() + "/";
  jpeg_compress_struct c;
  {
    // 640 x 480 of grey 128.
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = 640, c.image_height = 480, c.input_components = 3, c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(640 * 3, 128);
    while (c.next_scanline < 480) {
      JSAMPROW r = row.data();
      jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    write_file(d + "bg.jpg", std::vector<uint8_t>(out, out + size));
    free(out);
  }
  write_file(d + "left.bmp", solid_bmp(40, 60, 0xff0000));
  write_file(d + "centre.bmp", make_bmp(20, 20, 24, [](int x, int y) {
               return x < 2 || y < 2 || x > 17 || y > 17 ? 0x0000ffu : 0xffff00u;
             }));
  write_file(d + "right.bmp", make_bmp(60, 30, 24, [](int x, int) {
               return x < 30 ? 0x00ffffu : x < 45 ? 0u : 0xffffffu;
             }));
  write_file(d + "key.bmp", make_bmp(10, 10, 24, [](int x, int y) {
               return x >= 3 && x < 7 && y >= 3 && y < 7 ? 0xff8000u : 0x00ff00u;
             }));
  write_file(d + "pic.bmp", solid_bmp(10, 10, 0x800080));
  write_file(d + "mask.bmp", make_bmp(10, 10, 24, [](int x, int) { return x < 5 ? 0u : 0xffffffu; }));
  // Two alpha cells of 10 + 10: magenta then white, masks black.
  auto anim = make_bmp(40, 10, 24, [](int x, int) {
    int in = x % 20;
    return in >= 10 ? 0u : x < 20 ? 0xff00ffu : 0xffffffu;
  });
  write_file(d + "arc.zpk", make_zpk({{"sp\\anim.bmp", 2, lzss_literals(anim), uint32_t(anim.size())},
                                      {"spb.bmp", 1, solid_spb(8, 8, 255), 0}}));
  g.write_text("0.txt",
               "*define\nzpk\ngame\n*start\n"
               "bg \"bg.jpg\",1\n"
               "ld l,\":c;left.bmp\",0\nld c,\":l;centre.bmp\",0\nld r,\":a;right.bmp\",0\n"
               "lsp 0,\":a/2,100000,0;SP/Anim.bmp\",100,100\n"
               "lsp 1,\":c;spb.bmp\",200,100\n"
               "lsp 2,\":#00ff00;key.bmp\",300,100\n"
               "lsp 3,\":mmask.bmp;pic.bmp\",400,100\n"
               "print 1\nend\n");
  auto r = testsupport::run_program(g.path(), {"--headless", "--screenshot", d + "shot.png"});
  ASSERT_EQ(r.status, 0) << r.err;
  Png shot = read_png(d + "shot.png");
  ASSERT_EQ(shot.width, 640);
  ASSERT_GE(shot.height, 480);
  int top = shot.height - 480;  // a menu strip above the picture, if any
  auto at = [&](int x, int y) { return shot.at(x, y + top); };
  EXPECT_TRUE(near(at(5, 5), 0x808080, 3));
  EXPECT_EQ(at(150, 450), 0xff0000u);            // left: anchor 160, 40 wide, standing on 480
  EXPECT_TRUE(near(at(311, 461), 0x808080, 3));  // centre: its key colour is left out
  EXPECT_EQ(at(320, 470), 0xffff00u);
  EXPECT_EQ(at(470, 460), 0x00ffffu);  // right: the opaque half of its mask
  EXPECT_TRUE(near(at(490, 460), 0x808080, 3));
  EXPECT_EQ(at(105, 105), 0xff00ffu);  // LZSS entry, cell 0
  EXPECT_EQ(at(204, 104), 0xffffffu);  // SPB entry
  EXPECT_TRUE(near(at(301, 101), 0x808080, 3));
  EXPECT_EQ(at(305, 105), 0xff8000u);
  EXPECT_EQ(at(402, 105), 0x800080u);  // separate mask: opaque half
  EXPECT_TRUE(near(at(408, 105), 0x808080, 3));
}

}  // namespace
