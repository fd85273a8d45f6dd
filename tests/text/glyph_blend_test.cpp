#include <gtest/gtest.h>

#include <random>

#include "graphics/surface.h"
#include "platform/glyphs.h"
#include "platform/sjis.h"
#include "text/glyph_blend.h"
#include "text/glyph_cache.h"

namespace {

uint8_t* pixel(graphics::DibSurface& s, int x, int y) { return s.row(y) + 3 * x; }

void fill(graphics::DibSurface& s, uint8_t b, uint8_t g, uint8_t r) {
  for (int y = 0; y < s.height; y++)
    for (int x = 0; x < s.width; x++) {
      uint8_t* p = pixel(s, x, y);
      p[0] = b, p[1] = g, p[2] = r;
    }
}

}  // namespace

TEST(GlyphBlend, ProductIsTheFlooredQuotientForEveryPair) {
  for (unsigned a = 0; a < 256; a++)
    for (unsigned b = 0; b < 256; b++) ASSERT_EQ(text::blend_product(a, b), a * b / 255) << a << " " << b;
}

TEST(GlyphBlend, EveryPixelFollowsTheBlendAndShadowRules) {
  std::mt19937 rng(3);
  graphics::DibSurface surface, expect, layer;
  graphics::create_surface(surface, 40, 20);
  graphics::create_surface(layer, 40, 20);
  for (auto& p : surface.pixels) p = static_cast<uint8_t>(rng());
  expect = surface;
  std::vector<uint8_t> map(40 * 20, 77);
  const int w = 9, h = 7, x0 = 5, y0 = 4;
  std::vector<uint8_t> cov(w * h);
  for (auto& a : cov) a = (rng() % 3 == 0) ? 0 : static_cast<uint8_t>(rng());
  const uint8_t rgb[3] = {250, 128, 3};

  text::blend_glyph(surface, {map.data(), &layer}, x0, y0, cov.data(), w, h, rgb, true);

  // The rules applied in raster order on a copy.
  for (int r = 0; r < h; r++)
    for (int c = 0; c < w; c++) {
      unsigned a = cov[r * w + c];
      uint8_t* p = pixel(expect, x0 + c, y0 + r);
      const unsigned bgr[3] = {rgb[2], rgb[1], rgb[0]};
      for (int k = 0; k < 3; k++) p[k] = std::min(255u, bgr[k] * a / 255 + p[k] * (255 - a) / 255);
      for (int k = 3; k < 6; k++) p[k] = p[k] * (255 - a) / 255;
      ASSERT_EQ(map[(y0 + r) * 40 + x0 + c], a);
      for (int k = 0; k < 3; k++) ASSERT_EQ(pixel(layer, x0 + c, y0 + r)[k], bgr[k] * a / 255);
    }
  EXPECT_EQ(surface.pixels, expect.pixels);
  EXPECT_EQ(map[0], 77);  // outside the glyph nothing is recorded
}

TEST(GlyphBlend, WhiteInkOnBlackAndTheShadowOnePixelRight) {
  graphics::DibSurface s;
  graphics::create_surface(s, 8, 3);
  fill(s, 200, 200, 200);
  uint8_t cov[2] = {255, 0};
  const uint8_t white[3] = {255, 255, 255};
  text::blend_glyph(s, {}, 2, 1, cov, 2, 1, white, true);
  EXPECT_EQ(pixel(s, 2, 1)[0], 255);
  EXPECT_EQ(pixel(s, 3, 1)[0], 0);    // under the shadow of the full pixel
  EXPECT_EQ(pixel(s, 4, 1)[0], 200);  // coverage 0 casts no shadow
  EXPECT_EQ(pixel(s, 2, 0)[0], 200);
  text::blend_glyph(s, {}, 5, 0, cov, 2, 1, white, false);
  EXPECT_EQ(pixel(s, 6, 0)[0], 200);  // no shadow asked
}

TEST(GlyphBlend, GlyphsAcrossTheSurfaceEdgeAreClipped) {
  graphics::DibSurface s, layer;
  graphics::create_surface(s, 10, 10);
  graphics::create_surface(layer, 10, 10);
  std::vector<uint8_t> map(100, 0);
  std::vector<uint8_t> cov(6 * 6, 255);
  const uint8_t red[3] = {255, 0, 0};
  for (auto [x, y] : {std::pair{-3, -3}, {7, 7}, {9, 0}, {-6, 0}, {0, 10}, {100, -100}})
    text::blend_glyph(s, {map.data(), &layer}, x, y, cov.data(), 6, 6, red, true);
  EXPECT_EQ(pixel(s, 0, 0)[2], 255);
  EXPECT_EQ(pixel(s, 9, 9)[2], 255);
  EXPECT_EQ(map[9 * 10 + 9], 255);
  EXPECT_EQ(pixel(s, 5, 5)[2], 0);
}

TEST(GlyphBlend, ALineThroughTheCacheGivesTheSamePictureAsRenderingAfresh) {
  // Neighbouring cells overlap through the shadow column, so the order of
  // drawing matters as much as the coverage itself.
  platform::GlyphFont font = platform::create_font(platform::utf8_to_sjis("ＭＳ ゴシック"), 20, 22, true);
  std::string line = platform::utf8_to_sjis("言葉を、ひとつずつ。ABｱｲ言葉を");
  const uint8_t colour[3] = {255, 255, 64};
  graphics::DibSurface fresh_picture, cached_picture, fresh_layer, cached_layer;
  for (auto* s : {&fresh_picture, &cached_picture}) {
    graphics::create_surface(*s, 400, 40);
    fill(*s, 30, 90, 160);
  }
  graphics::create_surface(fresh_layer, 400, 40);
  graphics::create_surface(cached_layer, 400, 40);
  std::vector<uint8_t> fresh_map(400 * 40), cached_map(400 * 40), cov(20 * 22);
  text::clear_glyph_cache();
  for (size_t i = 0; i + 1 < line.size(); i += 2) {
    int x = 4 + static_cast<int>(i / 2) * 20;  // no spacing: each shadow falls on the next cell
    ASSERT_TRUE(text::render_glyph_coverage(font, line[i], line[i + 1], cov.data()));
    text::blend_glyph(fresh_picture, {fresh_map.data(), &fresh_layer}, x, 8, cov.data(), 20, 22, colour, true);
    const uint8_t* cached = text::glyph_coverage(font, line[i], line[i + 1]);
    text::blend_glyph(cached_picture, {cached_map.data(), &cached_layer}, x, 8, cached, 20, 22, colour, true);
  }
  EXPECT_EQ(fresh_picture.pixels, cached_picture.pixels);
  EXPECT_EQ(fresh_layer.pixels, cached_layer.pixels);
  EXPECT_EQ(fresh_map, cached_map);
  EXPECT_LT(text::glyph_cache_entries(), line.size() / 2);  // the repeated characters came from the cache
}
