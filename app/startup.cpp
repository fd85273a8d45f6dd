#include "app/startup.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/context.h"
#include "app/main_window.h"
#include "app/menu_custom.h"
#include "app/settings.h"

#include "app/resets.h"
#include "app/screen.h"
#include "app/wiring.h"
#include "graphics/commands.h"
#include "graphics/effect.h"
#include "graphics/screen.h"
#include "graphics/surface.h"
#include "graphics/window_picture.h"
#include "interp/debug.h"
#include "interp/error.h"
#include "interp/random.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/lock.h"
#include "platform/menu.h"
#include "platform/mode.h"
#include "platform/msgbox.h"
#include "platform/screenshot.h"
#include "platform/tempdir.h"
#include "platform/window.h"
#include "platform/player_files.h"
#include "save/logs.h"
#include "save/persistent.h"
#include "script/labels.h"
#include "script/scenario.h"
#include "sound/channels.h"
#include "sound/commands.h"
#include "sound/music.h"
#include "sound/sounding.h"
#include "text/lookback_viewer.h"
#include "text/transcript.h"
#include "text/traps.h"
#include "text/wait.h"
#include "ui/commands.h"
#include "ui/hooks.h"
#include "ui/right_click.h"
#include "ui/selection.h"

namespace app {

namespace {

const char kUsage[] =
    "usage: orvane [options] [GAME_DIR]\n"
    "  GAME_DIR           the game folder: scenario (0.txt ... 99.txt, orvana.dat or orva_sec.dat)\n"
    "                     and media; it becomes the current folder (default: the current folder)\n"
    "  --headless         no window, no audio device, no message boxes; an error box goes to\n"
    "                     standard error\n"
    "  --transcript FILE  append the text drawn, as UTF-8, one line per row of the message window;\n"
    "                     \"-\" is standard output\n"
    "  --virtual-clock    the clock starts at 0 and moves only when the program sleeps or waits:\n"
    "                     deterministic runs that take no real time\n"
    "  --events FILE      scripted input, one event a line: \"<ms> <event> [args]\" (see the README)\n"
    "  --auto-click MS    a click wait without input for MS ms gets a left click at the pointer;\n"
    "                     a selection picks its first item, a button wait clicks its first button\n"
    "  --choose N         a selection without input (for the --auto-click time, else at once)\n"
    "                     picks item N (0-based, clamped to the list)\n"
    "  --audio-log FILE   one UTF-8 line per change to what would sound (see the README)\n"
    "  --screenshot FILE  write the display surface as PNG when the program ends\n"
    "  --version          print the version and exit\n"
    "  --help             print this help and exit\n"
    "Exit status: 0 after `end` or a normal quit, 1 after a fatal error box, 2 for a bad command line.\n";

int bad_command_line(const char* what, const char* arg) {
  std::fprintf(stderr, "orvane: %s%s%s\n%s", what, arg ? ": " : "", arg ? arg : "", kUsage);
  return 2;
}

std::string screenshot_at_exit;

// Process-exit work that every ending shares, the error box's included.
void at_exit() {
  // A fatal error box ends the program here: the window's teardown (and
  // with it the persistent records) has not run yet.
  shutdown_program();
  platform::finish_player_file_writes();  // the error box's save
  if (!screenshot_at_exit.empty()) {
    graphics::DibSurface* s = platform::display_surface();
    if (!s || !platform::write_png(*s, screenshot_at_exit))
      std::fprintf(stderr, "orvane: cannot write the screenshot %s\n", screenshot_at_exit.c_str());
    screenshot_at_exit.clear();
  }
  sound::note_exit();
  platform::audio_stop();
  platform::remove_temp_folder();
  platform::release_instance_lock();
}

// A file named on the command line, made absolute before the program moves
// into the game folder.
std::string from_start_folder(const char* name) {
  if (name[0] == '/') return name;
  char cwd[PATH_MAX];
  return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + name : std::string(name);
}

bool read_ms(const char* text, uint32_t& out) {
  char* end = nullptr;
  errno = 0;
  unsigned long v = std::strtoul(text, &end, 10);
  if (errno || end == text || *end || text[0] == '-' || v > 0x7fffffffUL) return false;
  out = static_cast<uint32_t>(v);
  return true;
}

}  // namespace

void play_game() {
  connect_subsystems();
  reset_all();
  interp::check_debug_marker();
  while (true) {
    reset_for_load();
    interp::seed_random(platform::clock_ms());
    if (auto failure = script::load_scenario()) interp::report_failure(*failure);
    save::load_global_variables();
    if (script::declares_mode800()) {
      screen_width = 800;
      screen_height = 600;
    }
    graphics::start_pictures(screen_width, screen_height);
    if (auto failure = script::scan_labels()) interp::report_failure(*failure);
    interp::run_loop(1);
    if (interp::quit_requested) break;
    save::load_logs();
    text::load_default_lookback_buttons();
    if (!interp::restart_requested) {
      finish_menu();
      apply_environment_file();
      show_main_window_for_game();
    }
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
  connect_subsystems();
  const char* game_dir = nullptr;
  const char* transcript = nullptr;
  const char* events = nullptr;
  const char* screenshot = nullptr;
  const char* audio_log = nullptr;
  uint32_t auto_click = 0;
  uint32_t choose = 0;
  bool choose_given = false;
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
    } else if (std::strcmp(a, "--virtual-clock") == 0) {
      platform::use_virtual_clock(true);
    } else if (std::strcmp(a, "--events") == 0) {
      if (i + 1 >= argc) return bad_command_line("--events needs a file name", nullptr);
      events = argv[++i];
    } else if (std::strcmp(a, "--auto-click") == 0) {
      if (i + 1 >= argc || !read_ms(argv[i + 1], auto_click))
        return bad_command_line("--auto-click needs a number of milliseconds", i + 1 < argc ? argv[i + 1] : nullptr);
      ++i;
    } else if (std::strcmp(a, "--choose") == 0) {
      if (i + 1 >= argc || !read_ms(argv[i + 1], choose))
        return bad_command_line("--choose needs an item number (0 or more)", i + 1 < argc ? argv[i + 1] : nullptr);
      choose_given = true;
      ++i;
    } else if (std::strcmp(a, "--screenshot") == 0) {
      if (i + 1 >= argc) return bad_command_line("--screenshot needs a file name", nullptr);
      screenshot = argv[++i];
    } else if (std::strcmp(a, "--audio-log") == 0) {
      if (i + 1 >= argc) return bad_command_line("--audio-log needs a file name", nullptr);
      audio_log = argv[++i];
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
  if (events) {
    std::string error;
    if (!platform::load_events_file(events, error)) {
      std::fprintf(stderr, "orvane: %s\n", error.c_str());
      return 2;
    }
  }
  if (audio_log && !sound::open_audio_log(from_start_folder(audio_log))) {
    std::fprintf(stderr, "orvane: cannot open the audio log %s: %s\n", audio_log, std::strerror(errno));
    return 2;
  }
  platform::set_auto_click(auto_click);
  platform::set_choose_item(choose_given ? static_cast<int>(choose) : -1);
  if (screenshot) screenshot_at_exit = from_start_folder(screenshot);
  if (game_dir && chdir(game_dir) != 0) {
    std::fprintf(stderr, "orvane: cannot enter the game folder %s: %s\n", game_dir, std::strerror(errno));
    return 2;
  }
  // One running copy per game folder.
  if (!platform::acquire_instance_lock(".")) {
    platform::show_message_box("起動エラー", "同時に二つ実行しないでください", platform::BoxIcon::error);
    return 1;
  }
  std::atexit(at_exit);
  platform::reset_player_files();
  platform::temp_folder();
  read_config_file();
  for (int i = 1; i < argc; ++i) {
    if (i > 1) app_context->command_line += ' ';
    app_context->command_line += argv[i];
  }
  if (!open_main_window()) {
    std::fprintf(stderr, "orvane: cannot open the window (%s); --headless plays without one\n",
                 platform::window_error().c_str());
    return 1;
  }
  play_game();
  shutdown_program();
  return 0;
}

}  // namespace app
