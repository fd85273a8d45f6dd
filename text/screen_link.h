// text/screen_link: the screen services the message window calls, filled in by app/.
#pragma once
#include <string>

namespace platform {
struct DibSurface;
}

namespace text {

// Each entry is null until the screen code sets it; the message window then
// keeps its own state and draws glyphs straight onto the display surface.
struct ScreenLink {
  // Marks the rectangle (inclusive) dirty, recomposes it (the composition
  // calls draw_message_window) and brings it to the display; with
  // `window_effect` through the `windoweffect` effect, else as a cut.
  void (*refresh_area)(int left, int top, int right, int bottom, bool window_effect) = nullptr;
  // The window image slot: loads an image tag (the loader reports a file it
  // cannot load) and gives its size; frees it; draws it at (x, y) with its
  // own transparency, limited to the rectangle (inclusive).
  bool (*load_window_image)(const std::string& tag, int& width, int& height) = nullptr;
  void (*release_window_image)() = nullptr;
  void (*draw_window_image)(platform::DibSurface& work, int x, int y, int left, int top, int right,
                            int bottom) = nullptr;
  // Loads an image tag into click cursor k (0 normal, 1 page).
  void (*load_cursor_image)(int k, const std::string& tag) = nullptr;
  // `windowback` and `noteraseman`: the composition's layer order.
  void (*put_window_behind_sprites)() = nullptr;
  void (*keep_standing_images)() = nullptr;
  // The lookback's button pictures k (0 up highlighted, 1 up, 2 down
  // highlighted, 3 down): loads a tag (with blank_on_missing a missing file
  // gives a blank picture), gives the size (false without a picture), draws
  // it with its transparency onto `target` at (x, y).
  void (*load_lookback_button)(int k, const std::string& tag, bool blank_on_missing) = nullptr;
  bool (*lookback_button_size)(int k, int& width, int& height) = nullptr;
  void (*draw_lookback_button)(platform::DibSurface& target, int k, int x, int y) = nullptr;
  // Sprite n as a lookback button: the rectangle (inclusive) it covers
  // (false when it has no picture); showing it at a cell or hiding it,
  // marked for the next refresh.
  bool (*sprite_area)(int n, int& left, int& top, int& right, int& bottom) = nullptr;
  void (*set_sprite_button)(int n, bool visible, int cell) = nullptr;
};
extern ScreenLink screen_link;

}  // namespace text
