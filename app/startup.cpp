#include "app/startup.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/screen.h"
#include "interp/debug.h"
#include "interp/error.h"
#include "interp/random.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/clock.h"
#include "platform/mode.h"
#include "save/logs.h"
#include "script/labels.h"
#include "script/scenario.h"
#include "text/transcript.h"

namespace app {

namespace {

const char kUsage[] =
    "usage: orvane [options] [GAME_DIR]\n"
    "  GAME_DIR           the game folder: scenario (0.txt ... 99.txt, orvana.dat or orva_sec.dat)\n"
    "                     and media; it becomes the current folder (default: the current folder)\n"
    "  --headless         no window, no audio device, no message boxes; an error box goes to\n"
    "                     standard error\n"
    "  --transcript FILE  append every text line shown, as UTF-8, one a line; \"-\" is standard output\n"
    "  --version          print the version and exit\n"
    "  --help             print this help and exit\n"
    "Exit status: 0 after `end` or a normal quit, 1 after a fatal error box, 2 for a bad command line.\n";

int bad_command_line(const char* what, const char* arg) {
  std::fprintf(stderr, "orvane: %s%s%s\n%s", what, arg ? ": " : "", arg ? arg : "", kUsage);
  return 2;
}

// Brings the interpreter state to its start values before (re)loading.
void reset_state() {
  interp::reset_variable_tables();
  interp::define_finished = false;
  interp::restart_requested = false;
  interp::menu_reset_request = false;
  interp::rmenu_reset_request = false;
  interp::save_point_flag = true;
  interp::error_save_flag = false;
  interp::debug_caption_flag = false;
  screen_width = 640;
  screen_height = 480;
}

}  // namespace

void play_game() {
  interp::check_debug_marker();
  while (true) {
    reset_state();
    interp::seed_random(platform::clock_ms());
    script::load_scenario();
    script::scan_labels();
    interp::run_loop(1);
    if (interp::quit_requested) break;
    if (!interp::restart_requested) {
      interp::reset_to_start();
      platform::sleep_ms(5);
      interp::run_loop(0);
    }
    if (interp::quit_requested) break;
    script::free_scenario();
  }
  text::close_transcript();
}

int run_program(int argc, char** argv) {
  const char* game_dir = nullptr;
  const char* transcript = nullptr;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (std::strcmp(a, "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(a, "--version") == 0) {
      std::puts("orvane 0.1");
      return 0;
    }
    if (std::strcmp(a, "--headless") == 0) {
      platform::headless = true;
    } else if (std::strcmp(a, "--transcript") == 0) {
      if (i + 1 >= argc) return bad_command_line("--transcript needs a file name", nullptr);
      transcript = argv[++i];
    } else if (a[0] == '-' && a[1] != '\0') {
      return bad_command_line("unknown option", a);
    } else if (game_dir) {
      return bad_command_line("more than one game folder", a);
    } else {
      game_dir = a;
    }
  }
  // The transcript is named relative to where the program was started.
  if (transcript && !text::open_transcript(transcript)) {
    std::fprintf(stderr, "orvane: cannot open the transcript %s: %s\n", transcript, std::strerror(errno));
    return 2;
  }
  if (game_dir && chdir(game_dir) != 0) {
    std::fprintf(stderr, "orvane: cannot enter the game folder %s: %s\n", game_dir, std::strerror(errno));
    return 2;
  }
  play_game();
  return 0;
}

}  // namespace app
