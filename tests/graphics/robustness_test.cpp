#include <gtest/gtest.h>

#include <random>

#include "graphics/archive.h"
#include "graphics/bmp.h"
#include "graphics/image_tag.h"
#include "graphics/jpeg.h"
#include "graphics/lzss.h"
#include "graphics/spb.h"
#include "graphics_test_util.h"

using namespace gtest_graphics;

namespace {

// Damaged input of every kind ends in a result or an error box; the
// sanitizer build checks that nothing is read or written out of bounds.
class Robustness : public GameFolder {};

TEST_F(Robustness, RandomTagsParseOrReportATagError) {
  std::mt19937 rng(11);
  const char alphabet[] = ":lrac#!ms/;,<>0123456789-af ";
  for (int i = 0; i < 20000; ++i) {
    std::string tag = ":";
    int n = rng() % 24;
    for (int k = 0; k < n; ++k) tag += alphabet[rng() % (sizeof alphabet - 1)];
    graphics::ImageRecord r;
    try {
      graphics::parse_image_tag(r, tag);
    } catch (const ErrorBox&) {
    }
  }
}

TEST_F(Robustness, RandomBytesThroughEveryDecoder) {
  std::mt19937 rng(12);
  auto bmp = make_bmp(
      9, 7, 8, [](int x, int y) { return uint32_t(x + y); }, std::vector<uint32_t>(256, 0x102030));
  std::vector<uint8_t> pixels;
  auto jpeg = encode_jpeg(24, 16, 3, pixels);
  for (int i = 0; i < 3000; ++i) {
    auto b = bmp;
    auto j = jpeg;
    for (int k = 0; k < 4; ++k) {
      b[rng() % b.size()] = static_cast<uint8_t>(rng());
      j[rng() % j.size()] = static_cast<uint8_t>(rng());
    }
    graphics::DibSurface s;
    std::vector<uint8_t> idx;
    graphics::read_bmp(b.data(), b.size() - rng() % 20, s, idx);
    if (i % 10 == 0) graphics::read_jpeg(j.data(), j.size() - rng() % j.size(), s);
    std::vector<uint8_t> junk(rng() % 64);
    for (auto& x : junk) x = static_cast<uint8_t>(rng());
    graphics::read_spb(junk.data(), junk.size(), s);
    std::vector<uint8_t> out;
    graphics::lzss_expand(junk.data(), junk.size(), out, rng() % 200);
  }
}

TEST_F(Robustness, DamagedArchivesAreNotFoundOrReported) {
  std::mt19937 rng(13);
  graphics::archive_settings.zpk_on = true;
  auto bmp = solid_bmp(3, 3, 0x445566);
  auto good = make_zpk({{"a.bmp", 2, lzss_literals(bmp), uint32_t(bmp.size())},
                        {"b.txt", 0, {'x', 'y'}, 2},
                        {"c.bmp", 1, {0, 1, 0, 1, 9, 9, 9}, 7}});
  for (int i = 0; i < 400; ++i) {
    auto f = good;
    for (int k = 0; k < 3; ++k) f[rng() % f.size()] = static_cast<uint8_t>(rng());
    f.resize(f.size() - rng() % 8);
    write_file("arc.zpk", f);
    for (const char* name : {"a.bmp", "c.bmp", "b.txt"}) {
      graphics::ImageRecord r;
      std::string copy = name;
      try {
        if (name[2] == 'b')
          graphics::load_image_tag(r, name);
        else if (graphics::extract_to_temp(copy))
          std::remove(copy.c_str());
      } catch (const ErrorBox&) {
      }
    }
  }
}

}  // namespace
