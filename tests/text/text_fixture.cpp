#include "tests/text/text_fixture.h"

#include "app/screen.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "tests/support/script_fixture.h"
#include "text/glyph_cache.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/screen_link.h"
#include "text/wait.h"

namespace testsupport {

namespace {
// What the window procedure records of a left-button release.
void window_procedure(const platform::Message& m) {
  if (m.id == platform::msg_left_button_up) text::click_flag = 1;
}
}  // namespace

void TextTest::SetUp() {
  platform::use_virtual_clock(true);
  platform::clear_messages();
  platform::set_window_procedure(window_procedure);
  load_script("");
  app::screen_width = 640;
  app::screen_height = 480;
  text::init_message_window();
  text::init_text_output();
  text::reset_lookback();
  text::reset_wait_state();
  graphics::create_surface(display, 640, 480);
  platform::set_display_surface(&display);
}

void TextTest::TearDown() {
  platform::set_display_surface(nullptr);
  platform::set_scripted_events({});
  platform::clear_messages();
  platform::set_window_procedure(nullptr);
  text::screen_link = text::ScreenLink{};
  text::reset_wait_state();
  text::init_text_output();
  platform::use_virtual_clock(false);
}

void TextTest::show(const char* utf8) { text::display_text_line(platform::utf8_to_sjis(utf8).c_str()); }

std::string TextTest::recorded() {
  std::string bytes(text::lookback.history_bytes, text::lookback.write_pos);
  for (char& c : bytes)
    if (c == text::kLookbackPageMark) c = '|';
  return platform::sjis_to_utf8(bytes);
}

void TextTest::click_at(std::vector<uint32_t> times) {
  std::vector<platform::ScriptedEvent> events;
  for (uint32_t t : times) {
    platform::ScriptedEvent e;
    e.time = t;
    e.kind = platform::EventKind::click;
    e.x = e.y = 100;
    events.push_back(e);
  }
  platform::set_scripted_events(events);
}

void TextTest::waits_end_after(int ms) {
  text::autoclick_active = 1;
  text::autoclick_interval = ms;
}

}  // namespace testsupport
