// Characters per second for scenario lines shown by display_text_line in skip
// mode: marks scanned, line breaking looked ahead, each character drawn with
// shadow into the display and the text layers, recorded in the lookback, and
// a page wait (passed at once in skip mode) every five lines. The first pass
// starts with an empty glyph cache; the second has every glyph cached.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/screen.h"
#include "graphics/surface.h"
#include "platform/clock.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "text/glyph_cache.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/wait.h"

namespace {

const char* const kProse[] = {
    "夕暮れの坂道を上りきると、古い図書館の窓にまだ明かりが灯っていた。",
    "扉を押すと、紙と埃の匂いが静かに流れ出してくる。",
    "「閉館の時間はとっくに過ぎていますよ」と、奥の机から声がした。",
    "振り向いた司書は、読みかけの本に指を挟んだまま、困ったように笑っている。",
    "僕は雨宿りのつもりだったと言い訳をして、濡れた傘を入口の隅に立てかけた。\\",
    "窓の外では、灰色の雲が港の方へゆっくりと流れていく。@",
    "彼女は棚の間を歩きながら、背表紙を一冊ずつ確かめるように撫でていった。",
    "「探している本があるなら、今のうちに言ってくださいね」",
    "そう言われて初めて、自分が何を探しに来たのかを思い出そうとした。",
    "祖父の手帳に書かれていた題名は、もう半分ほどしか読めなくなっている。\\",
};

// Shows every line `rounds` times; returns characters drawn and seconds.
double show_lines(const std::vector<std::string>& lines, int rounds, size_t& characters) {
  characters = 0;
  auto start = std::chrono::steady_clock::now();
  for (int r = 0; r < rounds; r++)
    for (const std::string& line : lines) {
      text::display_text_line(line.c_str());
      characters += line.size() / 2;
    }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
  platform::use_virtual_clock(true);
  graphics::DibSurface display;
  graphics::create_surface(display, app::screen_width, app::screen_height);
  platform::set_display_surface(&display);
  text::init_message_window();
  text::init_text_output();
  text::reset_lookback();
  text::skip_mode = 1;

  std::vector<std::string> lines;
  for (const char* p : kProse) lines.push_back(platform::utf8_to_sjis(p));

  text::clear_glyph_cache();
  size_t cold_chars = 0, warm_chars = 0;
  double cold = show_lines(lines, 1, cold_chars);
  double warm = show_lines(lines, rounds, warm_chars);
  std::printf("%-36s %12s %12s\n", "", "chars/s", "us/char");
  std::printf("%-36s %12.0f %12.2f\n", "skip mode, first page (cache empty)", cold_chars / cold,
              1e6 * cold / cold_chars);
  std::printf("%-36s %12.0f %12.2f\n", "skip mode, glyphs cached", warm_chars / warm, 1e6 * warm / warm_chars);
  std::printf("%zu characters in %d rounds of %zu lines\n", warm_chars, rounds, lines.size());
  return 0;
}
