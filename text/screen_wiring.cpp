// Connects the message window to the screen code (layers, composition,
// effects, image loading, click cursors) when that code is part of the build.
#include "text/screen_link.h"

#if __has_include("graphics/screen.h") && __has_include("graphics/effect.h") &&                  \
                                                        __has_include("graphics/image_tag.h") && \
                                                                      __has_include("graphics/click_cursor.h")
#include "graphics/click_cursor.h"
#include "graphics/draw_image.h"
#include "graphics/effect.h"
#include "graphics/effect_commands.h"
#include "graphics/image.h"
#include "graphics/image_tag.h"
#include "graphics/screen.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/wait.h"

namespace text {

namespace {

// The window image slot of setwindow and setwindow2.
graphics::ImageRecord window_image;

// Showing and hiding the window run through the `windoweffect` effect (a cut
// until the scenario chooses another); other refreshes are cuts.
void refresh_area(int left, int top, int right, int bottom, bool window_effect) {
  graphics::mark_dirty(left, top, right, bottom);
  if (window_effect) {
    const graphics::EffectDefinition& e = graphics::window_effect;
    graphics::refresh_screen(e.kind, e.duration, e.mask);
  } else {
    graphics::refresh_screen(1, 0, "");
  }
}

bool load_window_image(const std::string& tag, int& width, int& height) {
  graphics::release_image(window_image);
  graphics::load_image_tag(window_image, tag);
  width = graphics::visible_width(window_image);
  height = graphics::visible_height(window_image);
  return true;
}

void release_window_image() { graphics::release_image(window_image); }

void draw_window_image(graphics::DibSurface& work, int x, int y, int left, int top, int right, int bottom) {
  graphics::Rect clip{left, top, right, bottom};
  graphics::draw_image(window_image, work, &clip, x, y);
}

void load_cursor_image(int k, const std::string& tag) {
  graphics::release_image(graphics::ClickCursors[k]);
  graphics::load_image_tag(graphics::ClickCursors[k], tag);
}

// The lookback's four button pictures.
graphics::ImageRecord lookback_buttons[4];

void load_lookback_button(int k, const std::string& tag, bool blank_on_missing) {
  graphics::ImageRecord& r = lookback_buttons[k & 3];
  graphics::release_image(r);
  bool blank = graphics::loader_settings.blank_on_missing;
  graphics::loader_settings.blank_on_missing = blank_on_missing;
  graphics::load_image_tag(r, tag);
  graphics::loader_settings.blank_on_missing = blank;
}

bool lookback_button_size(int k, int& width, int& height) {
  const graphics::ImageRecord& r = lookback_buttons[k & 3];
  if (!graphics::has_surface(r)) return false;
  width = graphics::visible_width(r);
  height = graphics::visible_height(r);
  return true;
}

void draw_lookback_button(graphics::DibSurface& target, int k, int x, int y) {
  graphics::draw_image(lookback_buttons[k & 3], target, nullptr, x, y);
}

bool sprite_area(int n, int& left, int& top, int& right, int& bottom) {
  if (n < 0 || n >= graphics::kSpriteCount) return false;
  const graphics::SpriteSlot& sp = graphics::TheScreen.sprites[n];
  if (sp.tag.empty() || !graphics::has_surface(sp.image)) return false;
  left = sp.x;
  top = sp.y;
  right = sp.x + graphics::visible_width(sp.image) - 1;
  bottom = sp.y + graphics::visible_height(sp.image) - 1;
  return true;
}

void set_sprite_button(int n, bool visible, int cell) {
  if (n < 0 || n >= graphics::kSpriteCount || graphics::TheScreen.sprites[n].tag.empty()) return;
  graphics::SpriteSlot& sp = graphics::TheScreen.sprites[n];
  if (visible && cell < sp.image.cell_count && sp.image.current_cell != cell) graphics::set_sprite_cell(n, cell);
  graphics::show_sprite(n, visible);
}

int cursor_number() { return cursor_shown == 2 ? graphics::kPageCursor : graphics::kNormalCursor; }

}  // namespace

void connect_screen() {
  screen_link.refresh_area = refresh_area;
  screen_link.load_window_image = load_window_image;
  screen_link.release_window_image = release_window_image;
  screen_link.draw_window_image = draw_window_image;
  screen_link.load_cursor_image = load_cursor_image;
  screen_link.load_lookback_button = load_lookback_button;
  screen_link.lookback_button_size = lookback_button_size;
  screen_link.draw_lookback_button = draw_lookback_button;
  screen_link.sprite_area = sprite_area;
  screen_link.set_sprite_button = set_sprite_button;
  graphics::TheScreen.message_window_shown = [] { return message_window.draw_window != 0; };
  graphics::TheScreen.draw_message_window = [](graphics::DibSurface& work, const graphics::Rect& r) {
    draw_message_window(work, r.left, r.top, r.right, r.bottom);
  };
  wait_hooks.cursor_save = [] { graphics::save_cursor_backdrop(cursor_number(), cursor_x, cursor_y); };
  wait_hooks.cursor_step = [] {
    graphics::step_click_cursor(cursor_number(), cursor_x, cursor_y, platform::clock_ms());
  };
  wait_hooks.cursor_restore = [] { graphics::restore_cursor_backdrop(); };
  platform::set_display_surface(&graphics::TheScreen.display);
}

}  // namespace text

#else

namespace text {
void connect_screen() {}
}  // namespace text

#endif
