#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/cursor_file.h"

using namespace platform;

namespace {

void put16(std::vector<uint8_t>& v, uint16_t x) {
  v.push_back(x & 0xff);
  v.push_back(x >> 8);
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back((x >> (8 * i)) & 0xff);
}

// An icon container of type 2 (cursor) with one image.
std::vector<uint8_t> container(const std::vector<uint8_t>& image, int w, int h, int hot_x, int hot_y) {
  std::vector<uint8_t> f;
  put16(f, 0);
  put16(f, 2);
  put16(f, 1);
  f.push_back(static_cast<uint8_t>(w));
  f.push_back(static_cast<uint8_t>(h));
  f.push_back(0);
  f.push_back(0);
  put16(f, hot_x);
  put16(f, hot_y);
  put32(f, static_cast<uint32_t>(image.size()));
  put32(f, 22);
  f.insert(f.end(), image.begin(), image.end());
  return f;
}

// A BMP image as cursors store it: header with doubled height, palette,
// colour rows bottom-up, then the AND mask.
std::vector<uint8_t> bmp_image(int w, int h, int bits, const std::vector<uint32_t>& palette,
                               const std::vector<uint8_t>& colour, const std::vector<uint8_t>& mask) {
  std::vector<uint8_t> b;
  put32(b, 40);
  put32(b, w);
  put32(b, h * 2);
  put16(b, 1);
  put16(b, bits);
  put32(b, 0);
  put32(b, 0);
  put32(b, 0);
  put32(b, 0);
  put32(b, static_cast<uint32_t>(palette.size()));
  put32(b, 0);
  for (uint32_t c : palette) put32(b, c);
  b.insert(b.end(), colour.begin(), colour.end());
  b.insert(b.end(), mask.begin(), mask.end());
  return b;
}

// 2 x 2, 1 bit: top-left white, the rest black; bottom-right masked out.
std::vector<uint8_t> one_bit_cursor() {
  // Rows are 4 bytes each, bottom row first.
  std::vector<uint8_t> colour = {0x00, 0, 0, 0, 0x80, 0, 0, 0};
  std::vector<uint8_t> mask = {0x40, 0, 0, 0, 0x00, 0, 0, 0};
  return container(bmp_image(2, 2, 1, {0x000000, 0xffffff}, colour, mask), 2, 2, 1, 0);
}

}  // namespace

TEST(CursorFile, ReadsOneBitPictureWithMaskAndHotSpot) {
  std::vector<uint8_t> file = one_bit_cursor();
  CursorImage c;
  ASSERT_TRUE(read_cursor_file(file.data(), file.size(), c));
  EXPECT_EQ(c.width, 2);
  EXPECT_EQ(c.height, 2);
  EXPECT_EQ(c.hot_x, 1);
  EXPECT_EQ(c.hot_y, 0);
  EXPECT_EQ(c.argb[0], 0xffffffffu);  // top-left white
  EXPECT_EQ(c.argb[1], 0xff000000u);
  EXPECT_EQ(c.argb[2], 0xff000000u);
  EXPECT_EQ(c.argb[3], 0u);  // masked
}

TEST(CursorFile, ReadsThirtyTwoBitPictureWithAlpha) {
  std::vector<uint8_t> colour = {1, 2, 3, 0x80};  // one BGRA pixel
  std::vector<uint8_t> mask = {0, 0, 0, 0};
  std::vector<uint8_t> file = container(bmp_image(1, 1, 32, {}, colour, mask), 1, 1, 0, 0);
  CursorImage c;
  ASSERT_TRUE(read_cursor_file(file.data(), file.size(), c));
  EXPECT_EQ(c.argb[0], 0x80030201u);
}

TEST(CursorFile, ReadsPngPicture) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = 3;
  image.height = 1;
  image.format = PNG_FORMAT_RGBA;
  uint8_t pixels[12] = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0};
  png_alloc_size_t size = 0;
  ASSERT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels, 0, nullptr));
  std::vector<uint8_t> png(size);
  ASSERT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, pixels, 0, nullptr));
  png.resize(size);
  std::vector<uint8_t> file = container(png, 3, 1, 2, 0);
  CursorImage c;
  ASSERT_TRUE(read_cursor_file(file.data(), file.size(), c));
  EXPECT_EQ(c.width, 3);
  EXPECT_EQ(c.hot_x, 2);
  EXPECT_EQ(c.argb[0], 0xffff0000u);
  EXPECT_EQ(c.argb[1] >> 24, 128u);
}

TEST(CursorFile, RefusesDamagedFiles) {
  std::vector<uint8_t> good = one_bit_cursor();
  CursorImage c;
  EXPECT_FALSE(read_cursor_file(nullptr, 0, c));
  // Every truncation fails cleanly (the mask may be missing, so only cuts
  // into the colour rows must fail).
  for (size_t n = 0; n < good.size() - 8; ++n) EXPECT_FALSE(read_cursor_file(good.data(), n, c)) << n;
  std::vector<uint8_t> bad = good;
  bad[18] = 0xff;  // image offset far outside
  EXPECT_FALSE(read_cursor_file(bad.data(), bad.size(), c));
  bad = good;
  bad[22 + 8] = 0xff;  // enormous height
  bad[22 + 9] = 0xff;
  EXPECT_FALSE(read_cursor_file(bad.data(), bad.size(), c));
  bad = good;
  bad[22 + 14] = 7;  // no such bit count
  EXPECT_FALSE(read_cursor_file(bad.data(), bad.size(), c));
  bad = good;
  bad[22 + 32] = 0xff;  // palette larger than 256 entries
  bad[22 + 33] = 0xff;
  EXPECT_FALSE(read_cursor_file(bad.data(), bad.size(), c));
}

TEST(CursorFile, SurvivesRandomBytes) {
  std::mt19937 rng(580);
  std::vector<uint8_t> base = one_bit_cursor();
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> f = base;
    int flips = 1 + static_cast<int>(rng() % 6);
    for (int i = 0; i < flips; ++i) f[rng() % f.size()] = static_cast<uint8_t>(rng());
    CursorImage c;
    if (read_cursor_file(f.data(), f.size(), c)) {
      EXPECT_EQ(c.argb.size(), static_cast<size_t>(c.width) * c.height);
      EXPECT_LT(c.hot_x, c.width);
    }
  }
}
