// tests/sound/film_util: films of solid colours written with our encoder, and PNG screenshots read back.
#pragma once
#include <png.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/video_writer.h"
#include "tests/support/screenshot.h"

namespace testsupport {

// A film whose picture i is colours[i * colours.size() / frames] (0xRRGGBB).
inline bool make_colour_film(const std::string& path, std::vector<uint32_t> colours, int width, int height, int fps,
                             int frames, const std::string& codec = "mpeg4", int tone_hz = 0) {
  struct Paint {
    std::vector<uint32_t> colours;
    int frames;
  } paint{std::move(colours), frames};
  platform::FilmSpec spec;
  spec.width = width, spec.height = height, spec.fps = fps, spec.frames = frames, spec.codec = codec;
  spec.tone_hz = tone_hz;
  std::string error;
  return platform::write_film(
      path, spec,
      [](int i, uint8_t* px, int stride, int w, int h, void* user) {
        auto& p = *static_cast<Paint*>(user);
        uint32_t c = p.colours[static_cast<size_t>(i) * p.colours.size() / p.frames];
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            uint8_t* d = px + static_cast<size_t>(y) * stride + 3 * x;
            d[0] = c & 0xff, d[1] = c >> 8 & 0xff, d[2] = c >> 16 & 0xff;
          }
      },
      &paint, error);
}

// A wave file of a short silence: sound without pictures.
inline std::string silent_wave() {
  std::string wav = "RIFF";
  auto le = [&wav](uint32_t x, int n) {
    for (int i = 0; i < n; ++i) wav += char(x >> (8 * i) & 0xff);
  };
  le(36 + 8000, 4), wav += "WAVEfmt ", le(16, 4), le(1, 2), le(1, 2), le(8000, 4), le(16000, 4), le(2, 2);
  le(16, 2), wav += "data", le(8000, 4), wav += std::string(8000, '\0');
  return wav;
}

// Whether two colours differ by at most `tolerance` in each channel (the
// films are lossy).
inline bool near_colour(uint32_t a, uint32_t b, int tolerance = 24) {
  for (int shift = 0; shift < 24; shift += 8) {
    int d = int(a >> shift & 0xff) - int(b >> shift & 0xff);
    if (d > tolerance || d < -tolerance) return false;
  }
  return true;
}

}  // namespace testsupport
