// platform/window: the main window on SDL2: creation, caption, full screen, presenting the display surface.
#pragma once
#include <string>

namespace platform {

struct DibSurface;

// The size of the game's picture: 640x480, or 800x600 when the scenario
// starts with ";mode800". Set by app/ before the window opens.
extern int screen_width;
extern int screen_height;

// Height of the menu strip above the picture, in logical pixels.
constexpr int kMenuStripHeight = 20;

// Creates the (hidden) main window for a client area of width x height
// logical pixels plus the menu strip, scaled by the largest integer factor
// that fits the desktop. Headless: no window; still succeeds.
bool create_main_window(int width, int height);
void destroy_main_window();
// Why the window could not be made.
std::string window_error();
// Shows the window and raises it; resizes it when the screen size changed.
void show_main_window();
void resize_main_window(int width, int height);

void set_window_caption(const std::string& utf8);
void minimise_main_window();

// Desktop full screen with the picture scaled and letterboxed. False when
// the switch failed (the window stays as it was).
bool set_full_screen(bool on);
bool full_screen_active();

// In full screen the menu strip is attached only while the pointer is near
// the top; in a window it is always attached.
void set_menu_bar_attached(bool on);

// The surface the window shows (24-bit, screen size), owned by the screen
// code. present_display copies it to the window (coalesced to the frame
// rate; the next message poll flushes what was held back).
void set_display_surface(DibSurface* surface);
DibSurface* display_surface();
void present_display();

// The picture's size in logical pixels.
void picture_size(int& width, int& height);

// The open dialog changed: draw the overlay again at the next presentation.
void refresh_overlay();
// Places the input method's candidate window at the open dialog's caret.
void set_text_input_area();

// Writes what the window shows (menu strip and dialogs included) as PNG.
bool write_window_png(const std::string& path);

// Moves the pointer to a client point of the logical screen.
void move_pointer(int x, int y);

// Reads pending window-system events into the message queue.
void poll_window_events();

// Placement of the logical canvas (picture plus strip) in the window's
// pixels: the largest aspect-kept rectangle, centred; with `integer_scale`
// the largest whole multiple that fits (at least 1).
struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
};
Viewport fit_canvas(int canvas_w, int canvas_h, int window_w, int window_h, bool integer_scale);
// Window pixel to canvas point (may lie outside the canvas).
void window_to_canvas(const Viewport& v, int canvas_w, int canvas_h, int px, int py, int& cx, int& cy);
// The largest whole factor (at least 1) at which the canvas fits the area.
int integer_scale_for(int canvas_w, int canvas_h, int area_w, int area_h);

}  // namespace platform
