// tests/sound/film_util: films of solid colours written with our encoder, and PNG screenshots read back.
#pragma once
#include <png.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/video_writer.h"

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

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  uint32_t at(int x, int y) const {
    const uint8_t* p = rgb.data() + (size_t(y) * width + x) * 3;
    return uint32_t(p[0]) << 16 | p[1] << 8 | p[2];
  }
};

inline bool read_png(const std::string& path, Picture& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  out.width = int(image.width), out.height = int(image.height);
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr) != 0;
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
