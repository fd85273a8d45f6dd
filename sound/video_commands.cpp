#include "sound/video_commands.h"

#include <string>

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/mode.h"
#include "platform/process.h"
#include "platform/sjis.h"
#include "sound/video.h"
#include "text/wait.h"

namespace sound {

namespace {

struct FilmOutcome {
  bool found = false;   // the file exists (or load errors are suppressed and it does not)
  bool played = false;  // it opened and had a video stream that decodes
  platform::VideoOpenError error = platform::VideoOpenError::none;
  std::string error_text;
};

// Looks the film up, plays it and deletes its temporary extract.
FilmOutcome play_named_film(const std::string& name, int32_t flag) {
  FilmOutcome out;
  std::string path;
  bool temporary = false;
  out.found = find_video_file(name, path, temporary);
  if (!out.found) return out;
  out.played = play_video_file(path, flag != 0, out.error, out.error_text, name);
  if (temporary) platform::remove_file(path);
  return out;
}

// mpegplay's and mpegplay2's common part: "name", flag. 1 when played.
int32_t mpegplay_arguments_and_play() {
  std::string name = interp::read_string();
  interp::expect_comma();
  int32_t flag = interp::read_number();
  return play_named_film(name, flag).played ? 1 : 0;
}

}  // namespace

void cmd_avi() {
  std::string name = interp::read_string();
  interp::expect_comma();
  int32_t flag = interp::read_number();
  FilmOutcome r = play_named_film(name, flag);
  if (!r.found || r.played) return;
  // The steps that fail: opening the file, finding its picture, fitting
  // the picture to the screen.
  switch (r.error) {
    case platform::VideoOpenError::no_video_stream: interp::report_errorf("AVI Error 2", "%s", r.error_text.c_str());
    case platform::VideoOpenError::bad_frame_size: interp::report_errorf("AVI Error 3", "%s", r.error_text.c_str());
    default: interp::report_errorf("AVI Error 1", "%s", r.error_text.c_str());
  }
}

void cmd_mpegplay() { mpegplay_arguments_and_play(); }

void cmd_mpegplay2() {
  if (interp::skip_blanks() != '%') interp::report_errorf("構文エラー", "mpegplay2の第一引数は数字変数です。");
  int32_t variable = interp::read_variable_number();
  interp::expect_comma();
  int32_t played = mpegplay_arguments_and_play();
  interp::numeric_variable(variable) = played;
  interp::apply_intlimits();
}

void cmd_ie() {
  std::string name = interp::read_string();
  // Headless there is no desktop to show the page and no player to leave it.
  if (platform::headless) return;
  std::string where = platform::game_path(name);
  if (where.empty() || where[0] != '/') {
    std::string cwd = platform::current_folder();
    if (!cwd.empty()) where = cwd + "/" + where;
  }
  platform::open_with_default_handler(platform::utf8_to_sjis("file://" + where));
  // The page is in the desktop's browser; the game waits until the player
  // comes back to its window and clicks or presses a key there.
  video_playing = 1;
  html_window_active = 1;
  text::click_flag = 0;
  while (true) {
    platform::Message next;
    bool input = platform::peek_message(next, platform::msg_none, false) &&
                 (next.id == platform::msg_key_down || next.id == platform::msg_left_button_up);
    text::pump_one_message();
    if (input || text::click_flag || interp::menu_reset_request) break;
    platform::sleep_ms(5);
  }
  text::click_flag = 0;
  video_playing = 0;
  html_window_active = 0;
}

namespace {
// clang-format off
const interp::CommandRow video_rows_array[] = {
    {"mpegplay", cmd_mpegplay, false},
    {"mpegplay2", cmd_mpegplay2, false},
    {"ie", cmd_ie, false},
    {"avi", cmd_avi, false},
};
// clang-format on
}  // namespace

const interp::CommandRows video_rows = video_rows_array;

}  // namespace sound
