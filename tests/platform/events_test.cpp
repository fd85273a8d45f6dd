#include <gtest/gtest.h>
#include <png.h>

#include <unistd.h>
#include <cstdio>
#include <cstring>

#include "graphics/surface.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/mode.h"
#include "platform/msgbox.h"
#include "platform/window.h"

using namespace platform;

namespace {

ScriptedEvent parse(const char* line) {
  ScriptedEvent e;
  std::string error;
  EXPECT_TRUE(parse_event_line(line, e, error)) << line << ": " << error;
  return e;
}

std::string parse_error(const char* line) {
  ScriptedEvent e;
  std::string error;
  EXPECT_FALSE(parse_event_line(line, e, error)) << line;
  return error;
}

class ScriptedInput : public ::testing::Test {
 protected:
  void SetUp() override {
    headless = true;
    use_virtual_clock(true);
    clear_messages();
    release_all_keys();
  }
  void TearDown() override {
    set_scripted_events({});
    clear_messages();
    release_all_keys();
    use_virtual_clock(false);
  }
};

}  // namespace

TEST(EventsParser, ReadsEveryKindOfEvent) {
  ScriptedEvent e = parse("1500 click 320 240");
  EXPECT_EQ(e.time, 1500u);
  EXPECT_EQ(e.kind, EventKind::click);
  EXPECT_EQ(e.x, 320);
  EXPECT_EQ(e.y, 240);
  EXPECT_EQ(parse("0 rclick 1 2").kind, EventKind::rclick);
  EXPECT_EQ(parse("0 move -5 7").x, -5);
  EXPECT_EQ(parse("10 wheel -2").value, -2);
  EXPECT_EQ(parse("10 key space").value, key_space);
  EXPECT_EQ(parse("10 keydown ctrl").value, key_ctrl);
  EXPECT_EQ(parse("10 keyup pagedown").value, key_page_down);
  EXPECT_EQ(parse("10 key f12").value, key_f1 + 11);
  EXPECT_EQ(parse("10 key n").value, 'N');
  EXPECT_EQ(parse("10 key 7").value, '7');
  EXPECT_EQ(parse("10 char n").value, 'n');
  EXPECT_EQ(parse("10 menu 40006").value, 40006);
  EXPECT_EQ(parse("10 answer no").value, 0);
  EXPECT_EQ(parse("10 answer yes").value, 1);
  EXPECT_EQ(parse("10 screenshot out.png").text, "out.png");
  EXPECT_EQ(parse("  99   quit  \r").kind, EventKind::quit);
}

TEST(EventsParser, SkipsBlankAndCommentLinesAndNamesFaults) {
  ScriptedEvent e;
  std::string error;
  EXPECT_FALSE(parse_event_line("", e, error));
  EXPECT_TRUE(error.empty());
  EXPECT_FALSE(parse_event_line("# a comment", e, error));
  EXPECT_TRUE(error.empty());
  EXPECT_NE(parse_error("soon click 1 2"), "");
  EXPECT_NE(parse_error("-5 quit"), "");
  EXPECT_NE(parse_error("10"), "");
  EXPECT_NE(parse_error("10 click 1"), "");
  EXPECT_NE(parse_error("10 click 1 2 3"), "");
  EXPECT_NE(parse_error("10 click a b"), "");
  EXPECT_NE(parse_error("10 key hyper"), "");
  EXPECT_NE(parse_error("10 key f13"), "");
  EXPECT_NE(parse_error("10 wheel 0"), "");
  EXPECT_NE(parse_error("10 answer maybe"), "");
  EXPECT_NE(parse_error("10 char ab"), "");
  EXPECT_NE(parse_error("10 menu 99999999999"), "");
  EXPECT_NE(parse_error("10 dance"), "");
  EXPECT_NE(parse_error("10 quit now"), "");
}

TEST_F(ScriptedInput, LoadingNamesTheBadLine) {
  char path[] = "/tmp/orvane-events-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  const char text[] = "100 click 1 2\n\n200 typo\n";
  ASSERT_EQ(write(fd, text, sizeof text - 1), static_cast<ssize_t>(sizeof text - 1));
  close(fd);
  std::string error;
  EXPECT_FALSE(load_events_file(path, error));
  EXPECT_NE(error.find(":3:"), std::string::npos) << error;
  std::remove(path);
  EXPECT_FALSE(load_events_file("/nonexistent/events", error));
}

TEST_F(ScriptedInput, EventsArriveWhenTheClockReachesThem) {
  set_scripted_events({parse("300 rclick 5 6"), parse("100 click 10 20")});
  Message m;
  sleep_ms(99);
  EXPECT_FALSE(peek_message(m));
  sleep_ms(1);
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_mouse_move);
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_left_button_down);
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_left_button_up);
  EXPECT_EQ(m.x, 10);
  EXPECT_EQ(m.y, 20);
  int x = 0, y = 0;
  pointer_position(x, y);
  EXPECT_EQ(x, 10);
  EXPECT_TRUE(scripted_events_pending());
  advance_clock_to(300);
  peek_message(m);
  peek_message(m);
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_right_button_up);
  EXPECT_FALSE(scripted_events_pending());
}

TEST_F(ScriptedInput, KeysTypeTheirCharacterAndHoldTheirState) {
  set_scripted_events({parse("0 keydown ctrl"), parse("0 key n"), parse("1 keyup ctrl"), parse("1 key space")});
  Message m;
  ASSERT_TRUE(peek_message(m));
  EXPECT_TRUE(key_held(key_ctrl));
  EXPECT_EQ(m.id, msg_key_down);
  // With Ctrl held, n types nothing.
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.param, 'N');
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_key_up);
  EXPECT_FALSE(peek_message(m));
  sleep_ms(1);
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_key_up);
  EXPECT_FALSE(key_held(key_ctrl));
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_key_down);
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_char);
  EXPECT_EQ(m.param, ' ');
}

TEST_F(ScriptedInput, AnswerDecidesTheNextBoxOnly) {
  set_scripted_events({parse("0 answer no")});
  gather_input();
  EXPECT_FALSE(ask_yes_no("t", "q"));
  EXPECT_TRUE(ask_yes_no("t", "q"));  // headless default
  EXPECT_EQ(last_box_text(), "t\nq");
}

TEST_F(ScriptedInput, MenuAndQuitBecomeCommandAndClose) {
  set_scripted_events({parse("0 menu 40019"), parse("0 quit")});
  Message m;
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_command);
  EXPECT_EQ(m.param, 40019);
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_close);
}

TEST_F(ScriptedInput, ScreenshotWritesTheDisplaySurface) {
  graphics::DibSurface s;
  graphics::create_surface(s, 3, 2);
  s.row(1)[3 * 2 + 2] = 0xff;  // bottom-right pixel red
  set_display_surface(&s);
  std::string path = "/tmp/orvane-shot-" + std::to_string(getpid()) + ".png";
  ScriptedEvent e = parse("0 screenshot x");
  e.text = path;
  set_scripted_events({e});
  gather_input();
  set_display_surface(nullptr);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
  EXPECT_EQ(image.width, 3u);
  EXPECT_EQ(image.height, 2u);
  image.format = PNG_FORMAT_RGB;
  uint8_t pixels[18];
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels, 9, nullptr));
  EXPECT_EQ(pixels[15], 0xff);
  EXPECT_EQ(pixels[16], 0);
  EXPECT_EQ(pixels[0], 0);
  std::remove(path.c_str());
}

TEST(EventLines, TypeTakesTheRestOfTheLine) {
  ScriptedEvent e = parse("10 type 日本 語 ");
  EXPECT_EQ(e.kind, EventKind::type);
  EXPECT_EQ(e.text, "日本 語 ");
  EXPECT_EQ(parse("10 type").text, "");
  EXPECT_EQ(parse("10 type\r").text, "");
  EXPECT_EQ(parse("10   type  x#y\r").text, " x#y");
  EXPECT_EQ(parse("10 key delete").value, 0x2E);
  EXPECT_EQ(parse_error(("10 type " + std::string(5000, 'x')).c_str()), "type takes at most 4096 bytes of text");
}
