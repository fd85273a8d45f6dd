// fuzz/game_support: the game folder the scenario and event drivers (and the seed tests) run in.
#pragma once
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/archive_bytes.h"

namespace fuzz {

using testsupport::make_zpk;
using testsupport::put_be;
using testsupport::put_le;
using testsupport::ZpkEntry;

// A 30 x 10 24-bit BMP: three 10 x 10 cells of different colours.
inline std::vector<uint8_t> cells_bmp() {
  std::vector<uint8_t> f = {'B', 'M'};
  put_le(f, 54 + 90 * 10, 4);
  put_le(f, 0, 4);
  put_le(f, 54, 4);
  for (uint32_t v : {40u, 30u, 10u}) put_le(f, v, 4);
  put_le(f, 1, 2);
  put_le(f, 24, 2);
  for (int i = 0; i < 6; ++i) put_le(f, 0, 4);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 30; ++x) {
      f.push_back(static_cast<uint8_t>(x / 10 * 100));
      f.push_back(static_cast<uint8_t>(y * 20));
      f.push_back(static_cast<uint8_t>(200 - x));
    }
  return f;
}

// An archive with the picture stored as LZSS literals ("pic\b.bmp"), an
// LZSS entry that expands to nothing ("a.spb") and a stored text.
inline std::vector<uint8_t> support_zpk() {
  std::vector<uint8_t> bmp = cells_bmp(), literals;
  int used = 8;
  auto bits = [&](uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) {
      if (used == 8) literals.push_back(0), used = 0;
      literals.back() |= static_cast<uint8_t>((v >> i & 1) << (7 - used++));
    }
  };
  for (uint8_t b : bmp) bits(1, 1), bits(b, 8);
  return make_zpk(
      {{"pic\\b.bmp", 2, literals, uint32_t(bmp.size())}, {"a.spb", 2, {0}, 0}, {"t.txt", 0, {'t', 'x', 't'}, 3}});
}

inline void write_bytes(const std::string& path, const void* data, size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(static_cast<const char*>(data), std::streamsize(size));
}

// Writes the pictures and the archive that seeds name.
inline void write_game_support(const std::string& dir) {
  std::vector<uint8_t> bmp = cells_bmp(), zpk = support_zpk();
  write_bytes(dir + "/a.bmp", bmp.data(), bmp.size());
  write_bytes(dir + "/arc.zpk", zpk.data(), zpk.size());
}

// The scenario that event files are played against (Shift-JIS): click and
// page waits, slow text, timed waits, traps and sprites.
inline const char kEventsScenario[] =
    "*define\r\nzpk\r\ngame\r\n*start\r\nlsp 0,\":c/3,20,0;a.bmp\",0,0\r\nprint 1\r\n"
    "\x82\xa0\x82\xa2@\x82\xa4\\\r\n"                // あい@う\ page
    "textspeed 50\r\n\x82\xa6\x82\xa8\x82\xa9@\r\n"  // えおか@ slow
    "click\r\nclickpos %0,%1\r\nwait 200\r\ndelay 300\r\nspwait 0\r\n"
    "trap *t\r\nwait 100\r\n*t\r\ntrap off\r\n"
    "\x82\xab@\r\nend\r\n";  // き@

}  // namespace fuzz
