// avi, mpegplay, mpegplay2 and ie through the headless program on the
// virtual clock: the time a film takes, what the screen shows meanwhile and
// after, clicks, the results and the error boxes; films inside archives.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "graphics/archive.h"
#include "graphics/image_tag.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/clock.h"
#include "platform/tempdir.h"
#include "platform/window.h"
#include "sound/video.h"
#include "sound/video_commands.h"
#include "tests/graphics/graphics_test_util.h"
#include "tests/sound/film_util.h"
#include "tests/support/game_folder.h"
#include "tests/support/script_fixture.h"

namespace {

using testsupport::GameFolder;
using testsupport::RunResult;

// The numbers of the transcript, full-width digits included, in order.
std::vector<int> numbers(const std::string& out) {
  std::vector<int> found;
  bool in = false;
  for (size_t i = 0; i < out.size(); ++i) {
    int digit = -1;
    if (out[i] >= '0' && out[i] <= '9') {
      digit = out[i] - '0';
    } else if (i + 2 < out.size() && uint8_t(out[i]) == 0xEF && uint8_t(out[i + 1]) == 0xBC &&
               uint8_t(out[i + 2]) >= 0x90 && uint8_t(out[i + 2]) <= 0x99) {
      digit = uint8_t(out[i + 2]) - 0x90;
      i += 2;
    }
    if (digit < 0) {
      in = false;
      continue;
    }
    if (!in) found.push_back(0);
    found.back() = found.back() * 10 + digit;
    in = true;
  }
  return found;
}

// A two-second film at 25 pictures a second: red for the first second, blue
// for the next (MPEG-1 in .mpg files, MPEG-4 otherwise).
void write_red_blue(const GameFolder& game, const std::string& name, int width = 64, int height = 48) {
  bool mpg = name.size() > 4 && name.substr(name.size() - 4) == ".mpg";
  ASSERT_TRUE(testsupport::make_colour_film(game.path() + "/" + name, {0xff0000, 0x0000ff}, width, height, 25, 50,
                                            mpg ? "mpeg1video" : "mpeg4"));
}

RunResult run(const GameFolder& game, const std::string& scenario, const std::string& events = "") {
  game.write_text("0.txt", scenario);
  game.write_bytes("events.txt", events);
  return testsupport::run_program(
      game.path(), {"--headless", "--virtual-clock", "--transcript", "-", "--events", game.path() + "/events.txt"});
}

std::string shot(const GameFolder& game, int ms) {
  return std::to_string(ms) + " screenshot " + game.path() + "/s" + std::to_string(ms) + ".png\n";
}

TEST(VideoCommands, FilmTakesItsLengthShowsItsPicturesThenTheGameAgain) {
  GameFolder game;
  write_red_blue(game, "film.avi");
  RunResult r = run(game,
                    "*define\ngame\n*start\nbg #00ff00,1\nwaittimer 1000\nmpegplay \"film.avi\",0\ngettimer %0\n"
                    "waittimer 4000\n(%0)\nend\n",
                    shot(game, 1500) + shot(game, 2500) + shot(game, 3500));
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<int> n = numbers(r.out);
  ASSERT_EQ(n.size(), 1u) << r.out;
  EXPECT_GE(n[0], 3000);
  EXPECT_LE(n[0], 3020);
  testsupport::Picture p;
  ASSERT_TRUE(testsupport::read_png(game.path() + "/s1500.png", p));
  ASSERT_EQ(p.width, 640);
  EXPECT_TRUE(testsupport::near_colour(p.at(320, 240), 0xff0000)) << std::hex << p.at(320, 240);
  EXPECT_TRUE(testsupport::near_colour(p.at(2, 2), 0xff0000));
  ASSERT_TRUE(testsupport::read_png(game.path() + "/s2500.png", p));
  EXPECT_TRUE(testsupport::near_colour(p.at(320, 240), 0x0000ff)) << std::hex << p.at(320, 240);
  ASSERT_TRUE(testsupport::read_png(game.path() + "/s3500.png", p));
  EXPECT_EQ(p.at(5, 5), 0x00ff00u);
  EXPECT_EQ(p.at(630, 10), 0x00ff00u);

  // An 800x600 game: a wide film fills the width between black bars.
  write_red_blue(game, "wide.avi", 160, 90);
  r = run(game, ";mode800\n*define\ngame\n*start\nwaittimer 1000\nmpegplay \"wide.avi\",0\nend\n", shot(game, 1300));
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_TRUE(testsupport::read_png(game.path() + "/s1300.png", p));
  ASSERT_EQ(p.width, 800);
  EXPECT_EQ(p.at(400, 70), 0u);  // bars of (600 - 450) / 2 = 75 rows
  EXPECT_TRUE(testsupport::near_colour(p.at(400, 80), 0xff0000));
  EXPECT_TRUE(testsupport::near_colour(p.at(0, 520), 0xff0000));
  EXPECT_EQ(p.at(799, 530), 0u);
}

TEST(VideoCommands, AClickEndsTheFilmOnlyWhenTheFlagAllowsIt) {
  GameFolder game;
  write_red_blue(game, "film.mpg");
  for (const char* command : {"mpegplay", "avi"}) {
    std::string body = std::string("waittimer 1000\n") + command + " \"film.mpg\",1\ngettimer %0\nwaittimer 3000\n" +
                       command + " \"film.mpg\",0\ngettimer %1\n(%0,%1)\nend\n";
    // The first click comes during the first film, the second during the second.
    RunResult r = run(game, "*define\ngame\n*start\n" + body, "1700 click 5 5\n3500 click 5 5\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<int> n = numbers(r.out);
    ASSERT_EQ(n.size(), 2u) << r.out;
    EXPECT_GE(n[0], 1700) << command;
    EXPECT_LE(n[0], 1720) << command;
    EXPECT_GE(n[1], 5000) << command;
    EXPECT_LE(n[1], 5020) << command;
  }
}

TEST(VideoCommands, ResultsAndErrorBoxes) {
  GameFolder game;
  write_red_blue(game, "good.mpg");
  game.write_bytes("bad.mpg", "no film here, only text\n");
  RunResult r = run(game,
                    "*define\ngame\n*start\nmov %0,7\nmov %1,7\nresettimer\nmpegplay2 %0,\"good.mpg\",0\n"
                    "gettimer %2\nresettimer\nmpegplay2 %1,\"bad.mpg\",1\ngettimer %3\nmpegplay \"bad.mpg\",0\n"
                    "gettimer %4\n(%0,%1,%2,%3,%4)\nend\n");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<int> n = numbers(r.out);
  ASSERT_EQ(n.size(), 5u) << r.out;
  EXPECT_EQ(n[0], 1);
  EXPECT_EQ(n[1], 0);
  EXPECT_GE(n[2], 2000);
  EXPECT_LE(n[3], 5);  // returns at once
  EXPECT_LE(n[4], 10);

  // A missing film is the load error box, or nothing under noloaderror.
  EXPECT_EQ(testsupport::error_box(testsupport::run_game("mpegplay \"nothere.mpg\",0")),
            "ロードエラー\nファイルnothere.mpgを開けません。");
  EXPECT_EQ(testsupport::error_box(testsupport::run_game("avi \"nothere.avi\",1")),
            "ロードエラー\nファイルnothere.aviを開けません。");
  r = testsupport::run_game("mov %0,5\nmpegplay2 %0,\"nothere.mpg\",0\n(%0)", "noloaderror\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(numbers(r.out), std::vector<int>{0});
  EXPECT_EQ(testsupport::error_box(testsupport::run_game("mpegplay2 $0,\"good.mpg\",0")),
            "構文エラー\nmpegplay2の第一引数は数字変数です。");

  // avi names the step that failed.
  r = run(game, "*define\ngame\n*start\navi \"bad.mpg\",0\nend\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(testsupport::error_box(r).substr(0, 12), "AVI Error 1\n") << r.err;
  game.write_bytes("sound.wav", testsupport::silent_wave());
  r = run(game, "*define\ngame\n*start\navi \"sound.wav\",0\nend\n");
  EXPECT_EQ(testsupport::error_box(r).substr(0, 12), "AVI Error 2\n") << r.err;

  // ie headless returns at once.
  game.write_bytes("page.html", "<html></html>");
  r = run(game, "*define\ngame\n*start\nresettimer\nie \"page.html\"\ngettimer %0\n(%0)\nend\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_LE(numbers(r.out).at(0), 10);
}

// In-process: a film only inside arc.zpk plays from its temporary copy,
// which is gone afterwards; during the film the window shows the film's
// picture, and the game's picture again after it.
TEST(VideoCommands, FilmOnlyInsideAnArchivePlaysFromATemporaryCopy) {
  GameFolder game;
  write_red_blue(game, "film.avi");
  std::vector<uint8_t> bytes = gtest_graphics::read_file(game.path() + "/film.avi");
  std::filesystem::remove(game.path() + "/film.avi");
  gtest_graphics::write_file(game.path() + "/arc.zpk",
                             gtest_graphics::make_zpk({{"movie\\film.avi", 0, bytes, uint32_t(bytes.size())}}));
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(game.path());
  graphics::archive_settings = graphics::ArchiveSettings{};
  graphics::archive_settings.zpk_on = true;
  graphics::DibSurface screen;
  graphics::create_surface(screen, 640, 480);
  platform::set_display_surface(&screen);
  platform::use_virtual_clock(true);

  testsupport::load_script("%3,\"movie\\film.avi\",0");
  uint32_t start = platform::clock_ms();
  std::string error = testsupport::fatal_of([] { sound::cmd_mpegplay2(); });
  uint32_t took = platform::clock_ms() - start;

  std::filesystem::current_path(before);
  graphics::archive_settings = graphics::ArchiveSettings{};
  platform::use_virtual_clock(false);
  EXPECT_EQ(error, "");
  EXPECT_EQ(interp::numeric_variable(3), 1);
  EXPECT_GE(took, 2000u);
  EXPECT_LE(took, 2020u);
  EXPECT_EQ(sound::last_video_stats.frames_shown, 50);
  EXPECT_EQ(sound::last_video_stats.frames_dropped, 0);
  EXPECT_EQ(sound::video_playing, 0);
  EXPECT_EQ(platform::display_surface(), &screen);
  EXPECT_FALSE(std::filesystem::exists(platform::temp_folder() + "film.avi"));
  platform::set_display_surface(nullptr);
}

}  // namespace
