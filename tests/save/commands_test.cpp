// The save commands on their own and through the headless program.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

#include "app/wiring.h"
#include "graphics/button_picture.h"
#include "graphics/image.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/lock.h"
#include "platform/sjis.h"
#include "save/error_save.h"
#include "save/save_commands.h"
#include "save/save_file.h"
#include "tests/save/save_fixture.h"
#include "tests/support/game_folder.h"
#include "tests/support/script_fixture.h"
#include "text/wait.h"
#include "ui/buttons.h"
#include "ui/right_click.h"

using testsupport::fatal_of;

namespace {

class SaveCommands : public testsupport::SaveTest {
 protected:
  void run(void (*cmd)(), const std::string& args) {
    scenario(args);
    cmd();
  }
};

TEST_F(SaveCommands, ExistenceTimeAndTheSavePointFlag) {
  interp::NumericVariables[1] = 55;
  run(save::cmd_savefileexist, "%0,3");
  EXPECT_EQ(interp::NumericVariables[0], 0);
  run(save::cmd_savetime, "3,%1,%2,%3,%4");
  EXPECT_EQ(interp::NumericVariables[1], 0);  // missing: only the month is set
  interp::NumericVariables[2] = 66;
  run(save::cmd_savegame, "3");
  run(save::cmd_savefileexist, "%0,3");
  EXPECT_EQ(interp::NumericVariables[0], 1);
  run(save::cmd_savetime, "3,%1,%2,%3,%4");
  std::time_t now = std::time(nullptr);
  std::tm t;
  localtime_r(&now, &t);
  EXPECT_EQ(interp::NumericVariables[1], t.tm_mon + 1);
  EXPECT_EQ(interp::NumericVariables[2], t.tm_mday);
  EXPECT_GE(interp::NumericVariables[3], 0);
  EXPECT_LE(interp::NumericVariables[4], 59);

  EXPECT_EQ(fatal_of([this] { run(save::cmd_savefileexist, "0,3"); }),
            "エラー|savefileexistの第一引数は数字変数です。");
  EXPECT_EQ(fatal_of([this] { run(save::cmd_savetime, "3,%1,$2,%3,%4"); }),
            "構文エラー|savedateの第三引数は数字変数です。");
  EXPECT_EQ(fatal_of([this] { run(save::cmd_savetime, "3,%1,%2,%3,4"); }),
            "構文エラー|savedateの第五引数は数字変数です。");

  save::cmd_saveoff();
  EXPECT_FALSE(interp::save_point_flag);
  save::cmd_saveon();
  EXPECT_TRUE(interp::save_point_flag);
  run(save::cmd_savenumber, "12");
  run(save::cmd_savename, "\"S\",\"L\",\"W\"");
  EXPECT_EQ(save::save_menu_settings.slot_count, 12);
  EXPECT_EQ(save::save_menu_settings.slot_word, "W");
  save::reset_save_menu_settings();
  EXPECT_EQ(save::save_menu_settings.save_title, platform::utf8_to_sjis("＜セーブ＞"));
}

TEST_F(SaveCommands, LoadgameSetsTheJustLoadedFlagAndErrorsaveUsesSlot999) {
  save::write_error_save();  // no save point yet: nothing to write
  EXPECT_FALSE(exists("save999.dat"));
  scenario("loadgame 1\n");
  text::just_loaded = false;
  interp::ScriptPosition = 9;
  save::cmd_loadgame();  // no file: nothing happens
  EXPECT_FALSE(text::just_loaded);
  interp::NumericVariables[0] = 4;
  save::take_save_point_at(0);
  save::write_error_save();
  ASSERT_TRUE(exists("save999.dat"));
  std::filesystem::copy_file("save999.dat", "save1.dat");
  interp::NumericVariables[0] = 0;
  interp::ScriptPosition = 9;
  save::cmd_loadgame();
  EXPECT_TRUE(text::just_loaded);
  EXPECT_EQ(interp::NumericVariables[0], 4);
  EXPECT_EQ(interp::ScriptPosition, 0);
  text::just_loaded = false;
}

// Save files keep what the selections and buttons own: the right-click
// mode and the button picture, which a load reads again.
TEST_F(SaveCommands, RmodeAndTheButtonPictureComeBackWithALoad) {
  app::connect_subsystems();  // the fixture leaves the save hooks empty
  gtest_graphics::write_file("b.bmp", gtest_graphics::make_bmp(4, 2, 24, [](int, int) { return 0x102030u; }));
  scenario("savegame 1\n");
  ui::right_click_mode = 0;
  ui::define_buttons("b.bmp", false);
  save::take_save_point_at(0);
  save::write_save_file(1);
  ui::right_click_mode = 1;
  ui::define_buttons("", false);
  ASSERT_FALSE(graphics::has_surface(graphics::button_image));
  ASSERT_TRUE(save::load_save_file(1));
  EXPECT_EQ(ui::right_click_mode, 0);
  EXPECT_EQ(ui::button_settings.button_image_file, "b.bmp");
  EXPECT_EQ(graphics::button_image.surface.width, 4);
}

// Through the program: a save made while a page is shown holds the page's
// start; loading it shows the page again, once, with the state from before
// it; saving again at once writes the same file.
TEST(SaveProgram, ASaveDuringAPageRestoresThePageStart) {
  testsupport::GameFolder game;
  game.write_text("0.txt",
                  "*define\ntextgosub *tg\ngame\n"
                  "*tg\nif %1==0 savegame 1\nmov %1,1\nreturn\n"
                  "*start\n"
                  "savefileexist %5,1\n"
                  "if %5==1 loadgame 1\n"
                  "add %2,7\n"
                  "あいう@かきく@\n"
                  "%2\n"
                  "end\n");
  testsupport::RunResult first = testsupport::run_headless(game.path());
  ASSERT_EQ(first.status, 0) << first.err;
  std::string saved = game.read_file("save1.dat");
  ASSERT_FALSE(saved.empty());
  testsupport::RunResult second = testsupport::run_headless(game.path());
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(second.out, first.out);
  EXPECT_NE(second.out.find("７"), std::string::npos) << second.out;  // add ran once
  EXPECT_EQ(second.out.find("あいう"), second.out.rfind("あいう"));
  EXPECT_EQ(game.read_file("save1.dat"), saved);
}

TEST(SaveProgram, GlobalVariablesAndLabelsOutliveTheRun) {
  testsupport::GameFolder game;
  game.write_text("0.txt",
                  "*define\nglobalon\nlabellog\ngame\n"
                  "*start\n"
                  "add %200,1\n"
                  "add %199,1\n"
                  "%200 %199\n"
                  "if lchk *secret goto *again\n"
                  "*Secret\n"
                  "end\n"
                  "*again\n"
                  "見た\n"
                  "end\n");
  testsupport::RunResult first = testsupport::run_headless(game.path());
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out.find("見た"), std::string::npos);
  testsupport::RunResult second = testsupport::run_headless(game.path());
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_NE(second.out.find("２１"), std::string::npos) << second.out;
  EXPECT_NE(second.out.find("見た"), std::string::npos) << second.out;
}

// A process killed while it saves, again and again, leaves a whole file:
// the old one or the new one.
TEST(SaveProgram, KilledWhileSavingLeavesAWholeFile) {
  testsupport::GameFolder game;
  game.write_text("0.txt", "*define\ndim ?0[200000]\ngame\n*start\n*loop\ninc %0\nsavegame 1\ngoto *loop\n");
  std::string path = game.path() + "/save1.dat";
  std::mt19937 rng(7);
  size_t size = 0;
  int seen = 0;
  auto changed_at = [&path] {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec : 0LL;
  };
  for (int round = 0; round < 25; ++round) {
    long long before = changed_at();
    pid_t pid = fork();
    if (pid == 0) {
      int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      execl(ORVANE_BINARY, ORVANE_BINARY, "--headless", "--virtual-clock", game.path().c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    // Once this run has saved, kill it at a random moment of its next saves.
    for (int i = 0; i < 2000 && changed_at() == before; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::microseconds(rng() % 30000));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    // A killed program cannot remove its instance lock: the test does.
    std::remove(platform::instance_lock_path(game.path()).c_str());
    std::string f = game.read_file("save1.dat");
    ASSERT_FALSE(f.empty()) << round;
    ++seen;
    if (size == 0) size = f.size();
    ASSERT_EQ(f.size(), size) << round;
    EXPECT_EQ(f.substr(0, 4), std::string("\1\0\0\0", 4));
    EXPECT_EQ(f.substr(f.size() - 8), std::string("\6\0\0\0\0\0\0\0", 8));  // line 6, no ':'
  }
  EXPECT_EQ(seen, 25);
}

}  // namespace
