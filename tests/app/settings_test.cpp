// The settings files: config.txt, the environment file's layout, short and
// damaged files, and the settings surviving a run byte for byte.
#include <gtest/gtest.h>

#include <unistd.h>

#include "app/settings.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "sound/music.h"
#include "sound/volume.h"
#include "tests/support/game_folder.h"

using app::EnvironmentRecord;
using testsupport::GameFolder;

namespace {

EnvironmentRecord sample() {
  EnvironmentRecord r;
  r.full_screen = 0;
  r.waves_enabled = 0;
  r.text_speed = 2;
  r.page_click_mode = 1;
  r.font_name = platform::utf8_to_sjis("ＭＳ ゴシック");
  r.cd_enabled = 0;
  r.cd_drive = "cd\\";
  r.voice_attenuation = 10;
  r.effect_attenuation = 20;
  r.music_attenuation = 100;
  r.read_skip = 1;
  return r;
}

std::string le(int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xff);
  return s;
}

void expect_same(const EnvironmentRecord& a, const EnvironmentRecord& b) {
  EXPECT_EQ(app::encode_environment(a), app::encode_environment(b));
}

}  // namespace

TEST(EnvironmentFile, LayoutAndRoundTrip) {
  EnvironmentRecord r = sample();
  std::string bytes = app::encode_environment(r);
  std::string expected = le(0) + le(0) + le(2) + le(1) + r.font_name + std::string(1, '\0') + le(0) + "cd\\" +
                         std::string(1, '\0') + le(10) + le(20) + le(100) + le(1);
  EXPECT_EQ(bytes, expected);
  expect_same(app::decode_environment(bytes), r);
  // Negative numbers and empty texts survive too.
  r.text_speed = -7;
  r.font_name.clear();
  r.cd_drive.clear();
  expect_same(app::decode_environment(app::encode_environment(r)), r);
}

TEST(EnvironmentFile, ShortAndDamagedFilesGiveZeros) {
  std::string bytes = app::encode_environment(sample());
  // Every cut: the fields before it are kept, the rest are zeros (texts empty).
  for (size_t cut = 0; cut <= bytes.size(); ++cut) {
    EnvironmentRecord r = app::decode_environment(std::string_view(bytes).substr(0, cut));
    EnvironmentRecord full = app::decode_environment(bytes);
    if (cut < bytes.size()) {
      EXPECT_EQ(r.read_skip, 0) << cut;
    } else {
      expect_same(r, full);
    }
    if (cut >= 16 + full.font_name.size() + 1 + 4) {
      EXPECT_EQ(r.cd_enabled, full.cd_enabled) << cut;
    } else {
      EXPECT_EQ(r.cd_enabled, 0) << cut;
    }
  }
  // A part of an integer is no integer.
  EXPECT_EQ(app::decode_environment(std::string("\x01\x00\x00", 3)).full_screen, 0);
  // A text without its zero byte runs to the end; a huge one is cut.
  std::string no_end = le(1) + le(1) + le(1) + le(0) + std::string(100000, 'x');
  EnvironmentRecord r = app::decode_environment(no_end);
  EXPECT_EQ(r.font_name.size(), 259u);
  EXPECT_EQ(r.cd_enabled, 0);
  // A text holding a zero byte is written up to it, so the fields after it
  // stay in place.
  EnvironmentRecord z = sample();
  z.font_name = std::string("ab\0cd", 5);
  EXPECT_EQ(app::decode_environment(app::encode_environment(z)).read_skip, 1);
}

TEST(ConfigFile, CdFadeOffByTheFirstNineBytes) {
  struct Case {
    std::string text;
    int expected;
  } cases[] = {
      {"cdfadeoff\n", 1},
      {"cdfadeoffplease\r\n", 1},
      {"x\ncdfadeoff", 1},
      {"cdfadeof\n", 0},
      {" cdfadeoff\n", 0},
      {"CDFADEOFF\n", 0},
      {std::string(255, 'a') + "cdfadeoff\n", 1},  // a long line counts as several
      {std::string(254, 'a') + "cdfadeoff\n", 0},
      {"", 0},
  };
  for (const Case& c : cases) {
    sound::cd_fade_disabled = 0;
    app::apply_config_text(c.text);
    EXPECT_EQ(sound::cd_fade_disabled, c.expected) << c.text.substr(0, 20);
  }
  sound::cd_fade_disabled = 0;
}

TEST(ReadFilePrefix, StopsAtTheLimitAndSaysSo) {
  GameFolder g;
  g.write_bytes("envdata", "short");
  std::string read;
  bool truncated = false;
  ASSERT_TRUE(platform::read_file_prefix(g.path() + "/envdata", 3, read, &truncated));
  EXPECT_EQ(read, "sho");
  EXPECT_TRUE(truncated);
  ASSERT_TRUE(platform::read_file_prefix(g.path() + "/envdata", 5, read, &truncated));
  EXPECT_FALSE(truncated);
  EXPECT_FALSE(platform::read_file_prefix(g.path() + "/missing", 5, read));
}

TEST(EnvironmentFile, SettingsSurviveARunByteForByte) {
  GameFolder g;
  g.write_text("0.txt", "*define\ngame\n*start\nend\n");
  std::string bytes = app::encode_environment(sample());
  g.write_bytes("envdata", bytes);
  auto r = testsupport::run_headless(g.path());
  ASSERT_EQ(r.status, 0) << r.err;
  // Applied at start (through the menu commands) and written at the end.
  EXPECT_EQ(g.read_file("envdata"), bytes);

  // A short file written by an older layout: the missing fields are zeros,
  // so waves, CD audio and read-text skip come out off; the speed 0 is slow.
  g.write_bytes("envdata", le(0) + le(1));
  r = testsupport::run_headless(g.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EnvironmentRecord after = app::decode_environment(g.read_file("envdata"));
  EXPECT_EQ(after.waves_enabled, 1);
  EXPECT_EQ(after.text_speed, 0);
  EXPECT_EQ(after.cd_enabled, 0);
  EXPECT_EQ(after.read_skip, 0);
  EXPECT_EQ(after.font_name, "");  // the file's empty name became the current font

  // Damaged values: attenuations come back within 0..100, an unknown speed
  // leaves the normal one, an unknown font checks no font item.
  EnvironmentRecord bad = sample();
  bad.voice_attenuation = -5;
  bad.effect_attenuation = 1000000;
  bad.text_speed = 9;
  bad.font_name = "NoSuchFace";
  g.write_bytes("envdata", app::encode_environment(bad));
  r = testsupport::run_headless(g.path());
  ASSERT_EQ(r.status, 0) << r.err;
  after = app::decode_environment(g.read_file("envdata"));
  EXPECT_EQ(after.voice_attenuation, 0);
  EXPECT_EQ(after.effect_attenuation, 100);
  EXPECT_EQ(after.text_speed, 1);
  EXPECT_EQ(after.font_name, "NoSuchFace");
}
