#include "platform/msgbox.h"

#include <SDL.h>

#include <cstdio>

#include "platform/mode.h"

namespace platform {

void* sdl_main_window();  // window.cpp

namespace {

int scripted = -1;  // -1 none, 0 no, 1 yes
std::string last_text;

Uint32 box_flags(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::error: return SDL_MESSAGEBOX_ERROR;
    case BoxIcon::warning:
    case BoxIcon::question: return SDL_MESSAGEBOX_WARNING;
    default: return SDL_MESSAGEBOX_INFORMATION;
  }
}

SDL_Window* parent() { return static_cast<SDL_Window*>(sdl_main_window()); }

// -1 when the box could not be shown at all.
int run_box(const std::string& title, const std::string& text, BoxIcon icon, bool yes_no) {
  SDL_MessageBoxButtonData ok[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "OK"}};
  SDL_MessageBoxButtonData yn[] = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "はい"},
                                   {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "いいえ"}};
  SDL_MessageBoxData data{};
  data.flags = box_flags(icon) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  data.window = parent();
  data.title = title.c_str();
  data.message = text.c_str();
  data.numbuttons = yes_no ? 2 : 1;
  data.buttons = yes_no ? yn : ok;
  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) return -1;
  return pressed;
}

}  // namespace

void set_scripted_answer(bool yes) { scripted = yes ? 1 : 0; }

void show_message_box(const std::string& title, const std::string& text, BoxIcon icon) {
  last_text = title + "\n" + text;
  if (scripted >= 0) {
    scripted = -1;
    return;
  }
  if (headless) {
    std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
    return;
  }
  if (run_box(title, text, icon, false) < 0) std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
}

bool ask_yes_no(const std::string& title, const std::string& text, BoxIcon icon) {
  last_text = title + "\n" + text;
  if (scripted >= 0) {
    bool yes = scripted == 1;
    scripted = -1;
    return yes;
  }
  if (headless) return true;
  int pressed = run_box(title, text, icon, true);
  return pressed != 0;  // a box that cannot be shown answers yes, as headless does
}

const std::string& last_box_text() { return last_text; }

}  // namespace platform
