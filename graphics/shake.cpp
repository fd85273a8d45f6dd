#include "graphics/shake.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "graphics/blend.h"
#include "graphics/screen.h"
#include "graphics/window_picture.h"
#include "platform/clock.h"

namespace graphics {

namespace {

constexpr int kMaxSwings = 4096;

// The shakes' own generator (the C library's), so they leave the
// scenario's random numbers alone and repeat from run to run.
uint32_t shake_seed = 1;
}  // namespace

void reset_shake() { shake_seed = 1; }

namespace {

int next_random() {
  shake_seed = shake_seed * 214013u + 2531011u;
  return int(shake_seed >> 16 & 0x7fff);
}

// The display drawn on the window at (dx, dy); the strips it leaves
// uncovered are black.
void draw_display_at(int dx, int dy) {
  const Screen& s = TheScreen;
  DibSurface& w = WindowPicture;
  int W = s.width, H = s.height;
  for (int y = 0; y < H; ++y) {
    uint8_t* row = w.row(y);
    int sy = y - dy;
    if (sy < 0 || sy >= H || dx <= -W || dx >= W) {
      std::memset(row, 0, size_t(W) * 3);
      continue;
    }
    const uint8_t* src = s.display.row(sy);
    if (dx >= 0) {
      std::memset(row, 0, size_t(dx) * 3);
      std::memcpy(row + size_t(dx) * 3, src, size_t(W - dx) * 3);
    } else {
      std::memcpy(row, src + size_t(-dx) * 3, size_t(W + dx) * 3);
      std::memset(row + size_t(W + dx) * 3, 0, size_t(-dx) * 3);
    }
  }
  show_window_picture();
}

void wait_step(uint32_t began, int64_t ms) {
  pump_effect_message();
  uint32_t elapsed = platform::clock_ms() - began;
  if (ms > int64_t(elapsed)) platform::sleep_ms(uint32_t(std::min<int64_t>(ms - elapsed, UINT32_MAX)));
}

// Nearest-pixel stretch of a region of src over the whole of dst.
void stretch(DibSurface& dst, const DibSurface& src, int left, int top, int width, int height) {
  int W = dst.width, H = dst.height;
  std::vector<int> column(W);
  for (int x = 0; x < W; ++x) column[x] = std::clamp(left + int(int64_t(x) * width / W), 0, src.width - 1) * 3;
  for (int y = 0; y < H; ++y) {
    const uint8_t* s = src.row(std::clamp(top + int(int64_t(y) * height / H), 0, src.height - 1));
    uint8_t* d = dst.row(y);
    for (int x = 0; x < W; ++x) std::memcpy(d + size_t(x) * 3, s + column[x], 3);
  }
}

int s_width() { return TheScreen.width; }
int s_height() { return TheScreen.height; }

void fill_white(DibSurface& s) { std::fill(s.pixels.begin(), s.pixels.end(), 255); }

}  // namespace

void quake(int amplitude, int duration) {
  if (!screen_surfaces_ready()) return;
  begin_window_drawing();
  for (int i = 0; i < duration / 100; ++i) {
    uint32_t began = platform::clock_ms();
    int64_t limit = std::max(s_width(), s_height());
    int dx = int(std::clamp<int64_t>(int64_t(amplitude) * (next_random() % 7 - 3), -limit, limit));
    int dy = int(std::clamp<int64_t>(int64_t(amplitude) * (next_random() % 7 - 3), -limit, limit));
    draw_display_at(dx, dy);
    wait_step(began, 100);
  }
  draw_display_at(0, 0);
  end_window_drawing();
}

void quake_swing(bool vertical, int count, int duration) {
  if (!screen_surfaces_ready()) return;
  // Swings past the screen's size only draw black; a count beyond any
  // sensible one is cut so that the shake always ends.
  count = std::min(count, kMaxSwings);
  begin_window_drawing();
  int64_t per = count > 0 ? int64_t(duration) / (16 * int64_t(count)) : 0;
  static const int kPhase[16] = {0, 1, 2, 3, 4, 3, 2, 1, 0, -1, -2, -3, -4, -3, -2, -1};
  for (int k = count; k >= 1; --k)
    for (int p : kPhase) {
      uint32_t began = platform::clock_ms();
      int64_t limit = std::max(s_width(), s_height());
      int offset = int(std::clamp<int64_t>(int64_t(4) * k * p, -limit, limit));
      draw_display_at(vertical ? 0 : offset, vertical ? offset : 0);
      wait_step(began, per);
    }
  draw_display_at(0, 0);
  end_window_drawing();
}

void flush_out(int duration) {
  if (!screen_surfaces_ready()) return;
  Screen& s = TheScreen;
  int W = s.width, H = s.height;
  begin_window_drawing();
  std::memcpy(s.scratch.pixels.data(), WindowPicture.pixels.data(), WindowPicture.pixels.size());
  size_t row_bytes = size_t(W) * 3;
  for (int i = 4; i <= 31; ++i) {
    uint32_t began = platform::clock_ms();
    int left = W / 2 - (3 * W / 2) / i, top = H / 2 - (3 * H / 2) / i;
    stretch(s.scratch, s.display, left, top, 3 * W / i, 3 * H / i);
    uint8_t lift = uint8_t(8 * i);
    for (int y = 0; y < H; ++y) {
      uint8_t* row = s.scratch.row(y);
      for (size_t b = 0; b < row_bytes; ++b) row[b] = uint8_t(std::min(255, row[b] + lift));
      blend_row_const(s.work.row(y), row, 64, row_bytes);  // copy mode, alpha 64
    }
    std::memcpy(WindowPicture.pixels.data(), s.work.pixels.data(), s.work.pixels.size());
    show_window_picture();
    wait_step(began, duration / 27);
  }
  fill_white(s.display);
  fill_white(s.work);
  fill_white(s.background.surface);
  end_window_drawing();
}

}  // namespace graphics
