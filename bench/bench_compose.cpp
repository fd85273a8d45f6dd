// Full-screen composition: a 640x480 background and 64 sprites of 128x128,
// drawn with draw_image in alpha mode with an overall alpha and in colour-key
// mode, timed per composition beside (a) a plain copy of as many bytes and
// (b) pixman compositing the same picture with its OVER operator.
#include <pixman.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "graphics/draw_image.h"
#include "graphics/image.h"

namespace {

constexpr int kWidth = 640, kHeight = 480, kSprites = 64, kSide = 128;

double ms_per_run(const std::function<void()>& run) {
  run();  // warm the caches and tables
  std::vector<double> times;
  for (int round = 0; round < 7; ++round) {
    auto start = std::chrono::steady_clock::now();
    const int n = 40;
    for (int i = 0; i < n; ++i) run();
    std::chrono::duration<double, std::milli> d = std::chrono::steady_clock::now() - start;
    times.push_back(d.count() / n);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

struct Place {
  int x, y;
};

}  // namespace

int main() {
  std::mt19937 rng(42);
  std::vector<Place> places;
  for (int i = 0; i < kSprites; ++i)
    places.push_back({static_cast<int>(rng() % (kWidth - kSide / 2)) - kSide / 4,
                      static_cast<int>(rng() % (kHeight - kSide / 2)) - kSide / 4});

  graphics::DibSurface background, work;
  graphics::create_surface(background, kWidth, kHeight);
  graphics::create_surface(work, kWidth, kHeight);
  for (auto& b : background.pixels) b = static_cast<uint8_t>(rng());

  // Alpha-mode sprite: colours on the left, a mask with a soft edge on the right.
  graphics::ImageRecord alpha_sprite;
  alpha_sprite.trans_mode = graphics::kTransAlpha;
  alpha_sprite.alpha = 200;
  graphics::create_surface(alpha_sprite.surface, 2 * kSide, kSide);
  // Colour-key sprite: the top-left colour is transparent around a disc.
  graphics::ImageRecord key_sprite;
  key_sprite.trans_mode = graphics::kTransLeftTop;
  graphics::create_surface(key_sprite.surface, kSide, kSide);
  std::vector<uint32_t> argb(kSide * kSide), argb_key(kSide * kSide);
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      int dx = x - kSide / 2, dy = y - kSide / 2, r2 = dx * dx + dy * dy;
      uint8_t m = static_cast<uint8_t>(std::clamp((r2 - 2500) / 6, 0, 255));  // 0 = opaque
      uint8_t c[3] = {static_cast<uint8_t>(x * 2), static_cast<uint8_t>(y * 2), 128};
      uint8_t* a = alpha_sprite.surface.row(y);
      std::memcpy(a + 3 * x, c, 3);
      std::memset(a + 3 * (kSide + x), m, 3);
      bool inside = r2 < 3600;
      uint8_t* k = key_sprite.surface.row(y);
      if (inside)
        std::memcpy(k + 3 * x, c, 3);
      else
        k[3 * x] = 255, k[3 * x + 1] = 0, k[3 * x + 2] = 255;
      // pixman wants premultiplied colours; alpha 200 is folded in.
      uint32_t alpha = (255 - m) * 200 / 255;
      argb[y * kSide + x] = alpha << 24 | (c[2] * alpha / 255) << 16 | (c[1] * alpha / 255) << 8 | (c[0] * alpha / 255);
      argb_key[y * kSide + x] = inside ? 0xff000000u | c[2] << 16 | c[1] << 8 | c[0] : 0;
    }

  auto compose = [&](const graphics::ImageRecord& sprite) {
    for (int y = 0; y < kHeight; ++y) std::memcpy(work.row(y), background.row(y), size_t(kWidth) * 3);
    for (const Place& p : places) graphics::draw_image(sprite, work, nullptr, p.x, p.y);
  };
  double alpha_ms = ms_per_run([&] { compose(alpha_sprite); });
  double key_ms = ms_per_run([&] { compose(key_sprite); });

  // (a) The bytes a composition writes: the background once and every
  // sprite's 128x128 pixels, copied with memcpy.
  size_t bytes = size_t(kWidth) * kHeight * 3 + size_t(kSprites) * kSide * kSide * 3;
  std::vector<uint8_t> from(bytes, 1), to(bytes);
  double copy_ms = ms_per_run([&] { std::memcpy(to.data(), from.data(), bytes); });

  // (b) pixman: the background copied with SRC, the sprites with OVER, on
  // 32-bit pixels (its fastest paths).
  std::vector<uint32_t> bg32(kWidth * kHeight), work32(kWidth * kHeight);
  for (auto& p : bg32) p = 0xff000000u | (rng() & 0xffffff);
  pixman_image_t* bg_img = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, bg32.data(), kWidth * 4);
  pixman_image_t* work_img = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, work32.data(), kWidth * 4);
  pixman_image_t* sprite_img = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSide, kSide, argb.data(), kSide * 4);
  pixman_image_t* key_img = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSide, kSide, argb_key.data(), kSide * 4);
  auto pixman_compose = [&](pixman_image_t* sprite) {
    pixman_image_composite32(PIXMAN_OP_SRC, bg_img, nullptr, work_img, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    for (const Place& p : places)
      pixman_image_composite32(PIXMAN_OP_OVER, sprite, nullptr, work_img, 0, 0, 0, 0, p.x, p.y, kSide, kSide);
  };
  double pixman_alpha_ms = ms_per_run([&] { pixman_compose(sprite_img); });
  double pixman_key_ms = ms_per_run([&] { pixman_compose(key_img); });
  pixman_image_unref(bg_img);
  pixman_image_unref(work_img);
  pixman_image_unref(sprite_img);
  pixman_image_unref(key_img);

  std::printf("composition: %dx%d background + %d sprites of %dx%d (%.1f MB written)\n", kWidth, kHeight, kSprites,
              kSide, kSide, bytes / 1e6);
  std::printf("%-34s %9s %12s %12s\n", "", "ms", "x memcpy", "x pixman");
  std::printf("%-34s %9.3f %12s %12s\n", "memcpy of the same bytes", copy_ms, "1.00", "");
  std::printf("%-34s %9.3f %12.2f %12s\n", "pixman OVER, alpha sprites", pixman_alpha_ms, pixman_alpha_ms / copy_ms,
              "1.00");
  std::printf("%-34s %9.3f %12.2f %12s\n", "pixman OVER, binary-alpha sprites", pixman_key_ms, pixman_key_ms / copy_ms,
              "1.00");
  std::printf("%-34s %9.3f %12.2f %12.2f\n", "draw_image, alpha mode + alpha 200", alpha_ms, alpha_ms / copy_ms,
              alpha_ms / pixman_alpha_ms);
  std::printf("%-34s %9.3f %12.2f %12.2f\n", "draw_image, colour-key mode", key_ms, key_ms / copy_ms,
              key_ms / pixman_key_ms);
  return 0;
}
