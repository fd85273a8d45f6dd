// The list engine and the button helpers in-process: the wheel towards the lookback, the interface sounds, the
// centred menu layout on the darkened screen, refused items, the choice-text renderer, transparent hits and blt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/screen.h"
#include "app/window_proc.h"
#include "graphics/button_picture.h"
#include "graphics/commands.h"
#include "graphics/effect.h"
#include "graphics/screen.h"
#include "interp/error.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/messages.h"
#include "platform/sjis.h"
#include "tests/graphics/graphics_test_util.h"
#include "tests/support/script_fixture.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/screen_link.h"
#include "text/wait.h"
#include "ui/buttons.h"
#include "ui/commands.h"
#include "ui/hooks.h"
#include "ui/menu.h"
#include "ui/right_click.h"
#include "ui/selection.h"

namespace {

std::vector<std::string> sounds_played;

uint32_t shown_at(int x, int y) {
  const uint8_t* p = graphics::TheScreen.display.row(y) + 3 * x;
  return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

std::string sjis(const char* utf8) { return platform::utf8_to_sjis(utf8); }

class ListTest : public gtest_graphics::GameFolder {
 protected:
  void SetUp() override {
    gtest_graphics::GameFolder::SetUp();
    platform::use_virtual_clock(true);
    platform::clear_messages();
    platform::set_window_procedure(app::window_procedure);
    testsupport::load_script("");
    interp::set_fatal_hook(gtest_graphics::throw_box);
    app::screen_width = 640;
    app::screen_height = 480;
    graphics::start_pictures(640, 480);
    text::init_message_window();
    text::init_text_output();
    text::reset_wait_state();
    text::reset_lookback();
    ui::init_ui();
    sounds_played.clear();
    ui::ui_hooks.play_sound = [](const std::string& name) { sounds_played.push_back(name); };
    // The lookback viewer with no finished page plays the fifth menu sound.
    text::wait_hooks.play_menu_sound = [](int k) { sounds_played.push_back("menu " + std::to_string(k)); };
    text::wait_hooks.right_click = [] { return ui::show_right_click_menu(-1); };
    // A list nobody answers is cancelled or chosen after 20 s, so a broken
    // test ends.
    platform::set_auto_click(20000);
  }
  void TearDown() override {
    platform::set_auto_click(0);
    platform::set_scripted_events({});
    platform::clear_messages();
    platform::set_window_procedure(nullptr);
    ui::ui_hooks = ui::UiHooks{};
    text::wait_hooks.play_menu_sound = nullptr;
    text::wait_hooks.right_click = nullptr;
    ui::init_ui();
    // The window and its text leave the screen, which other tests compose.
    text::init_message_window();
    text::screen_link = text::ScreenLink{};
    graphics::TheScreen.message_window_shown = nullptr;
    graphics::TheScreen.draw_message_window = nullptr;
    text::reset_wait_state();
    platform::use_virtual_clock(false);
    gtest_graphics::GameFolder::TearDown();
  }
  // Scripted input, one "<ms> <event>" a line, from now on.
  void input(const std::vector<std::string>& lines) {
    std::vector<platform::ScriptedEvent> events;
    for (const std::string& line : lines) {
      platform::ScriptedEvent e;
      std::string error;
      ASSERT_TRUE(platform::parse_event_line(line, e, error)) << line << ": " << error;
      e.time += platform::clock_ms();
      events.push_back(e);
    }
    platform::set_scripted_events(events);
  }
  void white_screen() {
    graphics::set_background_colour(0xFFFFFF, "white");
    graphics::refresh_screen(1, 0, "");
  }
};

TEST_F(ListTest, WheelUpShowsTheLookbackAndSoundsGoThroughOneEntryPoint) {
  ui::selection_settings.select_voice[0] = "open.wav";
  ui::selection_settings.select_voice[1] = "over.wav";
  ui::selection_settings.select_voice[2] = "click.wav";
  std::string texts[2] = {sjis("はい"), sjis("いいえ")};
  // Items on rows 0 and 1: y 16..43 and 44..71.
  input({"100 wheel 1", "200 wheel -1", "300 move 20 20", "400 click 20 50"});
  // Only the turn away from the player opens the lookback (which, with no
  // page finished, only plays its sound).
  EXPECT_EQ(ui::run_choice_list(2, 0, 0, texts), 1);
  EXPECT_EQ(sounds_played, (std::vector<std::string>{"open.wav", "menu 4", "over.wav", "over.wav", "click.wav"}));
}

TEST_F(ListTest, MenuLayoutIsCentredOnTheTintedScreenAndCancels) {
  white_screen();
  ui::SelectionSettings& s = ui::selection_settings;
  for (int k = 0; k < 7; k++) s.menu_voice[k] = "m" + std::to_string(k);
  std::string texts[3] = {"12345678", "abcdefgh", "ABCDEFGH"};
  // L = 8 bytes: x from 320 - 26 * 8 / 4 = 268 to 371; rows at 240 + (k - 1) * 28.
  ui::enter_menu_mode();
  input({"100 click 372 245", "200 click 270 245"});
  EXPECT_EQ(ui::run_choice_list(3, 0, 0, texts), 1);
  EXPECT_EQ(shown_at(5, 5), 0x999999u);  // white under the tint
  EXPECT_EQ(sounds_played, (std::vector<std::string>{"m0", "m2", "m3"}));
  sounds_played.clear();
  // The pointer still stands on item 1, which lights up at once; then
  // item 0; a right click cancels.
  input({"100 move 300 215", "200 rclick 300 215"});
  EXPECT_EQ(ui::run_choice_list(3, 0, 0, texts), -1);
  EXPECT_EQ(sounds_played, (std::vector<std::string>{"m0", "m2", "m2", "m1"}));
  input({"100 key escape"});
  EXPECT_EQ(ui::run_choice_list(3, 0, 0, texts), -1);
  ui::leave_menu_mode();
  EXPECT_FALSE(ui::menu_mode);
  EXPECT_EQ(shown_at(5, 5), 0xFFFFFFu);
}

TEST_F(ListTest, ExportedMenuListRefusesItemsThatAreNotUsable) {
  ui::enter_menu_mode();
  ui::ListItem items[2] = {ui::menu_item("slot 1", 100, 100, ui::selection_settings.menu_colour_off),
                           ui::menu_item("slot 2", 100, 128, ui::selection_settings.menu_colour_3)};
  items[1].usable = false;
  for (const ui::ListItem& it : items) ui::draw_list_item(it);
  EXPECT_EQ(items[0].right, 100 + 26 * 6 / 2 - 1);
  EXPECT_EQ(items[1].bottom, 128 + 28 - 1);
  ui::ListLook look = ui::menu_look();
  look.refused_sound = "refused";
  input({"100 click 110 130", "200 key up", "300 key enter"});
  // Up from slot 2 goes to slot 1; Enter clicks it.
  EXPECT_EQ(ui::run_list(items, 2, look), 0);
  EXPECT_EQ(sounds_played, (std::vector<std::string>{"refused"}));
  ui::leave_menu_mode();
}

TEST_F(ListTest, AYesNoRowMovesSidewaysAndPlaysEachAnswersSound) {
  ui::enter_menu_mode();
  ui::ListItem answers[2] = {ui::menu_item(sjis("はい　"), 216, 254, 0xAAAAAA, 6),
                             ui::menu_item(sjis("いいえ"), 372, 254, 0xAAAAAA, 6)};
  answers[0].click_sound = "yes.wav";
  answers[1].click_sound = "no.wav";
  for (const ui::ListItem& it : answers) ui::draw_list_item(it);
  ui::ListLook look = ui::menu_look();
  look.sideways = true;
  // Right from no answer goes to the first, Right again to the second.
  input({"100 key right", "200 key right", "300 key enter"});
  EXPECT_EQ(ui::run_list(answers, 2, look), 1);
  input({"100 key left", "200 key enter"});
  EXPECT_EQ(ui::run_list(answers, 2, look), 0);
  EXPECT_EQ(sounds_played, (std::vector<std::string>{"no.wav", "yes.wav"}));
  ui::leave_menu_mode();
}

TEST_F(ListTest, ChoiceTextBreaksLinesCountsAndClips) {
  text::MessageWindow& w = text::message_window;
  w.columns = 5;
  int32_t column = 0, row = 0;
  EXPECT_EQ(ui::draw_choice_text(sjis("あいうえおかき"), column, row, 0xFFFFFF), 5);
  EXPECT_EQ(column, 0);
  EXPECT_EQ(row, 2);
  // The group that must stay together counts twice its bytes: "う。" goes
  // to the next row already after "い".
  column = 1, row = 0;
  ui::draw_choice_text(sjis("あいう。"), column, row, 0xFFFFFF);
  EXPECT_EQ(row, 2);
  // Pixel coordinates leave the position alone; a cell outside the window
  // is not drawn.
  w.window_right = 160;
  column = -100, row = -300;
  graphics::Rect none{0, 0, 639, 479};
  graphics::compose_screen(&none);
  graphics::TheScreen.display = graphics::TheScreen.work;
  EXPECT_EQ(ui::draw_choice_text(sjis("ああああ"), column, row, 0xFFFFFF), 4);
  EXPECT_EQ(column, -100);
  uint32_t lit_first = 0, lit_fourth = 0;
  for (int y = 300; y < 326; y++)
    for (int x = 0; x < 26; x++) {
      lit_first |= shown_at(100 + x, y);
      lit_fourth |= shown_at(178 + x, y);
    }
  EXPECT_NE(lit_first, 0u);
  EXPECT_EQ(lit_fourth, 0u);
}

TEST_F(ListTest, TransparentHitsFollowTheTransparencyMode) {
  // Alpha mode: colours on the left, the mask on the right (white: transparent).
  gtest_graphics::write_file("alpha.bmp", gtest_graphics::make_bmp(40, 20, 24, [](int x, int) {
                               return x < 20 ? 0xff0000u : x < 30 ? 0u : 0xffffffu;
                             }));
  gtest_graphics::write_file("copy.bmp", gtest_graphics::solid_bmp(20, 20, 0xffffff));
  graphics::load_sprite(3, ":a;alpha.bmp", 100, 100, -1, true);
  graphics::load_sprite(4, ":c;copy.bmp", 200, 100, -1, true);
  EXPECT_TRUE(ui::sprite_pixel_opaque(3, 105, 105));
  EXPECT_FALSE(ui::sprite_pixel_opaque(3, 115, 105));
  EXPECT_FALSE(ui::sprite_pixel_opaque(3, 121, 105));  // past the visible width
  EXPECT_TRUE(ui::sprite_pixel_opaque(4, 219, 119));
  ui::add_sprite_button(3, 30, false, false);
  ui::add_sprite_button(4, 40, false, false);
  ui::add_sprite_button(5, 50, false, false);  // not loaded: nothing
  ui::add_sprite_button(4, 41, false, true);   // one cell only: nothing
  EXPECT_EQ(ui::button_table.count, 2);
  ui::button_settings.transparent_hits = true;
  EXPECT_EQ(ui::button_at(105, 105), 0);
  EXPECT_EQ(ui::button_at(115, 105), -1);
  ui::add_sprite_button(4, 30, true, false);  // spbtn2 replaces button 30
  EXPECT_EQ(ui::button_table.count, 2);
  EXPECT_EQ(ui::button_at(205, 105), 1);
  ui::delete_buttons(30);
  EXPECT_EQ(ui::button_at(205, 105), 1);
  EXPECT_EQ(ui::button_table.buttons[0].button_left, ui::kDeletedLeft);
}

TEST_F(ListTest, BltStretchesThePartOfTheButtonPicture) {
  gtest_graphics::write_file("b.bmp", gtest_graphics::make_bmp(2, 2, 24, [](int x, int y) {
                               return std::vector<uint32_t>{0x112233, 0x445566, 0x778899, 0xaabbcc}[y * 2 + x];
                             }));
  testsupport::load_script("\"b.bmp\"");
  ui::cmd_btndef();
  testsupport::load_script("10,10,4,4,0,0,2,2");
  graphics::cmd_blt();
  EXPECT_EQ(shown_at(10, 10), 0x112233u);
  EXPECT_EQ(shown_at(12, 11), 0x445566u);
  EXPECT_EQ(shown_at(11, 13), 0x778899u);
  EXPECT_EQ(shown_at(13, 13), 0xaabbccu);
  testsupport::load_script("100,100,2,2,1,1");  // without a source size: the same size
  graphics::cmd_blt();
  EXPECT_EQ(shown_at(100, 100), 0xaabbccu);
  EXPECT_EQ(shown_at(101, 101), 0u);
  testsupport::load_script("630,470,100,100,-5,-5,1000,1000");  // outside both pictures: no harm
  graphics::cmd_blt();
  testsupport::load_script("clear");
  ui::cmd_btndef();  // `clear` keeps the picture
  EXPECT_EQ(graphics::button_image.surface.width, 2);
  testsupport::load_script("\"\"");
  ui::cmd_btndef();
  EXPECT_EQ(graphics::button_image.surface.width, 0);
}

}  // namespace
