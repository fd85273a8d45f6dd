#include <gtest/gtest.h>

#include <random>

#include "graphics/blend.h"
#include "graphics/draw_image.h"
#include "graphics/draw_rows.h"

using graphics::DibSurface;
using graphics::ImageRecord;
using graphics::Rect;

namespace {

// The blend written out per pixel with a freshly computed table, as a plain
// reading of the drawing rules.
uint8_t T(int a, int b) { return static_cast<uint8_t>(a * b / 255); }

void reference_draw(const ImageRecord& src, DibSurface& dst, const Rect* clip, int x, int y) {
  const DibSurface& s = src.surface;
  int cw = s.width / std::max(src.cell_count, 1);
  int vw = src.trans_mode == 1 ? cw / 2 : cw;
  int L = 0, Tp = 0, R = dst.width - 1, B = dst.height - 1;
  if (clip) {
    L = std::max(clip->left, 0);
    Tp = std::max(clip->top, 0);
    R = std::min(clip->right, dst.width - 1);
    B = std::min(clip->bottom, dst.height - 1);
  }
  bool indexed = !src.indices.empty();
  for (int j = 0; j < s.height; ++j) {
    for (int i = 0; i < vw; ++i) {
      int dx = x + i, dy = y + j;
      if (dx < L || dx > R || dy < Tp || dy > B) continue;
      int sx = src.current_cell * cw + i;
      const uint8_t* sp = s.row(j) + sx * 3;
      uint8_t* dp = dst.row(dy) + dx * 3;
      int a = src.alpha;
      auto put = [&](int w) {
        for (int c = 0; c < 3; ++c) dp[c] = T(sp[c], w) + T(dp[c], 255 - w);
      };
      switch (src.trans_mode) {
        case 3:
          if (a == -1)
            for (int c = 0; c < 3; ++c) dp[c] = sp[c];
          else
            put(a);
          break;
        case 0:
        case 4:
        case 2: {
          bool skip;
          if (indexed) {
            int kx = src.trans_mode == 4 ? s.width - 1 : 0;
            int k = src.trans_mode == 2 ? src.key_index : src.indices[kx];
            skip = src.indices[j * s.width + sx] == k;
          } else if (src.trans_mode == 2) {
            skip = sp[0] == src.key_blue && sp[1] == src.key_green && sp[2] == src.key_red;
          } else {
            const uint8_t* kp = s.row(0) + (src.trans_mode == 4 ? s.width - 1 : 0) * 3;
            skip = sp[0] == kp[0] && sp[1] == kp[1] && sp[2] == kp[2];
          }
          if (skip) break;
          if (a == -1)
            for (int c = 0; c < 3; ++c) dp[c] = sp[c];
          else
            put(a);
          break;
        }
        case 1: {
          int m = sp[vw * 3];
          if (a == -1)
            for (int c = 0; c < 3; ++c) dp[c] = T(sp[c], 255 - m) + T(dp[c], m);
          else
            put(T(255 - m, a));
          break;
        }
      }
    }
  }
}

DibSurface random_surface(int w, int h, std::mt19937& rng, int levels = 256) {
  DibSurface s;
  graphics::create_surface(s, w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w * 3; ++x) s.row(y)[x] = static_cast<uint8_t>(rng() % levels * (255 / (levels - 1)));
  return s;
}

struct Case {
  int mode;
  int alpha;
};

class DrawModes : public ::testing::TestWithParam<Case> {};

TEST_P(DrawModes, MatchTheTableArithmeticEverywhere) {
  std::mt19937 rng(1234 + GetParam().mode * 7 + GetParam().alpha);
  for (int round = 0; round < 40; ++round) {
    graphics::use_vector_rows(2 - round % 3);
    ImageRecord img;
    img.trans_mode = GetParam().mode;
    img.alpha = GetParam().alpha;
    img.cell_count = 1 + round % 3;
    img.current_cell = round % img.cell_count;
    int cw = 2 * (3 + rng() % 50);
    // Few levels so that colour keys actually match.
    img.surface = random_surface(cw * img.cell_count, 1 + rng() % 30, rng, round % 2 ? 2 : 256);
    img.key_blue = 255, img.key_green = 0, img.key_red = 255;
    DibSurface dst = random_surface(90, 30, rng);
    DibSurface ref = dst;
    int x = static_cast<int>(rng() % 100) - 30, y = static_cast<int>(rng() % 50) - 20;
    Rect clip{static_cast<int>(rng() % 20) - 5, static_cast<int>(rng() % 15) - 5, 20 + static_cast<int>(rng() % 80),
              15 + static_cast<int>(rng() % 30)};
    const Rect* c = round % 4 == 0 ? nullptr : &clip;
    graphics::draw_image(img, dst, c, x, y);
    reference_draw(img, ref, c, x, y);
    ASSERT_EQ(dst.pixels, ref.pixels) << "round " << round;
  }
  graphics::use_vector_rows(2);
}

INSTANTIATE_TEST_SUITE_P(AllModes, DrawModes,
                         ::testing::Values(Case{3, -1}, Case{3, 0}, Case{3, 77}, Case{3, 255}, Case{0, -1},
                                           Case{0, 128}, Case{4, -1}, Case{4, 200}, Case{2, -1}, Case{2, 31},
                                           Case{1, -1}, Case{1, 0}, Case{1, 99}, Case{1, 255}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           int a = info.param.alpha;
                           return "mode" + std::to_string(info.param.mode) + "_alpha" +
                                  (a < 0 ? std::string("none") : std::to_string(a));
                         });

TEST(DrawImage, PaletteKeysCompareIndicesNotColours) {
  // Indices 0 and 1 share a colour; only index 0 (the top-left) is the key.
  ImageRecord img;
  graphics::create_surface(img.surface, 2, 1);
  img.indices = {0, 1};
  img.trans_mode = 0;
  DibSurface dst;
  graphics::create_surface(dst, 2, 1);
  std::fill(dst.pixels.begin(), dst.pixels.end(), 9);
  std::fill(img.surface.pixels.begin(), img.surface.pixels.end(), 50);
  graphics::draw_image(img, dst, nullptr, 0, 0);
  EXPECT_EQ(dst.row(0)[0], 9);
  EXPECT_EQ(dst.row(0)[3], 50);
  std::mt19937 rng(5);
  img.surface = random_surface(10, 4, rng);
  img.indices.resize(40);
  for (auto& i : img.indices) i = rng() % 3;
  for (int mode : {0, 2, 4})
    for (int a : {-1, 100}) {
      img.trans_mode = mode, img.alpha = a, img.key_index = 1;
      DibSurface d2 = random_surface(12, 6, rng), r2 = d2;
      graphics::draw_image(img, d2, nullptr, 1, 1);
      reference_draw(img, r2, nullptr, 1, 1);
      EXPECT_EQ(d2.pixels, r2.pixels) << mode << " " << a;
    }
}

TEST(DrawImage, CellsPastThePictureDrawNothing) {
  ImageRecord img;
  graphics::create_surface(img.surface, 4, 2);
  std::fill(img.surface.pixels.begin(), img.surface.pixels.end(), 200);
  img.cell_count = 2;
  img.current_cell = 5;
  DibSurface dst;
  graphics::create_surface(dst, 8, 8);
  graphics::draw_image(img, dst, nullptr, 0, 0);
  img.current_cell = -1;
  graphics::draw_image(img, dst, nullptr, 0, 0);
  img.cell_count = 0;  // treated as one cell
  img.current_cell = 0;
  graphics::draw_image(img, dst, nullptr, 6, 6);
  EXPECT_EQ(dst.row(6)[18], 200);
  EXPECT_EQ(dst.row(0)[0], 0);
}

TEST(DrawImage, FarOffCoordinatesDoNotOverflow) {
  ImageRecord img;
  graphics::create_surface(img.surface, 4, 4);
  DibSurface dst;
  graphics::create_surface(dst, 8, 8);
  auto before = dst.pixels;
  graphics::draw_image(img, dst, nullptr, 2147483647, -2147483647 - 1);
  graphics::draw_image(img, dst, nullptr, -2147483647 - 1, 2147483647);
  EXPECT_EQ(dst.pixels, before);
}

TEST(Blend, TableAndDivisionAgreeForAllPairs) {
  const auto& t = graphics::blend_table();
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) {
      ASSERT_EQ(t.t[a][b], a * b / 255);
      ASSERT_EQ(graphics::div255(a * b), uint32_t(a * b / 255));
    }
}

TEST(Blend, RowKernelsMatchPerByteFormula) {
  std::mt19937 rng(9);
  std::vector<uint8_t> s(1001), d(1001), w(1001);
  for (size_t i = 0; i < s.size(); ++i) s[i] = rng(), d[i] = rng(), w[i] = rng();
  auto d1 = d, d2 = d;
  graphics::blend_row(d1.data(), s.data(), w.data(), s.size());
  graphics::blend_row_const(d2.data(), s.data(), 77, s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    ASSERT_EQ(d1[i], T(s[i], w[i]) + T(d[i], 255 - w[i]));
    ASSERT_EQ(d2[i], T(s[i], 77) + T(d[i], 178));
  }
}

}  // namespace

namespace {

// Sprites made of wide blocks: whole groups of 16 pixels that are all key,
// all drawn, or mixed, which the vector kernels treat each in their own way.
TEST(DrawImage, BlockyPicturesMatchAtEveryVectorLevel) {
  std::mt19937 rng(77);
  for (int mode : {0, 1, 2, 4})
    for (int a : {-1, 255, 130})
      for (int level = 0; level <= 2; ++level) {
        graphics::use_vector_rows(level);
        ImageRecord img;
        img.trans_mode = mode;
        img.alpha = a;
        img.key_red = 255, img.key_green = 0, img.key_blue = 255;
        int w = 150;
        graphics::create_surface(img.surface, mode == 1 ? 2 * w : w, 6);
        for (int y = 0; y < 6; ++y)
          for (int x = 0; x < w; ++x) {
            uint8_t* p = img.surface.row(y) + 3 * x;
            int block = (x + 7 * y) / 19 % 3;
            if (block == 0 || (x == 0 && y == 0))
              p[0] = 255, p[1] = 0, p[2] = 255;
            else
              p[0] = static_cast<uint8_t>(rng()), p[1] = static_cast<uint8_t>(rng()), p[2] = 7;
            if (mode == 1) {
              uint8_t* m = img.surface.row(y) + 3 * (w + x);
              uint8_t v = block == 0 ? 255 : block == 1 ? 0 : static_cast<uint8_t>(rng());
              m[0] = v, m[1] = static_cast<uint8_t>(rng()), m[2] = 0;
            }
          }
        DibSurface dst = random_surface(200, 10, rng), ref = dst;
        graphics::draw_image(img, dst, nullptr, 3, 2);
        reference_draw(img, ref, nullptr, 3, 2);
        ASSERT_EQ(dst.pixels, ref.pixels) << mode << " " << a << " " << level;
      }
  graphics::use_vector_rows(2);
}

}  // namespace
