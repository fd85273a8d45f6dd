// The window procedure in-process: messages in, flags, check marks and
// commands out.
#include <gtest/gtest.h>

#include "app/context.h"
#include "app/main_window.h"
#include "app/window_proc.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/messages.h"
#include "platform/mode.h"
#include "platform/window.h"
#include "text/wait.h"

using namespace platform;

namespace {

class WindowProc : public ::testing::Test {
 protected:
  void SetUp() override {
    headless = true;
    use_virtual_clock(true);
    set_scripted_events({});
    clear_messages();
    release_all_keys();
    text::reset_wait_defaults();
    ASSERT_TRUE(app::open_main_window());  // headless: the procedure, menu and accelerator only
    app::shell_hooks = app::ShellHooks{};
    set_full_screen(false);
  }
  void TearDown() override {
    set_window_procedure(nullptr);
    app::shell_hooks = app::ShellHooks{};
    set_full_screen(false);
    clear_messages();
    use_virtual_clock(false);
  }
  void pump_all() {
    while (text::pump_one_message()) {
    }
  }
  void send(MessageId id, int x = 0, int y = 0, int32_t param = 0) {
    Message m;
    m.id = id;
    m.x = x;
    m.y = y;
    m.param = param;
    post_message(m);
    pump_all();
  }
};

}  // namespace

TEST_F(WindowProc, LeftClickSetsTheFlagAndRecordsThePoint) {
  send(msg_left_button_up, 12, 34);
  EXPECT_EQ(text::click_flag, 1);
  EXPECT_EQ(text::last_click_x, 12);
  EXPECT_EQ(text::last_click_y, 34);
  EXPECT_EQ(app::app_context->last_message, msg_left_button_up);
  send(msg_right_button_up, 5, 6);
  EXPECT_EQ(text::right_click_flag, 1);
  send(msg_mouse_wheel, 1, 1, -240);
  EXPECT_EQ(app::app_context->last_x, -240);
}

TEST_F(WindowProc, ClickInAutoOrSkipModeOnlyEndsTheModes) {
  text::auto_mode = 1;
  send(msg_left_button_up, 1, 1);
  EXPECT_EQ(text::auto_mode, 0);
  EXPECT_EQ(text::click_flag, 0);
  text::skip_mode = 1;
  send(msg_right_button_up, 1, 1);
  EXPECT_EQ(text::skip_mode, 0);
  EXPECT_EQ(text::right_click_flag, 0);
}

TEST_F(WindowProc, CharactersEndSkipClickAndStartSkipOnReadTextOnly) {
  text::skip_mode = 1;
  send(msg_char, 0, 0, 'x');
  EXPECT_EQ(text::skip_mode, 0);
  send(msg_char, 0, 0, ' ');
  EXPECT_EQ(text::click_flag, 1);
  text::click_flag = 0;
  send(msg_char, 0, 0, '\r');
  EXPECT_EQ(text::click_flag, 1);

  // "n" is the skip item: refused on text not read yet while only read
  // text is skipped.
  app::shell_hooks.read_state_here = [] { return 0; };
  send(msg_char, 0, 0, 'n');
  EXPECT_EQ(text::skip_mode, 0);
  app::shell_hooks.read_state_here = [] { return 1; };
  send(msg_char, 0, 0, 'n');
  EXPECT_EQ(text::skip_mode, 1);
  text::skip_mode = 0;
  text::read_skip_only = 0;
  app::shell_hooks.read_state_here = [] { return 0; };
  send(msg_char, 0, 0, 'n');
  EXPECT_EQ(text::skip_mode, 1);
  // Without a read-text record skip always starts.
  text::skip_mode = 0;
  text::read_skip_only = 1;
  app::shell_hooks.read_state_here = nullptr;
  send(msg_command, 0, 0, 40006);
  EXPECT_EQ(text::skip_mode, 1);
}

TEST_F(WindowProc, MenuCommandsMoveTheirRadioCheckMarks) {
  send(msg_command, 0, 0, 40016);
  EXPECT_EQ(app::text_speed_setting, 2);
  EXPECT_TRUE(menu_item_checked(menu_bar(), 40016));
  EXPECT_FALSE(menu_item_checked(menu_bar(), 40015));
  send(msg_command, 0, 0, 40018);
  EXPECT_EQ(app::waves_enabled, 0);
  EXPECT_FALSE(menu_item_checked(menu_bar(), 40017));
  send(msg_command, 0, 0, 40007);
  EXPECT_EQ(text::page_click_mode, 1);
  EXPECT_TRUE(menu_item_checked(menu_bar(), 40007));
  EXPECT_FALSE(menu_item_checked(menu_bar(), 40008));
  send(msg_command, 0, 0, 40008);
  EXPECT_EQ(text::page_click_mode, 0);
  // 一ページごと is refused while autoclick runs.
  text::autoclick_active = 1;
  send(msg_command, 0, 0, 40007);
  EXPECT_EQ(text::page_click_mode, 0);
  EXPECT_TRUE(menu_item_checked(menu_bar(), 40008));
  send(msg_command, 0, 0, 40022);
  EXPECT_EQ(app::cd_enabled, 0);
  EXPECT_TRUE(menu_item_checked(menu_bar(), 40022));
  send(msg_command, 0, 0, 40021);
  EXPECT_EQ(app::cd_enabled, 1);
  send(msg_command, 0, 0, 40026);
  EXPECT_EQ(text::read_skip_only, 0);
  send(msg_command, 0, 0, 40019);
  EXPECT_EQ(text::auto_mode, 1);
}

TEST_F(WindowProc, FontItemsCarryTheCheckMark) {
  insert_menu_item(menu_bar()[1].submenu, 0, menu_command("IPAゴシック", 41000));
  app::current_font_item = -1;
  send(msg_command, 0, 0, 41000);
  EXPECT_EQ(app::current_font_item, 41000);
  EXPECT_TRUE(menu_item_checked(menu_bar(), 41000));
  send(msg_command, 0, 0, 40004);
  EXPECT_EQ(app::current_font_item, 40004);
  EXPECT_FALSE(menu_item_checked(menu_bar(), 41000));
  EXPECT_TRUE(menu_item_checked(menu_bar(), 40004));
}

TEST_F(WindowProc, AltEnterTogglesFullScreenAndTheStripFollowsThePointer) {
  post_key_event(key_alt, true);
  post_key_event(key_enter, true);
  post_key_event(key_enter, false);
  post_key_event(key_alt, false);
  pump_all();
  EXPECT_EQ(app::app_context->full_screen, 1);
  EXPECT_TRUE(full_screen_active());
  EXPECT_TRUE(menu_item_checked(menu_bar(), 40002));
  EXPECT_FALSE(menu_item_checked(menu_bar(), 40003));
  // Entering posted a move to (0, 1): the strip is back near the top.
  EXPECT_FALSE(app::menu_hidden);
  send(msg_mouse_move, 100, 20);
  EXPECT_TRUE(app::menu_hidden);
  send(msg_mouse_move, 100, 19);
  EXPECT_FALSE(app::menu_hidden);
  send(msg_mouse_move, 100, 300);
  EXPECT_TRUE(app::menu_hidden);
  // Releasing Alt brings the strip back too.
  send(msg_system_key_up, 0, 0, key_alt);
  EXPECT_FALSE(app::menu_hidden);
  send(msg_command, 0, 0, 40029);
  EXPECT_EQ(app::app_context->full_screen, 0);
  EXPECT_FALSE(full_screen_active());
  EXPECT_TRUE(menu_item_checked(menu_bar(), 40003));
  // In a window the pointer does not move the strip.
  send(msg_mouse_move, 100, 300);
  EXPECT_FALSE(app::menu_hidden);
}

TEST(ClickWait, PerCharacterAutoModeWaitsForTheLine) {
  headless = true;
  use_virtual_clock(true);
  set_scripted_events({});
  clear_messages();
  set_window_procedure(app::window_procedure);
  text::reset_wait_defaults();
  text::auto_mode = 1;
  text::auto_mode_time = -100;
  text::chars_in_line = 20;
  uint32_t start = clock_ms();
  text::wait_for_click();
  uint32_t waited = clock_ms() - start;
  EXPECT_GE(waited, 2000u);
  EXPECT_LE(waited, 2003u);
  text::auto_mode_time = 1000;
  start = clock_ms();
  text::wait_for_click();
  EXPECT_LE(clock_ms() - start, 1003u);
  EXPECT_GE(clock_ms() - start, 1000u);
  text::reset_wait_defaults();
  set_window_procedure(nullptr);
  use_virtual_clock(false);
}
