// One pointer move of a button wait with 256 buttons, 64 of them sprite
// buttons with transparent hits over colour-key sprites of 64x64: the hit
// test, the highlight change (old button back, new one lit) and the redraw
// of the changed rectangles, timed per move beside a plain copy of the
// whole screen's bytes and a full composition of the screen in the same run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "app/screen.h"
#include "graphics/button_picture.h"
#include "graphics/commands.h"
#include "graphics/screen.h"
#include "platform/clock.h"
#include "text/message_window.h"
#include "ui/button_wait.h"
#include "ui/buttons.h"
#include "ui/commands.h"

namespace {

constexpr int kWidth = 640, kHeight = 480, kSprites = 64, kSide = 64;

double us_per_run(const std::function<void()>& run, int n) {
  run();
  std::vector<double> times;
  for (int round = 0; round < 7; ++round) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) run();
    std::chrono::duration<double, std::micro> d = std::chrono::steady_clock::now() - start;
    times.push_back(d.count() / n);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// A sprite of two cells: a disc on the key colour (the top-left pixel).
void make_sprite(int n, int x, int y, std::mt19937& rng) {
  graphics::SpriteSlot& sp = graphics::TheScreen.sprites[n];
  sp.tag = "bench";
  sp.x = x;
  sp.y = y;
  sp.visible = true;
  graphics::ImageRecord& r = sp.image;
  r.trans_mode = graphics::kTransLeftTop;
  r.cell_count = 2;
  graphics::create_surface(r.surface, 2 * kSide, kSide);
  uint8_t shade = static_cast<uint8_t>(rng());
  for (int yy = 0; yy < kSide; yy++)
    for (int xx = 0; xx < 2 * kSide; xx++) {
      int cx = xx % kSide - kSide / 2, cy = yy - kSide / 2;
      uint8_t* p = r.surface.row(yy) + 3 * xx;
      bool inside = cx * cx + cy * cy < (kSide / 2 - 2) * (kSide / 2 - 2);
      p[0] = inside ? shade : 255;
      p[1] = inside ? static_cast<uint8_t>(xx < kSide ? 80 : 200) : 0;
      p[2] = inside ? 40 : 255;
    }
}

}  // namespace

int main() {
  app::screen_width = kWidth;
  app::screen_height = kHeight;
  platform::use_virtual_clock(true);
  graphics::start_pictures(kWidth, kHeight);
  text::init_message_window();
  ui::init_ui();
  std::mt19937 rng(7);
  graphics::Screen& s = graphics::TheScreen;
  graphics::create_surface(s.background.surface, kWidth, kHeight);
  for (auto& b : s.background.surface.pixels) b = static_cast<uint8_t>(rng());
  s.background_text = "bench";

  // The button picture for area buttons.
  graphics::create_surface(graphics::button_image.surface, kWidth, kHeight);
  for (auto& b : graphics::button_image.surface.pixels) b = static_cast<uint8_t>(rng());

  // 192 area buttons of 40x20 in a grid, then 64 sprite buttons over them.
  for (int i = 0; i < 192; i++) {
    int x = (i % 16) * 40, y = (i / 16) * 40;
    ui::Button& b = ui::add_button(i + 1, x, y, 40, 20, ui::ButtonKind::area);
    b.source_x = x;
    b.source_y = y;
  }
  for (int n = 0; n < kSprites; n++) {
    make_sprite(n, (n % 8) * 80 + 8, (n / 8) * 60, rng);
    ui::add_sprite_button(n, 1000 + n, false, false);
  }
  ui::button_settings.transparent_hits = true;
  graphics::mark_whole_screen();
  graphics::Rect all{0, 0, kWidth - 1, kHeight - 1};
  graphics::compose_screen(&all);
  s.display = s.work;

  // Points that change the highlight at every move: sprite centres, area
  // buttons' corners outside the sprites, and a sprite's transparent corner.
  std::vector<std::pair<int, int>> points;
  for (int n = 0; n < kSprites; n++) {
    points.push_back({(n % 8) * 80 + 8 + kSide / 2, (n / 8) * 60 + kSide / 2});
    points.push_back({(n % 16) * 40 + 1, 440 + (n % 2) * 5});
    points.push_back({(n % 8) * 80 + 9, (n / 8) * 60 + 1});
  }
  size_t next = 0;
  int changes = 0;
  auto move = [&] {
    auto [x, y] = points[next++ % points.size()];
    int before = ui::highlighted_button();
    ui::button_pointer_moved(x, y);
    changes += ui::highlighted_button() != before;
  };
  double move_us = us_per_run(move, 2000);
  std::vector<uint8_t> copy(s.display.pixels.size());
  double copy_us = us_per_run([&] { std::memcpy(copy.data(), s.display.pixels.data(), copy.size()); }, 2000);
  double compose_us = us_per_run([&] { graphics::compose_screen(&all); }, 50);
  int hit_only = 0;
  double hit_us = us_per_run(
      [&] {
        auto [x, y] = points[next++ % points.size()];
        hit_only += ui::button_at(x, y);
      },
      200000);

  std::printf("button wait, 256 buttons (64 transparent sprite buttons), 640x480\n");
  std::printf("  pointer move (hit test, highlight change, redraw): %8.2f us  (%d of the timed moves changed it)\n",
              move_us, changes);
  std::printf("  hit test alone:                                   %8.3f us\n", hit_us);
  std::printf("  reference: memcpy of the screen (%zu bytes):      %8.2f us\n", copy.size(), copy_us);
  std::printf("  reference: full composition of the screen:        %8.2f us\n", compose_us);
  std::printf("  move / memcpy = %.1f, move / composition = %.2f, frame budget 16 ms = %.0f moves\n", move_us / copy_us,
              move_us / compose_us, 16000.0 / move_us);
  return hit_only == -12345 ? 1 : 0;
}
