#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/mode.h"

using namespace platform;

namespace {

class MessageQueue : public ::testing::Test {
 protected:
  void SetUp() override {
    headless = true;
    use_virtual_clock(true);
    set_scripted_events({});
    clear_messages();
    release_all_keys();
  }
  void TearDown() override {
    kill_timer(1);
    clear_messages();
    release_all_keys();
    use_virtual_clock(false);
  }
};

Message at(MessageId id, int x, int y) {
  Message m;
  m.id = id;
  m.x = x;
  m.y = y;
  return m;
}

}  // namespace

TEST_F(MessageQueue, PeekKeepsOrderAndFiltersWithOrWithoutRemoval) {
  post_message(at(msg_mouse_move, 1, 2));
  post_message(at(msg_left_button_up, 3, 4));
  post_message(msg_char, 'a');
  Message m;
  ASSERT_TRUE(peek_message(m, msg_left_button_up, false));
  EXPECT_EQ(m.x, 3);
  ASSERT_TRUE(peek_message(m, msg_left_button_up, true));
  EXPECT_FALSE(peek_message(m, msg_left_button_up, true));
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_mouse_move);
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_char);
  EXPECT_EQ(m.param, 'a');
  EXPECT_FALSE(peek_message(m));
}

TEST_F(MessageQueue, RemovesEveryMessageOfOneKind) {
  post_message(at(msg_left_button_up, 0, 0));
  post_message(msg_char, 'x');
  post_message(at(msg_left_button_up, 0, 0));
  EXPECT_EQ(remove_messages(msg_left_button_up), 2);
  EXPECT_TRUE(message_waiting_except(msg_timer));
  EXPECT_EQ(remove_messages(msg_char), 1);
  EXPECT_FALSE(message_waiting_except(msg_timer));
}

TEST_F(MessageQueue, TimerTicksEveryPeriodWithOnePending) {
  set_timer(1, 100);
  Message m;
  EXPECT_FALSE(peek_message(m));
  sleep_ms(99);
  EXPECT_FALSE(peek_message(m));
  sleep_ms(1);
  ASSERT_TRUE(peek_message(m, msg_none, false));
  EXPECT_EQ(m.id, msg_timer);
  EXPECT_EQ(m.param, 1);
  // Unhandled ticks do not pile up.
  sleep_ms(500);
  EXPECT_FALSE(message_waiting_except(msg_timer));
  EXPECT_EQ(remove_messages(msg_timer), 1);
  kill_timer(1);
  sleep_ms(500);
  EXPECT_FALSE(peek_message(m));
}

TEST_F(MessageQueue, AltEnterIsTheAcceleratorAndTypesNothing) {
  set_accelerator(key_enter, true, 40029);
  Message key = at(msg_key_down, 0, 0);
  key.param = key_enter;
  Message command;
  EXPECT_FALSE(translate_accelerator(key, command));
  translate_message(key);
  Message m;
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_char);
  EXPECT_EQ(m.param, '\r');

  // Alt counts once its key-down message has been taken off the queue.
  post_key_event(key_alt, true);
  EXPECT_FALSE(translate_accelerator(key, command));
  Message alt;
  ASSERT_TRUE(peek_message(alt));
  ASSERT_TRUE(translate_accelerator(key, command));
  EXPECT_EQ(command.id, msg_command);
  EXPECT_EQ(command.param, 40029);
  translate_message(key);
  EXPECT_FALSE(peek_message(m));
}

TEST_F(MessageQueue, ReleasingAltPostsTheSystemKeyUp) {
  post_key_event(key_alt, true);
  EXPECT_TRUE(key_held(key_alt));
  post_key_event(key_alt, false);
  EXPECT_FALSE(key_held(key_alt));
  Message m;
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_key_down);
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_key_up);
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_system_key_up);
}

TEST_F(MessageQueue, DispatchGoesToTheRegisteredProcedure) {
  static int seen = 0;
  seen = 0;
  set_window_procedure([](const Message& m) { seen = m.param; });
  Message m;
  m.id = msg_command;
  m.param = 40019;
  dispatch_message(m);
  set_window_procedure(nullptr);
  EXPECT_EQ(seen, 40019);
}
