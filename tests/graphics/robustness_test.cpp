#include <gtest/gtest.h>

#include <random>
#include <set>

#include "graphics/archive.h"
#include "graphics/bmp.h"
#include "graphics/image_tag.h"
#include "graphics/jpeg.h"
#include "graphics/lzss.h"
#include "graphics/spb.h"
#include "graphics_test_util.h"
#include "tests/support/game_folder.h"

using namespace gtest_graphics;

namespace {

// Damaged input of every kind ends in a result or an error box; the
// sanitizer build checks that nothing is read or written out of bounds.
class Robustness : public GameFolder {};

// A decoded picture is whole: its rows hold its pixels.
void expect_whole(const graphics::DibSurface& s) {
  EXPECT_GT(s.width, 0);
  EXPECT_GT(s.height, 0);
  EXPECT_GE(s.stride, s.width * 3);
  EXPECT_EQ(s.pixels.size(), size_t(s.stride) * size_t(s.height));
}

TEST_F(Robustness, RandomTagsParseOrReportATagError) {
  std::mt19937 rng(11);
  int parsed = 0, rejected = 0;
  const char alphabet[] = ":lrac#!ms/;,<>0123456789-af ";
  for (int i = 0; i < 20000; ++i) {
    std::string tag = ":";
    int n = rng() % 24;
    for (int k = 0; k < n; ++k) tag += alphabet[rng() % (sizeof alphabet - 1)];
    graphics::ImageRecord r;
    try {
      graphics::parse_image_tag(r, tag);
      ++parsed;
    } catch (const ErrorBox& e) {
      EXPECT_TRUE(e.title == "タグエラー" || e.title == "構文エラー") << e.title << " " << tag;
      ++rejected;
    }
  }
  EXPECT_GT(parsed, 1000);
  EXPECT_GT(rejected, 1000);
}

TEST_F(Robustness, RandomBytesThroughEveryDecoder) {
  std::mt19937 rng(12);
  int decoded = 0, refused = 0;
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
    if (graphics::read_bmp(b.data(), b.size() - rng() % 20, s, idx)) {
      expect_whole(s);
      ++decoded;
    } else {
      ++refused;
    }
    if (i % 10 == 0 && graphics::read_jpeg(j.data(), j.size() - rng() % j.size(), s)) expect_whole(s);
    std::vector<uint8_t> junk(rng() % 64);
    for (auto& x : junk) x = static_cast<uint8_t>(rng());
    if (graphics::read_spb(junk.data(), junk.size(), s)) expect_whole(s);
    std::vector<uint8_t> out;
    size_t capacity = rng() % 200;
    if (graphics::lzss_expand(junk.data(), junk.size(), out, capacity)) {
      EXPECT_LE(out.size(), capacity);
    }
  }
  // Both outcomes occur: the damage is neither always fatal nor always harmless.
  EXPECT_GT(decoded, 0);
  EXPECT_GT(refused, 0);
}

TEST_F(Robustness, DamagedArchivesAreNotFoundOrReported) {
  std::mt19937 rng(13);
  int loaded = 0, boxes = 0;
  std::set<std::string> titles;
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
        if (name[2] == 'b') {
          graphics::load_image_tag(r, name);
          if (graphics::has_surface(r)) {
            expect_whole(r.surface);
            ++loaded;
          }
        } else if (graphics::extract_to_temp(copy)) {
          std::remove(copy.c_str());
        }
      } catch (const ErrorBox& e) {
        titles.insert(e.title);
        ++boxes;
      }
    }
  }
  EXPECT_GT(loaded, 0);
  EXPECT_GT(boxes, 0);
  for (const std::string& t : titles) EXPECT_TRUE(t == "エラー" || t == "ロードエラー") << t;
}

// Through the program: a damaged picture ends the run with the error box on
// standard error and status 1, never a crash.
TEST(RobustnessProgram, ADamagedPictureEndsInTheErrorBox) {
  testsupport::GameFolder game;
  auto bmp = solid_bmp(4, 4, 0x445566);
  bmp.resize(bmp.size() / 2);
  bmp[2] ^= 0x55;
  game.write_bytes("bad.bmp", std::string(bmp.begin(), bmp.end()));
  game.write_text("0.txt", "*define\ngame\n*start\nbg \"bad.bmp\",1\nend\n");
  auto r = testsupport::run_program(game.path(), {"--headless", "--virtual-clock"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("エラー"), std::string::npos) << r.err;
}

}  // namespace
