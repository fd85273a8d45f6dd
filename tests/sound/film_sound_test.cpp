// A film's sound: its lines in the audio log (headless, virtual clock), and
// in-process the samples a real driver receives, at the music volume, with
// the pictures following the sound's clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "graphics/surface.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "sound/music.h"
#include "sound/video.h"
#include "tests/sound/film_util.h"
#include "tests/support/game_folder.h"

namespace {

using testsupport::GameFolder;

struct LogLine {
  long ms = 0;
  std::string text;  // the line after its time
};

std::vector<LogLine> read_log(const std::string& path) {
  std::ifstream in(path);
  std::vector<LogLine> lines;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    LogLine l;
    s >> l.ms;
    std::getline(s >> std::ws, l.text);
    lines.push_back(l);
  }
  return lines;
}

std::string texts(const std::vector<LogLine>& lines) {
  std::string all;
  for (const LogLine& l : lines) all += std::to_string(l.ms) + " " + l.text + "\n";
  return all;
}

// Two seconds at 25 pictures a second, with a 440 Hz tone or without sound.
void write_film(const GameFolder& game, const std::string& name, int tone_hz) {
  ASSERT_TRUE(testsupport::make_colour_film(game.path() + "/" + name, {0xff0000, 0x0000ff}, 64, 48, 25, 50,
                                            "mpeg1video", tone_hz));
}

TEST(FilmSound, LoggedFromTheFilmsStartToItsEndOrTheClickThatCutsIt) {
  GameFolder game;
  write_film(game, "tone.mpg", 440);
  write_film(game, "mute.mpg", 0);
  game.write_text("0.txt",
                  "*define\nmode_ext\ngame\n*start\nmp3vol 60\nwaittimer 500\nmpegplay \"tone.mpg\",1\n"
                  "mpegplay \"mute.mpg\",1\nwaittimer 5000\nmpegplay \"tone.mpg\",1\nwaittimer 8000\n"
                  "mpegplay \"tone.mpg\",0\nend\n");
  // The first click falls in the third film, the second in the fourth
  // (which clicks cannot end); during the fourth the volume dialog moves
  // the music slider one step down.
  game.write_bytes("events.txt",
                   "6000 click 5 5\n8300 menu 40024\n8400 key tab\n8400 key tab\n8400 key down\n8500 key escape\n"
                   "8600 click 5 5\n");
  std::string log = game.path() + "/audio.log";
  testsupport::RunResult r = testsupport::run_program(
      game.path(), {"--headless", "--virtual-clock", "--audio-log", log, "--events", game.path() + "/events.txt"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<LogLine> lines = read_log(log);
  ASSERT_EQ(lines.size(), 8u) << texts(lines);
  // The music attenuation is set before the sound starts; the sound lasts
  // the film's two seconds (the encoder rounds up to its 1152-sample blocks).
  EXPECT_EQ(lines[0].text, "volume film 40");
  EXPECT_EQ(lines[1].text, "play film tone.mpg once");
  EXPECT_GE(lines[1].ms, 500);
  EXPECT_LE(lines[1].ms, 520);
  EXPECT_EQ(lines[2].text, "end film");
  EXPECT_GE(lines[2].ms - lines[1].ms, 2000) << texts(lines);
  EXPECT_LE(lines[2].ms - lines[1].ms, 2040) << texts(lines);
  // The silent film logs nothing; the next film starts at 5000 and its
  // sound stops with the click.
  EXPECT_EQ(lines[3].text, "play film tone.mpg once");
  EXPECT_GE(lines[3].ms, 5000);
  EXPECT_LE(lines[3].ms, 5020);
  EXPECT_EQ(lines[4].text, "stop film");
  EXPECT_GE(lines[4].ms, 6000);
  EXPECT_LE(lines[4].ms, 6020);
  // A click does not cut a film whose flag is 0; the dialog reaches its sound.
  EXPECT_EQ(lines[5].text, "play film tone.mpg once");
  EXPECT_EQ(lines[6].text, "volume film 41");
  EXPECT_GE(lines[6].ms, 8400);
  EXPECT_LE(lines[6].ms, 8420);
  EXPECT_EQ(lines[7].text, "end film");
  EXPECT_GE(lines[7].ms - lines[5].ms, 2000) << texts(lines);
  EXPECT_LE(lines[7].ms - lines[5].ms, 2040) << texts(lines);
}

// SDL's disk driver writes what the mixer sends it into a file; with a short
// delay between its blocks it takes the sound several times faster than a
// sound card, so a film paced by its sound ends early on the real clock.
TEST(FilmSound, AHeardFilmFeedsItsWholeSoundAtTheMusicVolumeAndFollowsItsClock) {
  GameFolder game;
  write_film(game, "tone.mpg", 440);
  std::string raw = game.path() + "/out.raw";
  setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "4", 1);
  ASSERT_TRUE(platform::audio_restart_with_driver("disk"));
  graphics::DibSurface screen;
  graphics::create_surface(screen, 640, 480);
  platform::set_display_surface(&screen);
  sound::set_music_attenuation(40);

  platform::VideoOpenError error;
  std::string error_text;
  uint32_t start = platform::clock_ms();
  bool played = sound::play_video_file(game.path() + "/tone.mpg", false, error, error_text, "tone.mpg");
  uint32_t took = platform::clock_ms() - start;
  sound::VideoStats stats = sound::last_video_stats;
  platform::audio_stop();
  unsetenv("SDL_DISKAUDIOFILE");
  unsetenv("SDL_DISKAUDIODELAY");
  platform::set_display_surface(nullptr);
  sound::set_music_attenuation(0);

  ASSERT_TRUE(played) << error_text;
  EXPECT_TRUE(stats.sound_heard);
  EXPECT_TRUE(stats.paced_by_sound);
  // All of the two seconds reached the device, and nothing more.
  EXPECT_GE(stats.sound_frames_fed, 88200);
  EXPECT_LE(stats.sound_frames_fed, 88200 + 2 * 1152);
  EXPECT_EQ(stats.sound_frames_fed, stats.sound_frames);
  EXPECT_EQ(stats.frames_shown + stats.frames_dropped, 50);
  EXPECT_LT(took, 1600u) << "the pictures kept the program's clock, not the sound's";

  std::ifstream in(raw, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // The tone's peak of 8000 at attenuation 40: the mixer's 40 of 128.
  int peak = 0;
  size_t sounding = 0;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    int v = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8);
    peak = std::max(peak, std::abs(v));
    sounding += std::abs(v) > 200;
  }
  int expected = 8000 * platform::mixer_volume(40) / 128;
  EXPECT_GE(peak, expected - 200);
  EXPECT_LE(peak, expected + 200);
  // Samples above a twelfth of the peak: most of a sine's, over the length.
  EXPECT_GE(sounding, 2u * 88200 * 8 / 10);
  EXPECT_LE(sounding, 2u * (88200 + 2 * 1152));
}

}  // namespace
