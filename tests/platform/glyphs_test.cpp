#include <gtest/gtest.h>

#include <algorithm>

#include "platform/glyphs.h"
#include "platform/sjis.h"

namespace {

platform::GlyphFont font_named(const char* utf8, int w = 26, int h = 26, bool bold = false) {
  return platform::create_font(platform::utf8_to_sjis(utf8), w, h, bold);
}

// The glyph area of the canvas after drawing one item (3w x 3h, row-major).
std::vector<uint8_t> draw(const platform::GlyphFont& font, const std::string& utf8_item) {
  std::string item = platform::utf8_to_sjis(utf8_item);
  item.resize(2, '\0');
  platform::GlyphCanvas canvas;
  platform::draw_glyph_item(canvas, font, item[0], item[1]);
  int w = 3 * font.glyph_width, h = 3 * font.glyph_height;
  std::vector<uint8_t> area(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; y++)
    std::copy_n(canvas.pixels.data() + static_cast<size_t>(y) * canvas.width, w, area.data() + y * w);
  return area;
}

// Ink in columns [x0, x1) of a 3w-wide area.
long ink_in_columns(const std::vector<uint8_t>& area, int width, int x0, int x1) {
  long sum = 0;
  for (size_t i = 0; i < area.size(); i++) {
    int x = static_cast<int>(i % width);
    if (x >= x0 && x < x1) sum += area[i];
  }
  return sum;
}

}  // namespace

TEST(FaceMatching, WindowsGothicNamesFindTheInstalledJapaneseGothics) {
  platform::GlyphFont gothic = font_named("ＭＳ ゴシック");
  ASSERT_GE(gothic.face, 0);
  EXPECT_EQ(platform::font_family(gothic), "IPAGothic");
  platform::GlyphFont pgothic = font_named("ＭＳ Ｐゴシック");
  EXPECT_EQ(platform::font_family(pgothic), "IPAPGothic");
  EXPECT_EQ(platform::font_family(font_named("MS PGothic")), "IPAPGothic");
}

TEST(FaceMatching, EveryNameEndsInAFaceWithJapaneseCharacters) {
  for (const char* name : {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝", "MS UI Gothic",
                           "No Such Face At All", "DejaVu Sans", ""}) {
    platform::GlyphFont f = font_named(name);
    ASSERT_GE(f.face, 0) << name;
    EXPECT_TRUE(platform::font_has_character(f, 0x3042)) << name;  // あ
    EXPECT_TRUE(platform::font_has_character(f, 0x6f22)) << name;  // 漢
  }
}

TEST(FaceMatching, MinchoNamesPreferASerifFace) {
  platform::GlyphFont mincho = font_named("ＭＳ 明朝");
  platform::GlyphFont gothic = font_named("ＭＳ ゴシック");
  // With a mincho installed it is chosen; the gothic otherwise stands in.
  if (platform::font_family(mincho).find("Mincho") != std::string::npos) {
    EXPECT_NE(platform::font_file(mincho), platform::font_file(gothic));
  }
}

TEST(FaceMatching, InstalledFacesAreListedByTheirJapaneseNamesAndFoundAgain) {
  std::vector<std::string> faces = platform::list_font_faces();
  ASSERT_FALSE(faces.empty());
  EXPECT_NE(std::find(faces.begin(), faces.end(), platform::utf8_to_sjis("IPAゴシック")), faces.end());
  EXPECT_TRUE(std::is_sorted(faces.begin(), faces.end()));
  for (const std::string& name : faces) {
    platform::GlyphFont f = platform::create_font(name, 26, 26, false);
    ASSERT_GE(f.face, 0) << platform::sjis_to_utf8(name);
    EXPECT_TRUE(platform::font_has_character(f, 0x3042));
  }
  // A listed family is found as itself, not as the stand-in for its kind.
  EXPECT_EQ(platform::font_family(font_named("IPAゴシック")), "IPAGothic");
  EXPECT_EQ(platform::font_family(font_named("IPAPGothic")), "IPAPGothic");
}

TEST(FaceMatching, UnusableSizesDrawNothing) {
  for (int size : {0, -5, platform::kMaxGlyphSize + 1, 100000}) {
    platform::GlyphFont f = font_named("ＭＳ ゴシック", size, size);
    EXPECT_EQ(f.face, -1);
    platform::GlyphCanvas canvas;
    platform::draw_glyph_item(canvas, f, 0x82, 0xa0);
    EXPECT_LE(canvas.width, 3 * platform::kMaxGlyphSize);
    EXPECT_TRUE(std::all_of(canvas.pixels.begin(), canvas.pixels.end(), [](uint8_t v) { return v == 0; }));
  }
}

TEST(GlyphCanvas, GrowsOnlyWhenTooSmall) {
  platform::GlyphCanvas canvas;
  platform::ensure_glyph_canvas(canvas, 26, 26);
  EXPECT_EQ(canvas.width, 78);
  EXPECT_EQ(canvas.height, 78);
  const uint8_t* before = canvas.pixels.data();
  platform::ensure_glyph_canvas(canvas, 16, 20);
  EXPECT_EQ(canvas.pixels.data(), before);
  EXPECT_EQ(canvas.width, 78);
  platform::ensure_glyph_canvas(canvas, 16, 40);
  EXPECT_EQ(canvas.width, 78);
  EXPECT_EQ(canvas.height, 120);
}

TEST(GlyphDrawing, FullWidthCharacterSpreadsOverTheWholeCell) {
  platform::GlyphFont f = font_named("ＭＳ ゴシック");
  std::vector<uint8_t> a = draw(f, "漢");
  EXPECT_GT(ink_in_columns(a, 78, 0, 39), 0);
  EXPECT_GT(ink_in_columns(a, 78, 39, 78), 0);
}

TEST(GlyphDrawing, HalfWidthPairSharesOneCellHalfEach) {
  platform::GlyphFont f = font_named("ＭＳ ゴシック");
  std::vector<uint8_t> left = draw(f, "A ");
  std::vector<uint8_t> right = draw(f, " B");
  std::vector<uint8_t> both = draw(f, "AB");
  // 3 x 26 / 2 = 39: the right half starts there.
  EXPECT_GT(ink_in_columns(left, 78, 0, 39), 0);
  EXPECT_EQ(ink_in_columns(left, 78, 39, 78), 0);
  EXPECT_EQ(ink_in_columns(right, 78, 0, 39), 0);
  EXPECT_GT(ink_in_columns(right, 78, 39, 78), 0);
  for (size_t i = 0; i < both.size(); i++) ASSERT_EQ(both[i], std::max(left[i], right[i])) << i;
  // The same letter in either half is the same picture moved by half a cell.
  std::vector<uint8_t> a_left = draw(f, "A "), a_right = draw(f, " A");
  for (int y = 0; y < 78; y++)
    for (int x = 0; x < 39; x++) ASSERT_EQ(a_left[y * 78 + x], a_right[y * 78 + x + 39]);
}

TEST(GlyphDrawing, HalfWidthKatakanaAndCutCharacters) {
  platform::GlyphFont f = font_named("ＭＳ ゴシック");
  // ｱ is the single byte 0xB1: a half-width character.
  std::vector<uint8_t> kana = draw(f, "ｱ ");
  EXPECT_GT(ink_in_columns(kana, 78, 0, 39), 0);
  EXPECT_EQ(ink_in_columns(kana, 78, 39, 78), 0);
  // A lead byte in the second half is a character cut in two: only the first half draws.
  platform::GlyphCanvas canvas;
  platform::draw_glyph_item(canvas, f, 'A', 0x82);
  long right = 0;
  for (int y = 0; y < 78; y++)
    for (int x = 39; x < 78; x++) right += canvas.pixels[y * canvas.width + x];
  EXPECT_EQ(right, 0);
  // Invalid pairs and control bytes draw nothing and do not fail.
  for (auto [a, b] : {std::pair<int, int>{0x81, 0x0a}, {0x00, 0x00}, {0x0a, 0x09}, {0xfc, 0xfc}, {0x80, 0xa0}}) {
    platform::draw_glyph_item(canvas, f, static_cast<uint8_t>(a), static_cast<uint8_t>(b));
    for (int y = 0; y < 78; y++)
      for (int x = 0; x < 78; x++) ASSERT_EQ(canvas.pixels[y * canvas.width + x], 0) << a << " " << b;
  }
}

TEST(GlyphDrawing, DrawingClearsWhatTheLastItemLeft) {
  platform::GlyphFont f = font_named("ＭＳ ゴシック");
  platform::GlyphCanvas canvas;
  std::string item = platform::utf8_to_sjis("漢");
  platform::draw_glyph_item(canvas, f, item[0], item[1]);
  platform::draw_glyph_item(canvas, f, ' ', ' ');
  EXPECT_TRUE(std::all_of(canvas.pixels.begin(), canvas.pixels.end(), [](uint8_t v) { return v == 0; }));
}

TEST(GlyphDrawing, BoldIsTheGlyphStruckAgainOnePixelRight) {
  platform::GlyphFont normal = font_named("ＭＳ ゴシック", 26, 26, false);
  platform::GlyphFont bold = font_named("ＭＳ ゴシック", 26, 26, true);
  ASSERT_EQ(bold.face, normal.face);  // the installed gothic has no bold weight
  ASSERT_TRUE(bold.synthetic_bold);
  std::vector<uint8_t> n = draw(normal, "永");
  std::vector<uint8_t> b = draw(bold, "永");
  // Thickened by one pixel for the weight, then struck again one pixel right.
  for (int y = 0; y < 78; y++)
    for (int x = 0; x < 78; x++) {
      uint8_t expect = n[y * 78 + x];
      if (x >= 1) expect = std::max(expect, n[y * 78 + x - 1]);
      if (x >= 2) expect = std::max(expect, n[y * 78 + x - 2]);
      ASSERT_EQ(b[y * 78 + x], expect) << x << "," << y;
    }
}

TEST(GlyphDrawing, ProportionalFaceCentresHalvesAndStartsFullWidthAtTheLeft) {
  platform::GlyphFont f = font_named("ＭＳ Ｐゴシック");
  std::vector<uint8_t> a = draw(f, "i ");
  // A narrow letter sits inside its half, away from both edges.
  EXPECT_EQ(ink_in_columns(a, 78, 0, 5), 0);
  EXPECT_GT(ink_in_columns(a, 78, 5, 34), 0);
  EXPECT_EQ(ink_in_columns(a, 78, 34, 78), 0);
  // "、" keeps its place at the bottom left of the cell, as in a fixed-pitch face.
  std::vector<uint8_t> comma = draw(f, "、");
  EXPECT_GT(ink_in_columns(comma, 78, 0, 39), 0);
  EXPECT_EQ(ink_in_columns(comma, 78, 39, 78), 0);
}
