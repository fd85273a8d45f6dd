#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "platform/glyphs.h"
#include "platform/sjis.h"
#include "text/glyph_cache.h"

namespace {

// The reduction written out pixel by pixel as the weights read.
uint8_t reference_level(const platform::GlyphCanvas& c, int x, int y) {
  auto at = [&](int dx, int dy) { return int(c.pixels[(3 * y + dy) * c.width + 3 * x + dx]); };
  return static_cast<uint8_t>((at(0, 0) + 2 * at(1, 0) + at(2, 0) + 2 * at(0, 1) + 4 * at(1, 1) + 2 * at(2, 1) +
                               at(0, 2) + 2 * at(1, 2) + at(2, 2)) /
                              16);
}

platform::GlyphFont gothic(int w, int h, bool bold) {
  return platform::create_font(platform::utf8_to_sjis("ＭＳ ゴシック"), w, h, bold);
}

}  // namespace

TEST(GlyphReduction, MatchesTheWeightedBlockOnAnyCanvas) {
  std::mt19937 rng(7);
  for (auto [w, h] : {std::pair{26, 26}, {7, 13}, {1, 1}, {16, 9}}) {
    platform::GlyphCanvas c;
    c.width = 3 * w + 5;  // wider than the glyph: rows are read with the canvas width
    c.height = 3 * h + 2;
    c.pixels.resize(static_cast<size_t>(c.width) * c.height);
    for (auto& p : c.pixels) p = static_cast<uint8_t>(rng());
    std::vector<uint8_t> out(static_cast<size_t>(w) * h);
    text::reduce_glyph(c, w, h, out.data());
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) ASSERT_EQ(out[y * w + x], reference_level(c, x, y)) << w << " " << x << "," << y;
  }
}

TEST(GlyphReduction, FullInkIs255AndNoInkIs0) {
  platform::GlyphCanvas c;
  platform::ensure_glyph_canvas(c, 4, 4);
  std::vector<uint8_t> out(16);
  text::reduce_glyph(c, 4, 4, out.data());
  EXPECT_EQ(out, std::vector<uint8_t>(16, 0));
  std::fill(c.pixels.begin(), c.pixels.end(), 255);
  text::reduce_glyph(c, 4, 4, out.data());
  EXPECT_EQ(out, std::vector<uint8_t>(16, 255));
}

TEST(GlyphReduction, RenderedGlyphEqualsReferenceOverItsCanvas) {
  platform::GlyphFont f = gothic(26, 26, true);
  std::string item = platform::utf8_to_sjis("語");
  platform::GlyphCanvas c;
  platform::draw_glyph_item(c, f, item[0], item[1]);
  std::vector<uint8_t> fresh(26 * 26);
  ASSERT_TRUE(text::render_glyph_coverage(f, item[0], item[1], fresh.data()));
  int ink = 0;
  for (int y = 0; y < 26; y++)
    for (int x = 0; x < 26; x++) {
      ASSERT_EQ(fresh[y * 26 + x], reference_level(c, x, y));
      ink += fresh[y * 26 + x] > 0;
    }
  EXPECT_GT(ink, 60);
}

TEST(GlyphCache, CachedCoverageIsIdenticalToRenderingAfresh) {
  text::clear_glyph_cache();
  std::string sample = platform::utf8_to_sjis("今日は良い天気ですね。「漢字」とカナ、ABCab12ｱｲｳ");
  if (sample.size() % 2) sample += ' ';
  for (auto [w, h, bold] : {std::tuple{26, 26, true}, {26, 26, false}, {17, 23, true}, {40, 40, false}}) {
    platform::GlyphFont f = gothic(w, h, bold);
    size_t n = static_cast<size_t>(w) * h;
    std::vector<uint8_t> fresh(n);
    for (int pass = 0; pass < 2; pass++)
      for (size_t i = 0; i + 1 < sample.size(); i += 2) {
        uint8_t a = sample[i], b = sample[i + 1];
        const uint8_t* cached = text::glyph_coverage(f, a, b);
        ASSERT_NE(cached, nullptr);
        ASSERT_TRUE(text::render_glyph_coverage(f, a, b, fresh.data()));
        ASSERT_EQ(std::memcmp(cached, fresh.data(), n), 0) << w << "x" << h << " bold " << bold << " at " << i;
      }
  }
}

TEST(GlyphCache, KeysOnFaceSizeWeightAndCharacter) {
  text::clear_glyph_cache();
  std::string ka = platform::utf8_to_sjis("か");
  platform::GlyphFont f = gothic(26, 26, true);
  const uint8_t* first = text::glyph_coverage(f, ka[0], ka[1]);
  EXPECT_EQ(text::glyph_cache_entries(), 1u);
  EXPECT_EQ(text::glyph_coverage(f, ka[0], ka[1]), first);  // a repeat renders nothing
  EXPECT_EQ(text::glyph_cache_entries(), 1u);
  text::glyph_coverage(gothic(26, 26, false), ka[0], ka[1]);
  text::glyph_coverage(gothic(24, 26, true), ka[0], ka[1]);
  text::glyph_coverage(gothic(26, 24, true), ka[0], ka[1]);
  text::glyph_coverage(platform::create_font(platform::utf8_to_sjis("ＭＳ Ｐゴシック"), 26, 26, true), ka[0], ka[1]);
  text::glyph_coverage(f, 'k', 'a');
  EXPECT_EQ(text::glyph_cache_entries(), 6u);
  text::clear_glyph_cache();
  EXPECT_EQ(text::glyph_cache_entries(), 0u);
}

TEST(GlyphCache, UnusableSizesGiveNoCoverage) {
  std::string ka = platform::utf8_to_sjis("か");
  EXPECT_EQ(text::glyph_coverage(gothic(0, 26, true), ka[0], ka[1]), nullptr);
  EXPECT_EQ(text::glyph_coverage(gothic(26, -1, true), ka[0], ka[1]), nullptr);
  EXPECT_EQ(text::glyph_coverage(gothic(5000, 26, true), ka[0], ka[1]), nullptr);
  uint8_t out[4] = {9, 9, 9, 9};
  EXPECT_FALSE(text::render_glyph_coverage(gothic(0, 0, false), ka[0], ka[1], out));
  EXPECT_EQ(out[0], 9);
}

TEST(GlyphCache, LargeGlyphsBesideSmallOnesStayIntact) {
  // Glyphs bigger than a storage block live in their own block; small ones
  // keep filling the shared block before and after them.
  text::clear_glyph_cache();
  std::string kana = platform::utf8_to_sjis("あいう");
  platform::GlyphFont small = gothic(20, 20, false), big = gothic(600, 600, false);
  const uint8_t* s1 = text::glyph_coverage(small, kana[0], kana[1]);
  std::vector<uint8_t> keep1(s1, s1 + 400);
  const uint8_t* b = text::glyph_coverage(big, kana[2], kana[3]);
  std::vector<uint8_t> keepb(b, b + 600 * 600);
  const uint8_t* s2 = text::glyph_coverage(small, kana[4], kana[5]);
  EXPECT_EQ(std::vector<uint8_t>(s1, s1 + 400), keep1);
  EXPECT_EQ(std::vector<uint8_t>(b, b + 600 * 600), keepb);
  std::vector<uint8_t> fresh(400);
  text::render_glyph_coverage(small, kana[4], kana[5], fresh.data());
  EXPECT_EQ(std::vector<uint8_t>(s2, s2 + 400), fresh);
  text::clear_glyph_cache();
}
