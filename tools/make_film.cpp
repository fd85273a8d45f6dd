// tools/make_film: writes the demo's opening film (or any film of the same
// pictures): a night sky brightening to dawn while a sun rises, with a tone.
//   make_film FILE [WIDTH HEIGHT SECONDS CODEC]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/video_writer.h"

namespace {

struct Scene {
  int frames;
};

void paint(int index, uint8_t* pixels, int stride, int width, int height, void* user) {
  const Scene& scene = *static_cast<Scene*>(user);
  double t = scene.frames > 1 ? static_cast<double>(index) / (scene.frames - 1) : 1;
  // The sun's centre climbs from below the horizon to a third of the height.
  double sun_x = width * 0.5, sun_y = height * (1.1 - 0.75 * t), sun_r = height * 0.12;
  int horizon = height * 3 / 4;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = pixels + static_cast<size_t>(y) * stride;
    double v = static_cast<double>(y) / height;
    for (int x = 0; x < width; ++x) {
      double r, g, b;
      if (y >= horizon) {
        r = 20 + 40 * t, g = 40 + 80 * t, b = 20 + 30 * t;  // the field
      } else {
        r = 10 + (230 * v) * t, g = 10 + (120 + 60 * v) * t * 0.8, b = 60 + 120 * t * (1 - v);
        double dx = x - sun_x, dy = y - sun_y, d = std::sqrt(dx * dx + dy * dy);
        if (d < sun_r) {
          r = 255, g = 220, b = 120;
        } else if (d < sun_r * 2.5) {
          double glow = (sun_r * 2.5 - d) / (sun_r * 1.5) * t;
          r += (255 - r) * glow * 0.6, g += (200 - g) * glow * 0.4;
        }
      }
      row[3 * x] = static_cast<uint8_t>(std::min(255.0, b));
      row[3 * x + 1] = static_cast<uint8_t>(std::min(255.0, g));
      row[3 * x + 2] = static_cast<uint8_t>(std::min(255.0, r));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 6) {
    std::fprintf(stderr, "usage: make_film FILE [WIDTH HEIGHT SECONDS CODEC]\n");
    return 2;
  }
  platform::FilmSpec spec;
  spec.width = 320;
  spec.height = 180;
  spec.fps = 25;
  spec.codec = "mpeg1video";
  spec.bit_rate = 300000;
  spec.tone_hz = 440;
  int seconds = 3;
  if (argc == 6) {
    spec.width = std::atoi(argv[2]);
    spec.height = std::atoi(argv[3]);
    seconds = std::atoi(argv[4]);
    spec.codec = argv[5];
  }
  spec.frames = spec.fps * seconds;
  Scene scene{spec.frames};
  std::string error;
  if (!platform::write_film(argv[1], spec, paint, &scene, error)) {
    std::fprintf(stderr, "make_film: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
