#include "tests/save/save_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "graphics/commands.h"
#include "graphics/screen.h"
#include "interp/control_flow.h"
#include "interp/runloop.h"
#include "platform/player_files.h"
#include "platform/sjis.h"
#include "save/persistent.h"
#include "save/save_file.h"
#include "script/scenario.h"
#include "tests/support/script_fixture.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/screen_link.h"
#include "text/wait.h"

namespace testsupport {

void SaveTest::SetUp() {
  gtest_graphics::GameFolder::SetUp();
  setenv("XDG_DATA_HOME", (dir_ + "/xdg").c_str(), 1);
  platform::reset_player_files();
  scenario("");
  graphics::start_pictures(640, 480);
  text::init_message_window();
  text::init_text_output();
  text::reset_lookback();
  text::reset_wait_defaults();
  save::reset_save_files();
  save::reset_persistent_flags();
  save::save_hooks = save::SaveHooks{};
  interp::save_point_flag = true;
  interp::clear_call_stack();
  gtest_graphics::write_file("red.bmp", gtest_graphics::solid_bmp(16, 16, 0xff0000));
  gtest_graphics::write_file("cells.bmp", gtest_graphics::solid_bmp(48, 16, 0x00ff00));
}

void SaveTest::TearDown() {
  platform::finish_player_file_writes();
  save::save_hooks = save::SaveHooks{};
  save::reset_save_files();
  save::reset_persistent_flags();
  text::reset_wait_defaults();
  text::init_text_output();
  platform::reset_player_files();
  interp::clear_call_stack();
  graphics::start_pictures(640, 480);  // the next test finds the screen as a fresh one
  unsetenv("XDG_DATA_HOME");
  gtest_graphics::GameFolder::TearDown();
}

void SaveTest::scenario(const std::string& utf8) { load_script(utf8); }

std::string SaveTest::file(const std::string& name) {
  platform::finish_player_file_writes();
  std::ifstream in(name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool SaveTest::exists(const std::string& name) {
  platform::finish_player_file_writes();
  return std::filesystem::exists(name);
}

int32_t SaveTest::offset_of(const std::string& utf8) {
  std::string sjis = platform::utf8_to_sjis(utf8);
  return static_cast<int32_t>(std::string(script::ScriptBuffer, script::scenario_length).find(sjis));
}

}  // namespace testsupport
