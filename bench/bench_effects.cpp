// One step of the crossfade (kind 10), of the mask crossfade (kind 18, every
// pixel of the screen in the middle of its fade) and of the finest mosaic
// (kind 17, 5-pixel blocks) over the whole 640x480 and 800x600 screens,
// each timed beside a plain copy of the screen's bytes.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "graphics/draw_image.h"
#include "graphics/effect_kinds.h"
#include "graphics/surface.h"

namespace {

double ms_per_run(const std::function<void()>& run) {
  run();  // warm the caches and tables
  std::vector<double> times;
  for (int round = 0; round < 7; ++round) {
    auto start = std::chrono::steady_clock::now();
    const int n = 50;
    for (int i = 0; i < n; ++i) run();
    std::chrono::duration<double, std::milli> d = std::chrono::steady_clock::now() - start;
    times.push_back(d.count() / n);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void random_fill(graphics::DibSurface& s, std::mt19937& rng) {
  for (uint8_t& b : s.pixels) b = static_cast<uint8_t>(rng());
}

void bench_screen(int w, int h) {
  std::mt19937 rng(7);
  graphics::DibSurface old_pic, new_pic, out, copy;
  for (graphics::DibSurface* s : {&old_pic, &new_pic, &out, &copy}) graphics::create_surface(*s, w, h);
  random_fill(old_pic, rng);
  random_fill(new_pic, rng);
  graphics::Rect all{0, 0, w - 1, h - 1};
  // Mask values 0..127 at level 200: every pixel is fading (d = 73..200).
  graphics::DibSurface mask;
  graphics::create_surface(mask, w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) std::memset(mask.row(y) + 3 * x, static_cast<int>(rng() % 128), 3);

  int parity = 0;
  double plain = ms_per_run([&] { std::memcpy(copy.pixels.data(), old_pic.pixels.data(), old_pic.pixels.size()); });
  double fade = ms_per_run([&] {
    graphics::crossfade_step(out, old_pic, new_pic, all, 100, parity);
    parity ^= 1;
  });
  double mask_fade = ms_per_run([&] { graphics::mask_crossfade_step(out, old_pic, new_pic, mask, all, 200); });
  double mosaic = ms_per_run([&] { graphics::mosaic_fill(out, new_pic, 5); });

  std::printf("%dx%d: plain copy of %zu bytes %.3f ms\n", w, h, old_pic.pixels.size(), plain);
  std::printf("  crossfade step      %.3f ms  (%.1fx the copy)\n", fade, fade / plain);
  std::printf("  mask-crossfade step %.3f ms  (%.1fx the copy)\n", mask_fade, mask_fade / plain);
  std::printf("  mosaic step (5 px)  %.3f ms  (%.1fx the copy)\n", mosaic, mosaic / plain);
}

}  // namespace

int main() {
  bench_screen(640, 480);
  bench_screen(800, 600);
  return 0;
}
