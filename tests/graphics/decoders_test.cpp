#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <random>

#include "graphics/bmp.h"
#include "graphics/jpeg.h"
#include "graphics/spb.h"
#include "graphics_test_util.h"
#include "platform/jpeg.h"

using graphics::DibSurface;
using namespace gtest_graphics;

namespace {

uint32_t rgb_at(const DibSurface& s, int x, int y) {
  const uint8_t* p = s.row(y) + 3 * x;
  return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

TEST(Bmp, TwentyFourBitRowsComeOutUpright) {
  auto file = make_bmp(5, 3, 24, [](int x, int y) { return uint32_t(x * 40 << 16 | y * 80 << 8 | 7); });
  DibSurface s;
  std::vector<uint8_t> idx;
  ASSERT_TRUE(graphics::read_bmp(file.data(), file.size(), s, idx));
  EXPECT_EQ(s.width, 5);
  EXPECT_EQ(s.height, 3);
  EXPECT_TRUE(idx.empty());
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(rgb_at(s, x, y), uint32_t(x * 40 << 16 | y * 80 << 8 | 7));
}

TEST(Bmp, PaletteDepthsKeepTheirIndices) {
  for (int bits : {1, 4, 8}) {
    int colours = 1 << bits;
    std::vector<uint32_t> palette;
    for (int i = 0; i < colours; ++i) palette.push_back(uint32_t(i * 3) << 16 | 0x10 << 8 | uint32_t(255 - i));
    auto value = [=](int x, int y) { return uint32_t((x * 7 + y * 3) % colours); };
    auto file = make_bmp(13, 4, bits, value, palette);
    DibSurface s;
    std::vector<uint8_t> idx;
    ASSERT_TRUE(graphics::read_bmp(file.data(), file.size(), s, idx)) << bits;
    ASSERT_EQ(idx.size(), 13u * 4);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 13; ++x) {
        ASSERT_EQ(idx[y * 13 + x], value(x, y)) << bits;
        ASSERT_EQ(rgb_at(s, x, y), palette[value(x, y)] & 0xffffff) << bits;
      }
  }
}

TEST(Bmp, ShortPaletteUsesColoursUsed) {
  // colours used = 2 for an 8-bit picture: the pixels follow two entries.
  auto file = make_bmp(3, 1, 8, [](int x, int) { return uint32_t(x % 2); }, {0x112233, 0x445566});
  DibSurface s;
  std::vector<uint8_t> idx;
  ASSERT_TRUE(graphics::read_bmp(file.data(), file.size(), s, idx));
  EXPECT_EQ(rgb_at(s, 0, 0), 0x112233u);
  EXPECT_EQ(rgb_at(s, 1, 0), 0x445566u);
}

TEST(Bmp, DamagedFilesNeverReadOutside) {
  auto file = make_bmp(16, 16, 24, [](int, int) { return 0xffffffu; });
  DibSurface s;
  std::vector<uint8_t> idx;
  // Cut in the pixels: the missing rows (the top ones) stay black.
  std::vector<uint8_t> cut(file.begin(), file.begin() + 54 + 48 * 10);
  ASSERT_TRUE(graphics::read_bmp(cut.data(), cut.size(), s, idx));
  EXPECT_EQ(rgb_at(s, 0, 15), 0xffffffu);
  EXPECT_EQ(rgb_at(s, 0, 0), 0u);
  // Cut in the header, a palette running past the end, absurd sizes.
  EXPECT_FALSE(graphics::read_bmp(file.data(), 40, s, idx));
  auto pal = make_bmp(
      2, 2, 8, [](int, int) { return 0u; }, std::vector<uint32_t>(256, 0));
  EXPECT_FALSE(graphics::read_bmp(pal.data(), 54 + 100, s, idx));
  auto huge = file;
  huge[18] = 0xff, huge[19] = 0xff, huge[20] = 0xff, huge[21] = 0x7f;
  EXPECT_FALSE(graphics::read_bmp(huge.data(), huge.size(), s, idx));
  auto odd = file;
  odd[28] = 7;  // 7 bits per pixel
  EXPECT_FALSE(graphics::read_bmp(odd.data(), odd.size(), s, idx));
  std::mt19937 rng(3);
  for (int i = 0; i < 2000; ++i) {
    auto junk = file;
    for (int k = 0; k < 6; ++k) junk[rng() % 60] = static_cast<uint8_t>(rng());
    graphics::read_bmp(junk.data(), junk.size() - rng() % junk.size(), s, idx);
  }
}

TEST(Bmp, CompressedPixelsStayBlack) {
  auto file = make_bmp(4, 4, 24, [](int, int) { return 0xffffffu; });
  file[30] = 1;
  DibSurface s;
  std::vector<uint8_t> idx;
  ASSERT_TRUE(graphics::read_bmp(file.data(), file.size(), s, idx));
  EXPECT_EQ(rgb_at(s, 2, 2), 0u);
}

// libjpeg's own decoding of the file, as RGB rows.
std::vector<uint8_t> decode_rgb(const std::vector<uint8_t>& file) {
  jpeg_decompress_struct d;
  jpeg_error_mgr err;
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, file.data(), file.size());
  jpeg_read_header(&d, TRUE);
  d.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d);
  std::vector<uint8_t> rgb(size_t(d.output_width) * d.output_height * 3);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = rgb.data() + size_t(d.output_scanline) * d.output_width * 3;
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return rgb;
}

TEST(Jpeg, MatchesLibjpegsOwnOutput) {
  for (int components : {3, 1}) {
    std::vector<uint8_t> pixels;
    auto file = encode_jpeg(37, 23, components, pixels);
    auto rgb = decode_rgb(file);
    DibSurface s;
    ASSERT_TRUE(graphics::read_jpeg(file.data(), file.size(), s));
    ASSERT_EQ(s.width, 37);
    ASSERT_EQ(s.height, 23);
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 37; ++x)
        for (int c = 0; c < 3; ++c) ASSERT_EQ(s.row(y)[3 * x + c], rgb[(y * 37 + x) * 3 + 2 - c]);
  }
}

TEST(Jpeg, GarbageIsRefused) {
  std::vector<uint8_t> junk(100, 0x55);
  DibSurface s;
  EXPECT_FALSE(graphics::read_jpeg(junk.data(), junk.size(), s));
  EXPECT_EQ(s.width, 0);
  std::vector<uint8_t> pixels;
  auto file = encode_jpeg(128, 128, 3, pixels);
  file.resize(file.size() * 7 / 10);  // a cut stream still decodes, padded
  EXPECT_TRUE(graphics::read_jpeg(file.data(), file.size(), s));
  EXPECT_FALSE(graphics::read_jpeg(file.data(), 10, s));
}

// The decoder takes its limits from the caller; graphics passes those of
// every picture decoder.
TEST(Jpeg, PicturesBeyondTheGivenLimitsAreRefused) {
  std::vector<uint8_t> pixels;
  auto file = encode_jpeg(24, 16, 3, pixels);
  DibSurface s;
  EXPECT_FALSE(platform::decode_jpeg(file.data(), file.size(), 23, 1 << 20, s));
  EXPECT_FALSE(platform::decode_jpeg(file.data(), file.size(), 24, 24 * 16 - 1, s));
  ASSERT_TRUE(platform::decode_jpeg(file.data(), file.size(), 24, 24 * 16, s));
  EXPECT_EQ(s.width, 24);
  EXPECT_EQ(s.height, 16);
}

// A 3 x 2 picture. Walk after (0,0): (1,0) (2,0) then (2,1) (1,1) (0,1).
std::vector<uint8_t> spb_3x2() {
  BitWriter w;
  w.put(3, 16), w.put(2, 16);
  // Blue: start 10; four absolute values (c = 6: n = 8); then a run (c = 0).
  w.put(10, 8);
  w.put(6, 3);
  for (int v : {20, 30, 40, 50}) w.put(v, 8);
  w.put(0, 3);
  // Green: start 100; c = 7, b = 0: one-bit deltas (1 = +1, 0 = -0);
  // then c = 1: three-bit deltas (2 = -1, 5 = +3, 0, 7 = +4).
  w.put(100, 8);
  w.put(7, 3), w.put(0, 1);
  for (int t : {1, 0, 1, 1}) w.put(t, 1);
  w.put(1, 3);
  for (int t : {2, 5, 0, 7}) w.put(t, 3);
  // Red: start 250, c = 7, b = 1: two-bit deltas, wrapping past 255.
  w.put(250, 8);
  w.put(7, 3), w.put(1, 1);
  for (int t : {3, 3, 3, 1}) w.put(t, 2);  // +2 each, +1
  w.put(0, 3);
  return w.bytes;
}

TEST(Spb, RunsAbsoluteValuesAndAlternatingRows) {
  auto bytes = spb_3x2();
  DibSurface s;
  ASSERT_TRUE(graphics::read_spb(bytes.data(), bytes.size(), s));
  ASSERT_EQ(s.width, 3);
  ASSERT_EQ(s.height, 2);
  auto px = [&](int x, int y, int c) { return int(s.row(y)[3 * x + c]); };
  // Blue
  EXPECT_EQ(px(0, 0, 0), 10);
  EXPECT_EQ(px(1, 0, 0), 20);
  EXPECT_EQ(px(2, 0, 0), 30);
  EXPECT_EQ(px(2, 1, 0), 40);
  EXPECT_EQ(px(1, 1, 0), 50);
  EXPECT_EQ(px(0, 1, 0), 50);  // the run keeps the value
  // Green: 100, then 101 101 102 103, then 102 (105 105 109 fall past the end)
  EXPECT_EQ(px(0, 0, 1), 100);
  EXPECT_EQ(px(1, 0, 1), 101);
  EXPECT_EQ(px(2, 0, 1), 101);
  EXPECT_EQ(px(2, 1, 1), 102);
  EXPECT_EQ(px(1, 1, 1), 103);
  EXPECT_EQ(px(0, 1, 1), 102);
  // Red: 250, 252, 254, 0 (wrapped), 1, then the run
  EXPECT_EQ(px(0, 0, 2), 250);
  EXPECT_EQ(px(1, 0, 2), 252);
  EXPECT_EQ(px(2, 0, 2), 254);
  EXPECT_EQ(px(2, 1, 2), 0);
  EXPECT_EQ(px(1, 1, 2), 1);
  EXPECT_EQ(px(0, 1, 2), 1);
}

TEST(Spb, ShortStreamsAreRefused) {
  BitWriter w;
  w.put(60000, 16), w.put(60000, 16), w.put(1, 8);
  DibSurface s;
  EXPECT_FALSE(graphics::read_spb(w.bytes.data(), w.bytes.size(), s));
  auto bytes = spb_3x2();
  EXPECT_FALSE(graphics::read_spb(bytes.data(), 3, s));
  std::vector<uint8_t> zero_size = {0, 0, 0, 5, 1, 2, 3, 4};
  EXPECT_FALSE(graphics::read_spb(zero_size.data(), zero_size.size(), s));
  // A one-pixel picture needs only the three start values.
  BitWriter one;
  one.put(1, 16), one.put(1, 16), one.put(1, 8), one.put(2, 8), one.put(3, 8);
  ASSERT_TRUE(graphics::read_spb(one.bytes.data(), one.bytes.size(), s));
  EXPECT_EQ(rgb_at(s, 0, 0), 0x030201u);
}

}  // namespace
