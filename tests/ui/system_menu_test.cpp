// The right-click system menu, the system calls and the save and load
// screens, played headless with scripted clicks. The game reaches *start
// about 505 ms after the program starts.
//
// Where things are on the 640 x 480 screen with the default menu layout
// (pitch 26 x 28): the four captions of kMenu at y 184, 212, 240, 268
// (item k at 240 + (k - 2) * 28); the nine slot lines from y 156 on, 28
// apart; the confirmation's はい at (216, 240) and いいえ at (372, 240).
#include <gtest/gtest.h>

#include <string>

#include "platform/calendar.h"
#include "platform/sjis.h"
#include "tests/ui/ui_play.h"
#include "ui/hooks.h"
#include "ui/save_load_screen.h"

using uitest::Play;

namespace {

const char kMenu[] = "rmenu \"セーブ\",save,\"ロード\",load,\"回想\",lookback,\"終了\",reset\n";

// Clicks at the centre of menu caption k, slot line i, and the answers.
std::string caption(int t, int k) {
  return std::to_string(t) + " click 300 " + std::to_string(184 + 28 * k + 10) + "\n";
}
std::string slot(int t, int i) { return std::to_string(t) + " click 200 " + std::to_string(156 + 28 * i + 10) + "\n"; }
std::string yes(int t) { return std::to_string(t) + " click 240 250\n"; }
std::string no(int t) { return std::to_string(t) + " click 400 250\n"; }
std::string rclick(int t) { return std::to_string(t) + " rclick 5 5\n"; }
std::string click(int t) { return std::to_string(t) + " click 5 5\n"; }

}  // namespace

TEST(SystemMenu, SaveAsksForEachSlotAndNoGoesBackToTheList) {
  Play p;
  p.defines = kMenu;
  p.body = "textspeed 0\nあ@\nい@";
  // save -> slot 1 -> いいえ: the slot list again, where slot 2 -> はい
  // saves into save2.dat; then the wait goes on.
  p.events = rclick(1000) + caption(1100, 0) + slot(1200, 0) + no(1300) + slot(1400, 1) + yes(1500) + click(1700) +
             click(1800);
  auto r = p.run();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(p.folder.exists("save1.dat"));
  EXPECT_TRUE(p.folder.exists("save2.dat"));
  EXPECT_EQ(r.out, "あ\nい\n");
}

TEST(SystemMenu, LoadFromTheMenuContinuesAtTheSavedPage) {
  Play p;
  p.defines = kMenu;
  p.body = "textspeed 0\n一頁目\\\nadd %200,1\n二頁目%200@\n三頁目\\\n四頁目@";
  // On page two: save in slot 1. On page four: load slot 1, which shows
  // page two again from its text (the save point is taken after the
  // commands at the page's top), then pages three and four.
  p.events = click(700) + rclick(800) + caption(900, 0) + slot(1000, 0) + yes(1100) + click(1300) + click(1400) +
             rclick(1500) + caption(1600, 1) + slot(1700, 0) + yes(1800) + click(2000) + click(2100) + click(2200);
  auto r = p.run();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "一頁目\n二頁目１\n三頁目\n四頁目\n二頁目１\n三頁目\n四頁目\n");
}

TEST(SystemMenu, ResetRestartsAtStartWithLocalVariablesCleared) {
  Play p;
  p.defines = kMenu;
  p.body = "textspeed 0\n%0　%200\nmov %0,5\nadd %200,1\nif %200>=2 end\nあ@";
  // 終了 -> はい: *start again, %0 back to 0, the global %200 kept.
  p.events = rclick(1000) + caption(1100, 3) + yes(1200);
  auto r = p.run();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "０　０\nあ\n０　１\n");
}

TEST(SystemMenu, RoffRefusesTheMenuButNotSystemcallSave) {
  Play p;
  p.defines = "roff\n";
  p.body = "textspeed 0\nあ@\nsystemcall rmenu\nsystemcall save\nい@";
  // The right click does nothing (the click after it passes the wait); the
  // menu's system call is refused too, the save screen opens.
  p.events = rclick(1000) + click(1100) + slot(1300, 2) + yes(1400) + click(1600);
  auto r = p.run();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(p.folder.exists("save3.dat"));
  EXPECT_EQ(r.out, "あ\nい\n");
}

TEST(SaveLoadScreen, SlotLinesLineUpTheirNumbersAndShowDatesInFullWidth) {
  // Slot 3 saved on 5 March at 9:07, slot 11 on 12 December at 23:45; the
  // others are empty.
  ui::ui_hooks.save_file_time = [](int32_t slot, platform::LocalTime& t) {
    t = platform::LocalTime{2024, slot == 3 ? 3 : 12, slot == 3 ? 5 : 12, slot == 3 ? 9 : 23, slot == 3 ? 7 : 45, 0};
    return slot == 3 || slot == 11;
  };
  auto line = [](int k, int count) { return platform::sjis_to_utf8(ui::slot_line(k, count).text); };
  EXPECT_EQ(line(3, 12), "しおり　３　　３月　５日　９時０７分");
  EXPECT_EQ(line(11, 12), "しおり１１　１２月１２日２３時４５分");
  EXPECT_EQ(line(3, 9), "しおり３　　３月　５日　９時０７分");
  EXPECT_EQ(line(4, 12), "しおり　４　－－－－－－－－－－－－");
  EXPECT_EQ(platform::sjis_to_utf8(ui::slot_line(3, 12).name), "しおり　３");
  EXPECT_EQ(platform::sjis_to_utf8(ui::slot_line(11, 12).name), "しおり１１");
  EXPECT_TRUE(ui::slot_line(3, 12).used);
  EXPECT_FALSE(ui::slot_line(4, 12).used);
  ui::ui_hooks = ui::UiHooks{};
}

TEST(SystemMenu, BadInputIsAClearErrorBox) {
  Play keyword;
  keyword.defines = "rmenu \"セーブ\",sav\n";
  EXPECT_EQ(uitest::box(keyword.run()), "エラー\nrmenu命令へのパラメータが間違っています。");
  Play call;
  call.body = "systemcall frobnicate";
  EXPECT_EQ(uitest::box(call.run()), "エラー\nsystemcall命令へのパラメータが間違っています。");
  // A right click into a routine that does not exist: the label error.
  Play missing;
  missing.defines = "rgosub *nowhere\n";
  missing.body = "あ@";
  missing.events = rclick(1000);
  auto r = missing.run();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(uitest::box(r).find("nowhere"), std::string::npos) << uitest::box(r);
  // A damaged save file on the load screen: shown with its date, and
  // loading it ends in the save reader's error box, never a crash.
  Play damaged;
  damaged.defines = kMenu;
  damaged.body = "textspeed 0\nあ@";
  damaged.folder.write_bytes("save1.dat", std::string(40, '\xff'));
  damaged.events = rclick(1000) + caption(1100, 1) + slot(1200, 0) + yes(1300) + click(1500);
  r = damaged.run();
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_FALSE(uitest::box(r).empty());
}
