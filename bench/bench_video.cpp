// Films of 640x480 at 30 pictures a second (H.264 when libx264 is there,
// and MPEG-4 part 2), written by our encoder: the time to decode a picture,
// to decode and convert it into the 640x480 screen, and to decode and scale
// it into an 800x600 screen, beside a plain copy of one screen's bytes; then
// the film played in real time through the players' own loop (in a window
// when there is a display), counting the pictures that came too late.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/surface.h"
#include "platform/mode.h"
#include "platform/video.h"
#include "platform/video_writer.h"
#include "platform/window.h"
#include "sound/video.h"

namespace {

constexpr int kWidth = 640, kHeight = 480, kFps = 30, kFrames = 300;

// A moving scene with detail: two gradients sliding past each other, a disc
// and fine stripes, so the encoder has motion and texture to code.
void paint(int i, uint8_t* px, int stride, int w, int h, void*) {
  double cx = w / 2 + w / 3 * std::sin(i * 0.05), cy = h / 2 + h / 3 * std::cos(i * 0.07);
  for (int y = 0; y < h; ++y) {
    uint8_t* row = px + static_cast<size_t>(y) * stride;
    for (int x = 0; x < w; ++x) {
      double dx = x - cx, dy = y - cy;
      bool disc = dx * dx + dy * dy < 80 * 80;
      row[3 * x] = static_cast<uint8_t>(disc ? 40 : (x + 2 * i) & 0xff);
      row[3 * x + 1] = static_cast<uint8_t>(disc ? 200 : (y + 3 * i) & 0xff);
      row[3 * x + 2] = static_cast<uint8_t>(disc ? 250 : ((x ^ y) & 8 ? 200 : 60));
    }
  }
}

using Clock = std::chrono::steady_clock;
double ms_since(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

// Milliseconds per picture over the whole film: decoding alone, or with
// drawing into a screen of width x height.
double per_picture(const std::string& path, int width, int height, bool draw) {
  platform::VideoOpenError e;
  std::string text;
  platform::VideoFile* v = platform::open_video(path, false, e, text);
  if (!v) return -1;
  graphics::DibSurface screen;
  graphics::create_surface(screen, width, height);
  int64_t t = 0;
  int n = 0;
  auto start = Clock::now();
  while (platform::next_video_frame(v, t)) {
    if (draw) platform::draw_video_frame(v, screen.pixels.data(), screen.stride, width, height);
    ++n;
  }
  double ms = ms_since(start);
  platform::close_video(v);
  return n ? ms / n : -1;
}

double best_of(int runs, const std::string& path, int width, int height, bool draw) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) best = std::min(best, per_picture(path, width, height, draw));
  return best;
}

double memcpy_ms() {
  std::vector<uint8_t> a(static_cast<size_t>(kWidth) * kHeight * 3, 1), b(a.size());
  double best = 1e9;
  for (int round = 0; round < 7; ++round) {
    auto start = Clock::now();
    for (int i = 0; i < 200; ++i) {
      std::memcpy(b.data(), a.data(), a.size());
      a[i] = b[a.size() - 1 - i];
    }
    best = std::min(best, ms_since(start) / 200);
  }
  return best;
}

}  // namespace

int main() {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = tmp && *tmp ? tmp : "/tmp";
  double copy = memcpy_ms();
  std::printf("memcpy of a 640x480 24-bit screen (%.1f MB): %.3f ms\n", kWidth * kHeight * 3 / 1e6, copy);
  std::vector<std::pair<std::string, std::string>> films;
  if (platform::film_encoder_available("libx264")) films.push_back({"libx264", dir + "/orvane_bench_h264.mp4"});
  films.push_back({"mpeg4", dir + "/orvane_bench_mpeg4.avi"});
  bool windowed = std::getenv("DISPLAY") != nullptr;
  platform::headless = !windowed;
  graphics::DibSurface game;
  graphics::create_surface(game, kWidth, kHeight);
  if (windowed && platform::create_main_window(kWidth, kHeight)) platform::show_main_window();
  platform::set_display_surface(&game);

  for (auto& [codec, path] : films) {
    platform::FilmSpec spec;
    spec.width = kWidth, spec.height = kHeight, spec.fps = kFps, spec.frames = kFrames, spec.codec = codec;
    spec.bit_rate = 2000000;
    std::string error;
    if (!platform::write_film(path, spec, paint, nullptr, error)) {
      std::printf("%s: %s\n", codec.c_str(), error.c_str());
      continue;
    }
    double decode = best_of(3, path, kWidth, kHeight, false);
    double same = best_of(3, path, kWidth, kHeight, true);
    double larger = best_of(3, path, 800, 600, true);
    std::printf("%s 640x480, %d pictures (ms per picture, best of 3; x memcpy):\n", codec.c_str(), kFrames);
    std::printf("  decode only                 %.3f  (x%.0f)\n", decode, decode / copy);
    std::printf("  decode + convert to 640x480 %.3f  (x%.0f)\n", same, same / copy);
    std::printf("  decode + scale to 800x600   %.3f  (x%.0f)\n", larger, larger / copy);
    std::printf("  budget at %d fps             %.3f\n", kFps, 1000.0 / kFps);
    platform::VideoOpenError e;
    auto start = Clock::now();
    sound::play_video_file(path, false, e, error);
    double real = ms_since(start);
    const sound::VideoStats& s = sound::last_video_stats;
    std::printf("  played in real time%s: %d shown, %d dropped, %.0f ms for a %d ms film\n",
                windowed ? " in a window" : " headless", s.frames_shown, s.frames_dropped, real, kFrames * 1000 / kFps);
    std::remove(path.c_str());
  }
  platform::destroy_main_window();
  return 0;
}
