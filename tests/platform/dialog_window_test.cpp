// A dialog in a real window under Xvfb: window-system text, composition,
// keys and a pointer click reach it, and it is drawn over the picture.
// Skipped when Xvfb cannot start.
#include <gtest/gtest.h>

#include <SDL.h>
#include <png.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/mode.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "tests/support/game_folder.h"
#include "tests/support/screenshot.h"

using namespace platform;

namespace {

// An Xvfb server of our own; `display` is empty when it did not start.
struct Xvfb {
  pid_t pid = -1;
  std::string display;
  Xvfb() {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid = fork();
    if (pid == 0) {
      close(fds[0]);
      std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
      close(fds[0]);
      return;
    }
    // The server writes its display number once it accepts clients.
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) display = ":" + number;
  }
  ~Xvfb() {
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
  }
};

using Png = testsupport::Picture;
using testsupport::read_png;

struct Seen {
  std::string text, composition, shot;
  int commands = 0;
};

bool on_event(Dialog& d, DialogEvent what, int id, void* data) {
  Seen& seen = *static_cast<Seen*>(data);
  if (what != DialogEvent::command) return false;
  ++seen.commands;
  seen.text = d.controls[1].text;
  seen.composition = d.composition;
  write_window_png(seen.shot);
  return true;
}

void push_text(Uint32 type, const char* utf8) {
  SDL_Event e{};
  e.type = type;
  if (type == SDL_TEXTINPUT)
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
  else
    SDL_strlcpy(e.edit.text, utf8, sizeof e.edit.text);
  SDL_PushEvent(&e);
}

void push_button(Uint32 type, int x, int y) {
  SDL_Event e{};
  e.type = type;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.x = x;
  e.button.y = y;
  SDL_PushEvent(&e);
}

}  // namespace

TEST(DialogWindow, TypedComposedAndClickedInARealWindow) {
  Xvfb server;
  if (server.display.empty()) GTEST_SKIP() << "Xvfb did not start";
  const char* old_display = getenv("DISPLAY");
  std::string saved = old_display ? old_display : "";
  setenv("DISPLAY", server.display.c_str(), 1);
  bool was_headless = headless;
  headless = false;
  clear_messages();
  clear_dialog_input();
  if (!create_main_window(640, 480)) {
    headless = was_headless;
    GTEST_SKIP() << "no window: " << window_error();
  }
  show_main_window();

  testsupport::GameFolder g;
  Seen seen;
  seen.shot = g.path() + "/shot.png";
  Dialog d;
  d.title = "文字列入力";
  d.width = 300;
  d.height = 60;
  DialogControl label, edit, button;
  label.kind = ControlKind::label;
  label.text = "名前";
  label.x = 8, label.y = 4, label.w = 100, label.h = 16;
  edit.kind = ControlKind::edit;
  edit.x = 8, edit.y = 26, edit.w = 200, edit.h = 24;
  button.kind = ControlKind::button;
  button.id = 1000;
  button.text = "決定";
  button.is_default = true;
  button.x = 220, button.y = 26, button.w = 70, button.h = 24;
  d.controls = {label, edit, button};
  d.focus = 1;
  // The window is 640 x 500 at scale 1 on this screen: the strip is the top
  // 20 rows, the dialog is centred on the picture below it.
  int fx = (640 - 302) / 2, fy = (480 - 82) / 2;
  int bx = fx + 1 + 235, by = 20 + fy + 1 + kDialogTitleHeight + 38;
  push_text(SDL_TEXTINPUT, "日本");
  push_text(SDL_TEXTINPUT, "a");
  SDL_Event bs{};
  bs.type = SDL_KEYDOWN;
  bs.key.keysym.sym = SDLK_BACKSPACE;
  SDL_PushEvent(&bs);
  push_text(SDL_TEXTEDITING, "ご");
  push_button(SDL_MOUSEBUTTONDOWN, bx, by);
  push_button(SDL_MOUSEBUTTONUP, bx, by);
  run_dialog(d, on_event, &seen);

  EXPECT_EQ(seen.commands, 1);
  EXPECT_EQ(seen.text, utf8_to_sjis("日本"));
  EXPECT_EQ(seen.composition, "ご");
  Png shot = read_png(seen.shot);
  ASSERT_EQ(shot.width, 640);
  ASSERT_EQ(shot.height, 500);
  EXPECT_EQ(shot.at(fx + 10, 20 + fy + 5), 0x2b5797u);                                          // title bar
  EXPECT_EQ(shot.at(fx + 1 + 8 + 150, 20 + fy + 1 + kDialogTitleHeight + 26 + 12), 0xffffffu);  // edit box
  EXPECT_EQ(shot.at(5, 300), 0x000000u);                                                        // the picture beside it
  int dark = 0;  // the text and the underlined composition in the edit box
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 60; ++x) dark += shot.at(fx + 1 + 8 + x, 20 + fy + 1 + kDialogTitleHeight + 26 + y) < 0x404040u;
  EXPECT_GT(dark, 40);
  EXPECT_EQ(open_dialog(), nullptr);

  destroy_main_window();
  headless = was_headless;
  if (old_display)
    setenv("DISPLAY", saved.c_str(), 1);
  else
    unsetenv("DISPLAY");
}
