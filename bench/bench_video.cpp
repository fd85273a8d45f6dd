// Films of 640x480 at 30 pictures a second with a sound track (H.264 when
// libx264 is there, and MPEG-4 part 2), written by our encoder: the time to
// decode a picture, to decode and convert it into the 640x480 screen, and to
// decode and scale it into an 800x600 screen, beside a plain copy of one
// screen's bytes; the time to decode and resample a second of the sound;
// then the film played in real time through the players' own loop (in a
// window when there is a display), counting the pictures that came too late.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "graphics/surface.h"
#include "platform/audio.h"
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

// Processor time of every thread of the process: the work done, which other
// programs on a busy machine do not inflate as they do the wall time.
double cpu_ms() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Cost {
  double wall = 1e9, cpu = 1e9;  // ms per picture, the least of the runs
};

// Milliseconds per picture over the whole film: decoding alone, or with
// drawing into a screen of width x height.
Cost per_picture(const std::string& path, int width, int height, bool draw) {
  platform::VideoOpenError e;
  std::string text;
  platform::VideoFile* v = platform::open_video(path, false, e, text);
  if (!v) return {};
  graphics::DibSurface screen;
  graphics::create_surface(screen, width, height);
  int64_t t = 0;
  int n = 0;
  auto start = Clock::now();
  double cpu_start = cpu_ms();
  while (platform::next_video_frame(v, t)) {
    if (draw) platform::draw_video_frame(v, screen.pixels.data(), screen.stride, width, height);
    ++n;
  }
  Cost c{ms_since(start) / n, (cpu_ms() - cpu_start) / n};
  platform::close_video(v);
  return c;
}

Cost best_of(int runs, const std::string& path, int width, int height, bool draw) {
  Cost best;
  for (int i = 0; i < runs; ++i) {
    Cost c = per_picture(path, width, height, draw);
    best.wall = std::min(best.wall, c.wall);
    best.cpu = std::min(best.cpu, c.cpu);
  }
  return best;
}

// Milliseconds of work to decode and resample one second of the film's
// sound into the device's format (the least of `runs`).
Cost sound_per_second(const std::string& path, int runs) {
  Cost best;
  std::vector<int16_t> chunk(2048 * 2);
  for (int i = 0; i < runs; ++i) {
    platform::VideoOpenError e;
    std::string text;
    platform::VideoFile* v = platform::open_video(path, true, e, text);
    if (!v) return {};
    int64_t frames = 0;
    auto start = Clock::now();
    double cpu_start = cpu_ms();
    while (int n = platform::read_video_audio(v, chunk.data(), 2048)) frames += n;
    double seconds = static_cast<double>(frames) / platform::kVideoAudioRate;
    if (seconds > 0) {
      best.wall = std::min(best.wall, ms_since(start) / seconds);
      best.cpu = std::min(best.cpu, (cpu_ms() - cpu_start) / seconds);
    }
    platform::close_video(v);
  }
  return best;
}

double memcpy_ms() {
  std::vector<uint8_t> a(static_cast<size_t>(kWidth) * kHeight * 3, 1), b(a.size());
  double best = 1e9;
  for (int round = 0; round < 15; ++round) {
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
    spec.tone_hz = 440;  // an MP2 sound track, as films have
    std::string error;
    if (!platform::write_film(path, spec, paint, nullptr, error)) {
      std::printf("%s: %s\n", codec.c_str(), error.c_str());
      continue;
    }
    Cost decode = best_of(5, path, kWidth, kHeight, false);
    Cost same = best_of(5, path, kWidth, kHeight, true);
    Cost larger = best_of(5, path, 800, 600, true);
    std::printf("%s 640x480, %d pictures (ms per picture, least of 5 runs; wall, processor time of all threads):\n",
                codec.c_str(), kFrames);
    auto row = [copy](const char* what, Cost c) {
      std::printf("  %-28s wall %6.3f (x%3.0f memcpy)  cpu %6.3f (x%3.0f memcpy)\n", what, c.wall, c.wall / copy, c.cpu,
                  c.cpu / copy);
    };
    row("decode only", decode);
    row("decode + convert to 640x480", same);
    row("decode + scale to 800x600", larger);
    std::printf("  budget at %d fps: %.3f\n", kFps, 1000.0 / kFps);
    Cost sound = sound_per_second(path, 5);
    std::printf("  sound (MP2, 44.1 kHz stereo) decoded + resampled: wall %.3f, cpu %.3f ms per second of film\n",
                sound.wall, sound.cpu);
    auto play = [&](const char* how) {
      platform::VideoOpenError e;
      auto start = Clock::now();
      sound::play_video_file(path, false, e, error);
      double real = ms_since(start);
      const sound::VideoStats& s = sound::last_video_stats;
      std::printf(
          "  played in real time %s: %d shown (at most %lld ms late), %d dropped, %.0f ms for a %d ms film; sound %s\n",
          how, s.frames_shown, static_cast<long long>(s.max_late_ms), s.frames_dropped, real, kFrames * 1000 / kFps,
          s.paced_by_sound ? "heard, the pictures paced by it" : "read on the program's clock, not heard");
    };
    play(windowed ? "in a window" : "headless");
    // A device that takes the sound at a sound card's pace: SDL's disk
    // driver, writing it nowhere.
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    if (platform::audio_restart_with_driver("disk")) play("with a sound device (SDL's disk driver)");
    platform::audio_stop();
    unsetenv("SDL_DISKAUDIOFILE");
    std::remove(path.c_str());
  }
  platform::destroy_main_window();
  return 0;
}
