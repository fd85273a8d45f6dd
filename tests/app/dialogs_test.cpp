// The volume, CD drive and save/load dialogs run in-process, headless, on
// queued keys and pointer presses; the volume dialog also through the program.
#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>

#include "app/context.h"
#include "app/dialogs.h"
#include "app/settings.h"
#include "platform/clock.h"
#include "platform/dialog.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/mode.h"
#include "platform/sjis.h"
#include "sound/music.h"
#include "sound/volume.h"
#include "tests/support/game_folder.h"

using platform::DialogInput;
using platform::DialogInputKind;
using testsupport::GameFolder;

namespace {

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::headless = true;
    platform::use_virtual_clock(true);
    platform::set_scripted_events({});
    platform::clear_messages();
    platform::clear_dialog_input();
    app::shell_hooks = app::ShellHooks{};
    for (app::Volume v : {app::Volume::voice, app::Volume::effect, app::Volume::music})
      app::set_volume_attenuation(v, 0);
    sound::hide_music_slider = 0;
    app::cd_drive.clear();
    sound::music_state.cd_track = -1;
  }
  void TearDown() override {
    app::shell_hooks = app::ShellHooks{};
    platform::clear_dialog_input();
    platform::clear_messages();
    platform::use_virtual_clock(false);
    app::cd_drive.clear();
    sound::music_state.cd_track = -1;
  }
  static void key(int k, bool shift = false) {
    DialogInput in;
    in.kind = DialogInputKind::key;
    in.key = k;
    in.shift = shift;
    platform::post_dialog_input(in);
  }
  static void press_at(int x, int y) {
    DialogInput in;
    in.kind = DialogInputKind::press;
    in.x = x;
    in.y = y;
    platform::post_dialog_input(in);
    in.kind = DialogInputKind::move;
    platform::post_dialog_input(in);
    in.kind = DialogInputKind::release;
    platform::post_dialog_input(in);
  }
};

}  // namespace

TEST_F(Dialogs, VolumeSlidersSetTheAttenuationsAsTheyMove) {
  app::set_volume_attenuation(app::Volume::effect, 40);
  // Voice +3; Tab to effects, one page down (+10); Tab to music, End (100);
  // Shift+Tab back to effects, Up (-1).
  for (int i = 0; i < 3; ++i) key(platform::key_down);
  key(platform::key_tab);
  key(platform::key_page_down);
  key(platform::key_tab);
  key(platform::key_end);
  key(platform::key_tab, true);
  key(platform::key_up);
  app::show_volume_dialog();  // headless: cancelled once the input is used up
  EXPECT_EQ(app::volume_attenuation(app::Volume::voice), 3);
  EXPECT_EQ(app::volume_attenuation(app::Volume::effect), 49);
  EXPECT_EQ(app::volume_attenuation(app::Volume::music), 100);
  EXPECT_EQ(sound::get_music_attenuation(), 100);  // handed to the sound at once

  // The pointer: a press halfway down the voice track sets 50; without the
  // music slider its keys go nowhere (Tab skips it).
  sound::hide_music_slider = 1;
  int w = 138, h = platform::dialog_units_y(120);
  int fx = (640 - (w + 2)) / 2, fy = (480 - (h + platform::kDialogTitleHeight + 2)) / 2;
  int track_top = fy + 1 + platform::kDialogTitleHeight + platform::dialog_units_y(16) + 6;
  int track = platform::dialog_units_y(80) - 12;
  press_at(fx + 1 + platform::dialog_units_x(18) + 12, track_top + track / 2);
  key(platform::key_tab);
  key(platform::key_tab);
  key(platform::key_home);  // on the 閉じる button: nothing
  key(platform::key_tab);   // back to the voice slider
  key(platform::key_home);
  key(platform::key_down);
  app::show_volume_dialog();
  EXPECT_EQ(app::volume_attenuation(app::Volume::voice), 1);
  EXPECT_EQ(app::volume_attenuation(app::Volume::music), 100);
  // A press halfway down, alone.
  press_at(fx + 1 + platform::dialog_units_x(18) + 12, track_top + track / 2);
  app::show_volume_dialog();
  EXPECT_EQ(app::volume_attenuation(app::Volume::voice), 50);
  sound::hide_music_slider = 0;
}

TEST_F(Dialogs, CdDriveListsTheStandInsAndMovesThePlayingTrack) {
  GameFolder g;
  g.write_bytes("cd/track02.ogg", "x");
  g.write_bytes("CD2/track10.wav", "x");
  g.write_bytes("cdx/track01.ogg", "x");  // not a drive name
  g.write_bytes("cd3/music.ogg", "x");    // no track file
  g.write_bytes("cd4/tracks.txt", "x");
  char cwd[PATH_MAX];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(g.path().c_str()), 0);
  std::vector<std::string> drives = app::cd_stand_ins();
  EXPECT_EQ(drives, (std::vector<std::string>{"CD2\\", "cd\\"}));

  static int stops = 0, plays = 0, track_at_stop = -1, track_at_play = -1;
  app::shell_hooks.stop_cd = [] {
    ++stops;
    track_at_stop = sound::music_state.cd_track;
  };
  app::shell_hooks.play_cd_track = [] {
    ++plays;
    track_at_play = sound::music_state.cd_track;
  };
  sound::music_state.cd_track = 3;
  key(platform::key_down);
  key(platform::key_down);
  key(platform::key_enter);
  app::show_cd_drive_dialog();
  EXPECT_EQ(app::cd_drive, "cd\\");
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(track_at_stop, 0);
  EXPECT_EQ(plays, 1);
  EXPECT_EQ(track_at_play, 3);
  // Opened again, the chosen drive is selected; デフォルト is at the top.
  key(platform::key_up);
  key(platform::key_up);
  key(platform::key_enter);
  app::show_cd_drive_dialog();
  EXPECT_EQ(app::cd_drive, "");
  // Cancel changes nothing, and no track plays when none was set.
  sound::music_state.cd_track = -1;
  key(platform::key_down);
  key(platform::key_escape);
  app::show_cd_drive_dialog();
  EXPECT_EQ(app::cd_drive, "");
  EXPECT_EQ(plays, 2);
  ASSERT_EQ(chdir(cwd), 0);
}

TEST_F(Dialogs, SaveLoadShellClosesOnEitherButton) {
  key(platform::key_tab);
  key(platform::key_enter);  // the focused セーブ button
  key(platform::key_enter);  // left for the next dialog
  app::show_save_load_dialog(app::SaveLoadMode::save);
  EXPECT_EQ(platform::open_dialog(), nullptr);
  app::show_save_load_dialog(app::SaveLoadMode::load);  // takes the second Enter
  // Typed text finds no edit box; its Enter closes the dialog.
  platform::type_into_dialog("x");
  app::show_save_load_dialog(app::SaveLoadMode::load);
  EXPECT_EQ(platform::open_dialog(), nullptr);
}

TEST(VolumeDialogProgram, MenuItemOpensItAndTheFileKeepsTheSliders) {
  GameFolder g;
  g.write_text("0.txt", "*define\nmode_ext\ngame\n*start\n一\nwait 3000\n二\nend\n");
  // The dialog sits in the middle of the 640x480 picture.
  g.write_bytes("events.txt",
                "600 menu 40024\n700 key down\n700 key down\n700 key tab\n700 key pagedown\n"
                "800 key escape\n");
  auto r = testsupport::run_program(
      g.path(), {"--headless", "--virtual-clock", "--transcript", "-", "--events", g.path() + "/events.txt"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "一\n二\n");
  app::EnvironmentRecord env = app::decode_environment(g.read_file("envdata"));
  EXPECT_EQ(env.voice_attenuation, 2);
  EXPECT_EQ(env.effect_attenuation, 10);
  EXPECT_EQ(env.music_attenuation, 0);
}
