#include "platform/window.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

#include "platform/cursor_file.h"
#include "platform/dialog.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/messages.h"
#include "platform/mode.h"
#include "platform/screenshot.h"
#include "platform/surface.h"

namespace platform {

int screen_width = 640;
int screen_height = 480;

namespace {

SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* picture = nullptr;
SDL_Texture* overlay = nullptr;
int screen_w = 640, screen_h = 480;
DibSurface* surface = nullptr;
std::string caption;
bool full_screen = false;
bool menu_attached = true;
bool dirty = false;
bool overlay_stale = true;
uint32_t last_present = 0;
std::vector<uint32_t> overlay_pixels;

// Milliseconds between two presentations; presenting after every text
// character would cost more than the drawing itself.
constexpr uint32_t kFrameMs = 10;

int canvas_h() { return screen_h + (full_screen ? 0 : kMenuStripHeight); }
// Where the picture's row 0 lies on the canvas.
int picture_top() { return full_screen ? 0 : kMenuStripHeight; }
bool strip_shown() { return !full_screen || menu_attached; }

Viewport current_viewport() {
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer, &w, &h);
  return fit_canvas(screen_w, canvas_h(), w, h, !full_screen);
}

void make_textures() {
  if (picture) SDL_DestroyTexture(picture);
  if (overlay) SDL_DestroyTexture(overlay);
  picture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_BGR24, SDL_TEXTUREACCESS_STREAMING, screen_w, screen_h);
  overlay = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, screen_w,
                              screen_h + kMenuStripHeight);
  if (overlay) SDL_SetTextureBlendMode(overlay, SDL_BLENDMODE_BLEND);
  overlay_pixels.assign(static_cast<size_t>(screen_w) * (screen_h + kMenuStripHeight), 0);
  overlay_stale = true;
}

void windowed_size(int& w, int& h) {
  SDL_Rect area{0, 0, 0, 0};
  int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
  if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &area) != 0) area.w = area.h = 0;
  int k = area.w > 0 ? integer_scale_for(screen_w, screen_h + kMenuStripHeight, area.w, area.h) : 1;
  w = screen_w * k;
  h = (screen_h + kMenuStripHeight) * k;
}

void flush() {
  if (!renderer) return;
  if (surface && surface->width == screen_w && surface->height == screen_h && picture)
    SDL_UpdateTexture(picture, nullptr, surface->pixels.data(), surface->stride);
  bool dialog = open_dialog() != nullptr;
  bool draw_strip = strip_shown() || menu_is_open();
  if (dialog && overlay) {
    // The dialog lies over the strip and the picture; it is drawn afresh
    // each time, over the strip or over nothing.
    if (draw_strip)
      draw_menu(overlay_pixels.data(), screen_w, screen_h + kMenuStripHeight, true);
    else
      std::fill(overlay_pixels.begin(), overlay_pixels.end(), 0u);
    draw_open_dialog(overlay_pixels.data(), screen_w, screen_h + kMenuStripHeight, picture_top());
    SDL_UpdateTexture(overlay, nullptr, overlay_pixels.data(), screen_w * 4);
    overlay_stale = true;  // the next drawing without the dialog starts clean
  } else if (draw_strip && overlay) {
    if (draw_menu(overlay_pixels.data(), screen_w, screen_h + kMenuStripHeight, overlay_stale))
      SDL_UpdateTexture(overlay, nullptr, overlay_pixels.data(), screen_w * 4);
    overlay_stale = false;
  }
  draw_strip = draw_strip || dialog;
  Viewport v = current_viewport();
  // Whole multiples in a window stay sharp; full screen scales smoothly.
  SDL_ScaleMode mode = full_screen ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
  if (picture) SDL_SetTextureScaleMode(picture, mode);
  if (overlay) SDL_SetTextureScaleMode(overlay, mode);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  int scale_num = v.width, scale_den = screen_w;
  SDL_Rect game{v.x, v.y + picture_top() * scale_num / scale_den, v.width, screen_h * scale_num / scale_den};
  if (picture) SDL_RenderCopy(renderer, picture, nullptr, &game);
  if (draw_strip && overlay) {
    // The overlay covers the strip and the lists below it; in a window the
    // strip sits above the picture, in full screen over its top rows.
    SDL_Rect dst{v.x, v.y, v.width, (screen_h + kMenuStripHeight) * scale_num / scale_den};
    SDL_Rect src{0, 0, screen_w, screen_h + kMenuStripHeight};
    SDL_RenderCopy(renderer, overlay, &src, &dst);
  }
  SDL_RenderPresent(renderer);
  dirty = false;
  last_present = SDL_GetTicks();
}

int translate_key(SDL_Keycode k) {
  if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
  if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
  if (k >= SDLK_F1 && k <= SDLK_F12) return key_f1 + (k - SDLK_F1);
  switch (k) {
    case SDLK_BACKSPACE: return key_backspace;
    case SDLK_TAB: return key_tab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return key_enter;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return key_shift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return key_ctrl;
    case SDLK_LALT:
    case SDLK_RALT: return key_alt;
    case SDLK_ESCAPE: return key_escape;
    case SDLK_SPACE: return key_space;
    case SDLK_PAGEUP: return key_page_up;
    case SDLK_PAGEDOWN: return key_page_down;
    case SDLK_END: return key_end;
    case SDLK_HOME: return key_home;
    case SDLK_LEFT: return key_left;
    case SDLK_UP: return key_up;
    case SDLK_RIGHT: return key_right;
    case SDLK_DOWN: return key_down;
    default: return 0;
  }
}

// A pointer event at window pixel (px, py): an open dialog takes it;
// else the menu first, then the client.
void pointer_event(MessageId id, int px, int py) {
  Viewport v = current_viewport();
  int cx = 0, cy = 0;
  window_to_canvas(v, screen_w, canvas_h(), px, py, cx, cy);
  int x = cx, y = cy - picture_top();
  set_pointer_position(x, y);
  if (open_dialog()) {
    DialogInput in;
    in.kind = id == msg_mouse_move         ? DialogInputKind::move
              : id == msg_left_button_down ? DialogInputKind::press
              : id == msg_left_button_up   ? DialogInputKind::release
                                           : DialogInputKind::move;
    if (id == msg_right_button_down || id == msg_right_button_up) return;
    in.x = x;
    in.y = y;
    post_dialog_input(std::move(in));
    return;
  }
  bool was_open = menu_is_open();
  if (strip_shown() || was_open) {
    MenuPointer what = id == msg_mouse_move                                          ? MenuPointer::move
                       : (id == msg_left_button_down || id == msg_right_button_down) ? MenuPointer::press
                                                                                     : MenuPointer::release;
    bool taken = menu_pointer_event(what, cx, cy);
    if (was_open || menu_is_open()) present_display();
    if (taken) return;
  }
  // Only the client area sends mouse messages (no capture).
  if (x < 0 || y < 0 || x >= screen_w || y >= screen_h) return;
  post_message_at(id, x, y);
}

}  // namespace

// For the message boxes' owner (msgbox.cpp); not part of the interface.
void* sdl_main_window() { return window; }

Viewport fit_canvas(int cw, int ch, int ww, int wh, bool integer_scale) {
  Viewport v;
  if (cw <= 0 || ch <= 0 || ww <= 0 || wh <= 0) return v;
  if (integer_scale) {
    int k = integer_scale_for(cw, ch, ww, wh);
    v.width = cw * k;
    v.height = ch * k;
  } else if (static_cast<int64_t>(ww) * ch <= static_cast<int64_t>(wh) * cw) {
    v.width = ww;
    v.height = static_cast<int>(static_cast<int64_t>(ww) * ch / cw);
  } else {
    v.height = wh;
    v.width = static_cast<int>(static_cast<int64_t>(wh) * cw / ch);
  }
  v.x = (ww - v.width) / 2;
  v.y = (wh - v.height) / 2;
  return v;
}

void window_to_canvas(const Viewport& v, int cw, int ch, int px, int py, int& cx, int& cy) {
  if (v.width <= 0 || v.height <= 0) {
    cx = px;
    cy = py;
    return;
  }
  // Floor division, so that points left of or above the canvas stay negative.
  auto floor_div = [](int64_t a, int64_t b) { return static_cast<int>(a >= 0 ? a / b : -((-a + b - 1) / b)); };
  cx = floor_div(static_cast<int64_t>(px - v.x) * cw, v.width);
  cy = floor_div(static_cast<int64_t>(py - v.y) * ch, v.height);
}

int integer_scale_for(int cw, int ch, int area_w, int area_h) {
  if (cw <= 0 || ch <= 0) return 1;
  int k = std::min(area_w / cw, area_h / ch);
  return k < 1 ? 1 : k;
}

bool create_main_window(int width, int height) {
  screen_w = width;
  screen_h = height;
  full_screen = false;
  menu_attached = true;
  if (headless) return true;
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // Dialogs draw the input method's composition themselves.
  SDL_SetHint(SDL_HINT_IME_INTERNAL_EDITING, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
  int w = 0, h = 0;
  windowed_size(w, h);
  window = SDL_CreateWindow(caption.c_str(), 20, 50 - kMenuStripHeight, w, h, SDL_WINDOW_HIDDEN);
  if (!window) return false;
  renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer) return false;
  make_textures();
  SDL_StartTextInput();
  return true;
}

std::string window_error() { return SDL_GetError(); }

void destroy_main_window() {
  if (picture) SDL_DestroyTexture(picture);
  if (overlay) SDL_DestroyTexture(overlay);
  if (renderer) SDL_DestroyRenderer(renderer);
  if (window) SDL_DestroyWindow(window);
  picture = overlay = nullptr;
  renderer = nullptr;
  window = nullptr;
  release_cursor();
  if (!headless) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

void show_main_window() {
  if (!window) return;
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  flush();
}

void resize_main_window(int width, int height) {
  if (width == screen_w && height == screen_h) return;
  screen_w = width;
  screen_h = height;
  if (!window) return;
  if (!full_screen) {
    int w = 0, h = 0;
    windowed_size(w, h);
    SDL_SetWindowSize(window, w, h);
  }
  make_textures();
  dirty = true;
}

void set_window_caption(const std::string& utf8) {
  caption = utf8;
  if (window) SDL_SetWindowTitle(window, caption.c_str());
}

void minimise_main_window() {
  if (window) SDL_MinimizeWindow(window);
}

bool set_full_screen(bool on) {
  if (on == full_screen) return true;
  if (window) {
    if (SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return false;
    if (!on) {
      int w = 0, h = 0;
      windowed_size(w, h);
      SDL_SetWindowSize(window, w, h);
      SDL_SetWindowPosition(window, 20, 50 - kMenuStripHeight);
    }
  }
  full_screen = on;
  menu_attached = !on;
  close_menu();
  overlay_stale = true;
  present_display();
  return true;
}

bool full_screen_active() { return full_screen; }

void set_menu_bar_attached(bool on) {
  if (menu_attached == on) return;
  menu_attached = on;
  if (!on) close_menu();
  overlay_stale = true;
  present_display();
}

void set_display_surface(DibSurface* s) { surface = s; }

void picture_size(int& width, int& height) {
  width = screen_w;
  height = screen_h;
}

void refresh_overlay() {
  overlay_stale = true;
  present_display();
}

void set_text_input_area() {
  if (!window || !renderer) return;
  int x = 0, y = 0, w = 0, h = 0;
  if (!dialog_caret_rect(x, y, w, h)) return;
  // Canvas to window coordinates (the window's, not the renderer's pixels).
  Viewport v = current_viewport();
  int ww = 0, wh = 0, ow = 0, oh = 0;
  SDL_GetWindowSize(window, &ww, &wh);
  SDL_GetRendererOutputSize(renderer, &ow, &oh);
  if (ow <= 0 || oh <= 0 || v.width <= 0) return;
  auto to_x = [&](int cx) { return (v.x + static_cast<int>(static_cast<int64_t>(cx) * v.width / screen_w)) * ww / ow; };
  auto to_y = [&](int cy) {
    return (v.y + static_cast<int>(static_cast<int64_t>(cy + picture_top()) * v.height / canvas_h())) * wh / oh;
  };
  SDL_Rect r{to_x(x), to_y(y), std::max(1, to_x(x + w) - to_x(x)), std::max(1, to_y(y + h) - to_y(y))};
  static SDL_Rect last{};
  if (r.x == last.x && r.y == last.y && r.w == last.w && r.h == last.h) return;
  last = r;
  SDL_SetTextInputRect(&r);
}

DibSurface* display_surface() { return surface; }

void present_display() {
  if (!renderer) return;
  dirty = true;
  if (SDL_GetTicks() - last_present >= kFrameMs) flush();
}

void move_pointer(int x, int y) {
  set_pointer_position(x, y);
  if (!window) return;
  int ww = 0, wh = 0, ow = 0, oh = 0;
  SDL_GetWindowSize(window, &ww, &wh);
  SDL_GetRendererOutputSize(renderer, &ow, &oh);
  Viewport v = current_viewport();
  int px = v.x + static_cast<int>(static_cast<int64_t>(x) * v.width / screen_w);
  int py = v.y + static_cast<int>(static_cast<int64_t>(y + picture_top()) * v.height / canvas_h());
  if (ow > 0 && oh > 0) {
    px = px * ww / ow;
    py = py * wh / oh;
  }
  SDL_WarpMouseInWindow(window, px, py);
}

bool write_window_png(const std::string& path) {
  if (!renderer) return surface && write_png(*surface, path);
  flush();
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer, &w, &h);
  DibSurface shot;
  create_surface(shot, w, h);
  if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_BGR24, shot.pixels.data(), shot.stride) != 0)
    return false;
  return write_png(shot, path);
}

namespace {

void handle_event(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:
      close_menu();
      post_message(msg_close);
      break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          close_menu();
          post_message(msg_close);
          break;
        case SDL_WINDOWEVENT_EXPOSED: post_message(msg_paint); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          post_message(msg_size);
          dirty = true;
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: set_main_window_foreground(true); break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          set_main_window_foreground(false);
          release_all_keys();
          if (menu_is_open()) {
            close_menu();
            present_display();
          }
          break;
        default: break;
      }
      break;
    case SDL_MOUSEMOTION: pointer_event(msg_mouse_move, e.motion.x, e.motion.y); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      bool down = e.type == SDL_MOUSEBUTTONDOWN;
      if (e.button.button == SDL_BUTTON_LEFT) set_key_held(key_left_button, down);
      if (e.button.button == SDL_BUTTON_RIGHT) set_key_held(key_right_button, down);
      if (e.button.button == SDL_BUTTON_LEFT)
        pointer_event(down ? msg_left_button_down : msg_left_button_up, e.button.x, e.button.y);
      else if (e.button.button == SDL_BUTTON_RIGHT)
        pointer_event(down ? msg_right_button_down : msg_right_button_up, e.button.x, e.button.y);
      break;
    }
    case SDL_MOUSEWHEEL: {
      int notches = e.wheel.y;
      if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
      if (notches == 0 || menu_is_open()) break;
      int x = 0, y = 0;
      pointer_position(x, y);
      post_message_at(msg_mouse_wheel, x, y, notches * 120);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      int key = e.key.keysym.sym == SDLK_DELETE ? key_delete : translate_key(e.key.keysym.sym);
      if (open_dialog()) {
        // A dialog takes the keyboard; keys held before it opened are let go.
        release_all_keys();
        if (e.type == SDL_KEYDOWN && key) {
          DialogInput in;
          in.kind = DialogInputKind::key;
          in.key = key;
          in.shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
          post_dialog_input(std::move(in));
        }
        break;
      }
      if (key == key_delete) break;
      bool down = e.type == SDL_KEYDOWN;
      if (down && menu_is_open()) {
        // An open menu takes the keyboard; Escape closes it.
        if (key == key_escape) {
          close_menu();
          present_display();
        }
        break;
      }
      if (key) post_key_event(key, down);
      break;
    }
    case SDL_TEXTEDITING:
      if (open_dialog()) {
        DialogInput in;
        in.kind = DialogInputKind::composition;
        in.text = e.edit.text;
        post_dialog_input(std::move(in));
      }
      break;
    case SDL_TEXTINPUT:
      if (open_dialog()) {
        DialogInput in;
        in.kind = DialogInputKind::text;
        in.text = e.text.text;
        post_dialog_input(std::move(in));
        break;
      }
      // Printable ASCII arrives here; keys that type control characters
      // are translated from their key-down messages.
      if (menu_is_open()) break;
      for (const char* p = e.text.text; *p; ++p)
        if (static_cast<unsigned char>(*p) >= 0x20 && static_cast<unsigned char>(*p) < 0x7f && !key_held(key_alt) &&
            !key_held(key_ctrl))
          post_message(msg_char, *p);
      break;
    default: break;
  }
}

}  // namespace

void poll_window_events() {
  if (!window) return;
  SDL_Event e;
  while (SDL_PollEvent(&e)) handle_event(e);
  // An open menu holds the program, as the window manager's menu loop does:
  // the game waits until an item is chosen or the menu is closed.
  while (window && menu_is_open()) {
    if (dirty) flush();
    if (SDL_WaitEventTimeout(&e, 50)) handle_event(e);
  }
  if (dirty && SDL_GetTicks() - last_present >= kFrameMs) flush();
}

}  // namespace platform
