// Films read through FFmpeg: pictures, times and the letterbox, then inputs
// that are no film, cut short, without pictures or damaged at random.
#include "platform/video.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "tests/sound/film_util.h"
#include "tests/support/game_folder.h"

namespace {

using platform::VideoOpenError;

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

uint32_t pixel(const std::vector<uint8_t>& bgr, int stride, int x, int y) {
  const uint8_t* p = bgr.data() + size_t(y) * stride + 3 * x;
  return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

// Opens, decodes every picture (at most `limit`) and draws each; how many
// pictures there were, or -1 when the film did not open.
int decode_all(const std::string& path, int limit = 2000, VideoOpenError* error = nullptr) {
  VideoOpenError e;
  std::string text;
  platform::VideoFile* v = platform::open_video(path, true, e, text);
  if (error) *error = e;
  if (!v) return -1;
  std::vector<uint8_t> screen(size_t(64) * 3 * 48);
  int16_t pcm[2 * 512];
  int64_t t = 0, previous = -1;
  int n = 0;
  while (n < limit && platform::next_video_frame(v, t)) {
    EXPECT_GE(t, previous);
    previous = t;
    platform::draw_video_frame(v, screen.data(), 64 * 3, 64, 48);
    platform::read_video_audio(v, pcm, 512);
    ++n;
  }
  platform::close_video(v);
  return n;
}

TEST(VideoFile, PicturesComeInOrderWithTheirTimesAndAreLetterboxed) {
  testsupport::GameFolder dir;
  // 16:9, red then blue, 10 pictures a second for 2 seconds, with a tone.
  std::string film = dir.path() + "/wide.avi";
  ASSERT_TRUE(testsupport::make_colour_film(film, {0xff0000, 0x0000ff}, 160, 90, 10, 20, "mpeg4", 440));
  VideoOpenError e;
  std::string text;
  platform::VideoFile* v = platform::open_video(film, true, e, text);
  ASSERT_NE(v, nullptr) << text;
  EXPECT_EQ(platform::video_info(v).width, 160);
  EXPECT_EQ(platform::video_info(v).height, 90);
  EXPECT_NEAR(platform::video_info(v).frame_rate, 10.0, 0.01);
  EXPECT_TRUE(platform::video_info(v).has_audio);

  // Into 640x480: the picture is 640x360 between bars of 60 rows.
  const int W = 640, H = 480, stride = W * 3;
  std::vector<uint8_t> screen(size_t(stride) * H, 0x55);
  std::vector<int64_t> times;
  int64_t t = 0;
  while (platform::next_video_frame(v, t)) {
    times.push_back(t);
    ASSERT_TRUE(platform::draw_video_frame(v, screen.data(), stride, W, H));
    uint32_t expect = times.size() <= 10 ? 0xff0000 : 0x0000ff;
    EXPECT_TRUE(testsupport::near_colour(pixel(screen, stride, 320, 240), expect)) << times.size();
    EXPECT_TRUE(testsupport::near_colour(pixel(screen, stride, 320, 61), expect));
    EXPECT_TRUE(testsupport::near_colour(pixel(screen, stride, 0, 418), expect));
    EXPECT_EQ(pixel(screen, stride, 320, 59), 0u);
    EXPECT_EQ(pixel(screen, stride, 639, 420), 0u);
    EXPECT_EQ(pixel(screen, stride, 0, 0), 0u);
  }
  ASSERT_EQ(times.size(), 20u);
  for (size_t i = 0; i < times.size(); ++i) EXPECT_EQ(times[i], int64_t(i) * 100);

  // The sound: about two seconds of 44.1 kHz stereo, not silent.
  std::vector<int16_t> pcm(2 * 4096);
  int total = 0, loudest = 0;
  while (int got = platform::read_video_audio(v, pcm.data(), 4096)) {
    total += got;
    for (int i = 0; i < 2 * got; ++i) loudest = std::max(loudest, std::abs(int(pcm[i])));
  }
  EXPECT_NEAR(total, 2 * platform::kVideoAudioRate, 4096);
  EXPECT_GT(loudest, 4000);
  platform::close_video(v);

  // A tall film in a 800x600 box has bars left and right.
  std::string tall = dir.path() + "/tall.avi";
  ASSERT_TRUE(testsupport::make_colour_film(tall, {0x00ff00}, 60, 120, 10, 2));
  v = platform::open_video(tall, false, e, text);
  ASSERT_NE(v, nullptr);
  ASSERT_TRUE(platform::next_video_frame(v, t));
  std::vector<uint8_t> big(size_t(800 * 3) * 600, 0x55);
  ASSERT_TRUE(platform::draw_video_frame(v, big.data(), 800 * 3, 800, 600));
  EXPECT_EQ(pixel(big, 800 * 3, 249, 300), 0u);
  EXPECT_TRUE(testsupport::near_colour(pixel(big, 800 * 3, 251, 300), 0x00ff00));
  EXPECT_TRUE(testsupport::near_colour(pixel(big, 800 * 3, 548, 599), 0x00ff00));
  EXPECT_EQ(pixel(big, 800 * 3, 551, 0), 0u);
  platform::close_video(v);
}

TEST(VideoFile, BadInputsFailCleanlyOrPlayWhatTheyHold) {
  testsupport::GameFolder dir;
  std::string good = dir.path() + "/good.mpg";
  ASSERT_TRUE(testsupport::make_colour_film(good, {0xffffff}, 64, 48, 25, 50, "mpeg1video", 440));
  ASSERT_EQ(decode_all(good), 50);

  VideoOpenError e;
  dir.write_bytes("text.mpg", "This is no film at all, just some words.\n");
  EXPECT_EQ(decode_all(dir.path() + "/text.mpg", 2000, &e), -1);
  EXPECT_EQ(e, VideoOpenError::cannot_open);
  dir.write_bytes("empty.avi", "");
  EXPECT_EQ(decode_all(dir.path() + "/empty.avi", 2000, &e), -1);
  EXPECT_EQ(decode_all(dir.path() + "/missing.avi", 2000, &e), -1);
  EXPECT_EQ(e, VideoOpenError::cannot_open);

  // Sound alone: a wave file has no pictures.
  dir.write_bytes("tone.wav", testsupport::silent_wave());
  EXPECT_EQ(decode_all(dir.path() + "/tone.wav", 2000, &e), -1);
  EXPECT_EQ(e, VideoOpenError::no_video_stream);

  // An absurd frame size in a raw film header is refused before any picture.
  dir.write_bytes("huge.y4m", "YUV4MPEG2 W60000 H60000 F25:1 C420jpeg\nFRAME\n" + std::string(1000, '\x80'));
  EXPECT_EQ(decode_all(dir.path() + "/huge.y4m", 2000, &e), -1);
  EXPECT_NE(e, VideoOpenError::none);
  // A well-formed raw film of two tiny pictures plays both.
  dir.write_bytes("raw.y4m", "YUV4MPEG2 W2 H2 F5:1 C420jpeg\nFRAME\n" + std::string(4, '\xff') + "\x80\x80" +
                                 "FRAME\n" + std::string(4, '\0') + "\x80\x80");
  EXPECT_EQ(decode_all(dir.path() + "/raw.y4m"), 2);

  // Cut short: every cut either fails to open or plays fewer pictures.
  std::string bytes = read_all(good);
  for (size_t cut : {size_t(0), size_t(100), bytes.size() / 3, bytes.size() / 2, bytes.size() - 50}) {
    dir.write_bytes("cut.mpg", bytes.substr(0, cut));
    int n = decode_all(dir.path() + "/cut.mpg");
    EXPECT_LE(n, 50) << cut;
    if (cut >= bytes.size() / 2) {
      EXPECT_GT(n, 5) << cut;
    }
  }
}

// Damaged films: random bytes changed, runs of bytes overwritten, and cuts,
// in both containers. Every one must end (the decode limit is far above
// what a film of this size can hold) without a fault (the sanitizer build
// checks every access).
TEST(VideoFile, MutatedFilmsNeverCrashOrHang) {
  testsupport::GameFolder dir;
  std::vector<std::string> seeds;
  ASSERT_TRUE(testsupport::make_colour_film(dir.path() + "/a.avi", {0xff0000, 0x00ff00}, 48, 32, 10, 12, "mpeg4", 300));
  ASSERT_TRUE(testsupport::make_colour_film(dir.path() + "/b.mpg", {0x0000ff, 0xffff00}, 48, 32, 25, 12, "mpeg1video"));
  seeds.push_back(read_all(dir.path() + "/a.avi"));
  seeds.push_back(read_all(dir.path() + "/b.mpg"));
  std::mt19937 random(12345);
  int opened = 0;
  for (int round = 0; round < 120; ++round) {
    const std::string& seed = seeds[round % 2];
    std::string m = seed;
    switch (random() % 3) {
      case 0:
        for (int k = 1 + random() % 20; k > 0; --k) m[random() % m.size()] = char(random());
        break;
      case 1: {
        size_t at = random() % m.size(), n = std::min<size_t>(1 + random() % 64, m.size() - at);
        for (size_t i = 0; i < n; ++i) m[at + i] = char(0xff);
        break;
      }
      default: m.resize(random() % m.size()); break;
    }
    std::string name = round % 2 ? "/m.mpg" : "/m.avi";
    dir.write_bytes(name.substr(1), m);
    int n = decode_all(dir.path() + name, 5000);
    ASSERT_LT(n, 5000) << "round " << round;
    if (n >= 0) ++opened;
  }
  // Most damage leaves the container readable, so the decoders were reached.
  EXPECT_GT(opened, 60);
}

}  // namespace
