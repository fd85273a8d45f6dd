// tests/ui/ui_play: headless runs of a game with scripted events, for the selection and button tests.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "graphics/bmp_writer.h"
#include "graphics/surface.h"
#include "tests/support/game_folder.h"

namespace uitest {

// A game folder: the scenario (a *define block, then *start), pictures and
// an events file; played headless on the virtual clock with the
// transcript on standard output.
struct Play {
  testsupport::GameFolder folder;
  std::string defines, body, events;
  std::vector<std::string> options;

  testsupport::RunResult run() {
    folder.write_text("0.txt", "*define\n" + defines + "game\n*start\n" + body + "\nend\n");
    folder.write_text("events.txt", events);
    std::vector<std::string> args = {"--headless", "--virtual-clock", "--transcript",
                                     "-",          "--events",        folder.path() + "/events.txt"};
    args.insert(args.end(), options.begin(), options.end());
    return testsupport::run_program(folder.path(), args);
  }
};

// A 24-bit BMP file's bytes whose pixel (x, y) is colour(x, y), 0xRRGGBB.
inline std::string bmp(int width, int height, const std::function<uint32_t(int, int)>& colour) {
  graphics::DibSurface s;
  graphics::create_surface(s, width, height);
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++) {
      uint32_t c = colour(x, y);
      uint8_t* p = s.row(y) + 3 * x;
      p[0] = c & 255, p[1] = (c >> 8) & 255, p[2] = (c >> 16) & 255;
    }
  std::vector<uint8_t> bytes = graphics::encode_bmp(s);
  return std::string(bytes.begin(), bytes.end());
}

// The error box's title and message of a run.
inline std::string box(const testsupport::RunResult& r) { return testsupport::error_box(r); }

}  // namespace uitest
