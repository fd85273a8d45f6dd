// Characters per second for drawing a long Japanese text the way a page is
// drawn in skip mode (no speed wait): each character rendered at three times
// its size, reduced to coverage, and blended with shadow into a 24-bit
// screen and its text layers. Run once rendering every glyph afresh and once
// through the coverage cache (starting empty, so first occurrences are
// rendered), and check that both give the same picture.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/surface.h"
#include "platform/glyphs.h"
#include "platform/sjis.h"
#include "text/glyph_blend.h"
#include "text/glyph_cache.h"

namespace {

const char* const kProse[] = {
    "夕暮れの坂道を上りきると、古い図書館の窓にまだ明かりが灯っていた。",
    "扉を押すと、紙と埃の匂いが静かに流れ出してくる。",
    "「閉館の時間はとっくに過ぎていますよ」と、奥の机から声がした。",
    "振り向いた司書は、読みかけの本に指を挟んだまま、困ったように笑っている。",
    "僕は雨宿りのつもりだったと言い訳をして、濡れた傘を入口の隅に立てかけた。",
    "窓の外では、灰色の雲が港の方へゆっくりと流れていく。",
    "彼女は棚の間を歩きながら、背表紙を一冊ずつ確かめるように撫でていった。",
    "「探している本があるなら、今のうちに言ってくださいね」",
    "そう言われて初めて、自分が何を探しに来たのかを思い出そうとした。",
    "祖父の手帳に書かれていた題名は、もう半分ほどしか読めなくなっている。",
    "それでも彼女は、その断片だけで迷わず三階の奥へと僕を案内した。",
    "階段の踊り場には、季節外れの風鈴がひとつ、音もなく吊るされていた。",
};

constexpr int kColumns = 23, kRows = 16, kGlyph = 26, kPitchX = 26, kPitchY = 28, kOriginX = 8, kOriginY = 16;

std::string long_text(size_t min_bytes) {
  std::string text;
  for (size_t i = 0; text.size() < min_bytes; i++) text += platform::utf8_to_sjis(kProse[i % std::size(kProse)]);
  return text;
}

struct Screen {
  graphics::DibSurface picture, layer;
  std::vector<uint8_t> coverage_map;
  Screen() {
    graphics::create_surface(picture, 640, 480);
    graphics::create_surface(layer, 640, 480);
    coverage_map.assign(640 * 480, 0);
    for (size_t i = 0; i < picture.pixels.size(); i++) picture.pixels[i] = static_cast<uint8_t>(i * 7);
  }
};

uint64_t checksum(const Screen& s) {
  uint64_t h = 1469598103934665603ull;
  for (uint8_t b : s.picture.pixels) h = (h ^ b) * 1099511628211ull;
  for (uint8_t b : s.coverage_map) h = (h ^ b) * 1099511628211ull;
  return h;
}

// Draws the text page after page on the cell grid; returns seconds taken.
template <typename Coverage>
double draw_text(const std::string& text, Screen& screen, Coverage coverage_of) {
  const uint8_t white[3] = {255, 255, 255};
  text::TextLayers layers{screen.coverage_map.data(), &screen.layer};
  int column = 0, row = 0;
  auto start = std::chrono::steady_clock::now();
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    const uint8_t* cov = coverage_of(static_cast<uint8_t>(text[i]), static_cast<uint8_t>(text[i + 1]));
    text::blend_glyph(screen.picture, layers, kOriginX + column * kPitchX, kOriginY + row * kPitchY, cov, kGlyph,
                      kGlyph, white, true);
    if (++column == kColumns) {
      column = 0;
      if (++row == kRows) row = 0;
    }
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  size_t bytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 40000;
  std::string text = long_text(bytes);
  size_t characters = text.size() / 2;
  platform::GlyphFont font = platform::create_font(platform::utf8_to_sjis("ＭＳ ゴシック"), kGlyph, kGlyph, true);
  std::printf("face %s, %dx%d bold, %zu characters\n", platform::font_family(font).c_str(), kGlyph, kGlyph, characters);

  std::vector<uint8_t> fresh(kGlyph * kGlyph);
  Screen uncached;
  double t_fresh = draw_text(text, uncached, [&](uint8_t a, uint8_t b) {
    text::render_glyph_coverage(font, a, b, fresh.data());
    return fresh.data();
  });

  text::clear_glyph_cache();
  Screen cached;
  double t_cached = draw_text(text, cached, [&](uint8_t a, uint8_t b) { return text::glyph_coverage(font, a, b); });
  size_t distinct = text::glyph_cache_entries();

  // Blending alone, every glyph already cached.
  Screen warm;
  double t_warm = draw_text(text, warm, [&](uint8_t a, uint8_t b) { return text::glyph_coverage(font, a, b); });

  std::printf("%-34s %12s %12s\n", "", "chars/s", "us/char");
  std::printf("%-34s %12.0f %12.2f\n", "without cache (render every glyph)", characters / t_fresh,
              1e6 * t_fresh / characters);
  std::printf("%-34s %12.0f %12.2f\n", "with cache (empty at start)", characters / t_cached,
              1e6 * t_cached / characters);
  std::printf("%-34s %12.0f %12.2f\n", "with cache (all glyphs cached)", characters / t_warm,
              1e6 * t_warm / characters);
  std::printf("distinct characters %zu, speed-up %.1fx\n", distinct, t_fresh / t_cached);
  bool same = checksum(uncached) == checksum(cached) && checksum(cached) == checksum(warm);
  std::printf("pictures identical: %s\n", same ? "yes" : "NO");
  return same ? 0 : 1;
}
