#include "text/message_window.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "interp/error.h"
#include "interp/readers.h"
#include "platform/window.h"
#include "text/lookback.h"
#include "text/screen_link.h"
#include "text/transcript.h"

namespace text {

MessageWindow message_window;
ScreenLink screen_link;

namespace {

// The layout as the define block left it: a reset goes back to it, so that
// the setwindow of *define holds for the whole game.
MessageWindow define_layout;
bool define_layout_kept = false;

// One byte per screen pixel, and the text colour times that coverage.
std::vector<uint8_t> coverage_map;
platform::DibSurface colour_layer;

// The fields that `reset` sets again.
void set_layout_defaults() {
  MessageWindow& w = message_window;
  w.text_origin_x = 8;
  w.text_origin_y = 16;
  w.columns = 23;
  w.rows = 16;
  w.glyph_width = w.glyph_height = 26;
  w.pitch_x = 26;
  w.pitch_y = 28;
  w.text_speed = 20;
  w.bold = 1;
  w.shadow = 1;
  w.background_colour = 0x999999;
  w.background_image.clear();
  w.window_left = w.window_top = 0;
  w.window_right = platform::screen_width;
  w.window_bottom = platform::screen_height;
  w.column = w.row = 0;
  w.window_shown = 0;
  w.draw_window = 0;
  w.text_visible = 1;
  w.erase_window_on_effect = 1;
  w.text_colour[0] = w.text_colour[1] = w.text_colour[2] = 255;
  if (screen_link.release_window_image) screen_link.release_window_image();
}

// An edge moved by the two pixels a shadow may reach (setwindow takes any
// number, INT_MAX included).
int widened(int edge) { return static_cast<int>(std::min<int64_t>(int64_t(edge) + 2, INT_MAX)); }

// The window rectangle widened by the two pixels a shadow may reach.
void refresh_window_area(bool window_effect) {
  const MessageWindow& w = message_window;
  if (screen_link.refresh_area)
    screen_link.refresh_area(w.window_left, w.window_top, widened(w.window_right), widened(w.window_bottom),
                             window_effect);
}

}  // namespace

void init_message_window() {
  define_layout_kept = false;
  set_layout_defaults();
  MessageWindow& w = message_window;
  w.keep_window_for_layers = 0;
  w.link_colour[0] = 255;
  w.link_colour[1] = 255;
  w.link_colour[2] = 64;
  w.default_font_face = kDefaultFontFace;
  w.font_face = w.next_font_face = w.default_font_face;
  w.menu_speeds[0] = 40;
  w.menu_speeds[1] = 10;
  w.menu_speeds[2] = 0;
  w.menu_speed_index = 1;
  w.window_behind_sprites = 0;
  w.keep_standing_images = 0;
  std::fill(coverage_map.begin(), coverage_map.end(), 0);
  platform::create_surface(colour_layer, colour_layer.width, colour_layer.height);
}

void reset_message_window() {
  // The page on the screen is gone: the transcript's row ends with it.
  end_transcript_page();
  set_layout_defaults();
  if (define_layout_kept) {
    MessageWindow& w = message_window;
    const MessageWindow& d = define_layout;
    w.text_origin_x = d.text_origin_x;
    w.text_origin_y = d.text_origin_y;
    w.columns = d.columns;
    w.rows = d.rows;
    w.glyph_width = d.glyph_width;
    w.glyph_height = d.glyph_height;
    w.pitch_x = d.pitch_x;
    w.pitch_y = d.pitch_y;
    w.text_speed = d.text_speed;
    w.bold = d.bold;
    w.shadow = d.shadow;
    w.background_colour = d.background_colour;
    w.background_image = d.background_image;
    w.window_left = d.window_left;
    w.window_top = d.window_top;
    w.window_right = d.window_right;
    w.window_bottom = d.window_bottom;
    int width, height;
    if (w.background_colour == -1 && screen_link.load_window_image)
      screen_link.load_window_image(w.background_image, width, height);
  }
  message_window.font_face = message_window.next_font_face;
  std::fill(coverage_map.begin(), coverage_map.end(), 0);
  platform::create_surface(colour_layer, colour_layer.width, colour_layer.height);
}

void finish_define_block() {
  message_window.font_face = message_window.next_font_face = message_window.default_font_face;
  define_layout = message_window;
  define_layout_kept = true;
}

int32_t effective_text_speed() {
  const MessageWindow& w = message_window;
  if (w.text_speed != -1) return w.text_speed;
  return w.menu_speeds[std::clamp(w.menu_speed_index, 0, 2)];
}

TextLayers text_layers() {
  int width = platform::screen_width, height = platform::screen_height;
  if (colour_layer.width != width || colour_layer.height != height) {
    platform::create_surface(colour_layer, width, height);
    coverage_map.assign(static_cast<size_t>(width) * height, 0);
  }
  return TextLayers{coverage_map.data(), &colour_layer};
}

void new_text_line() {
  append_line_feed();
  end_transcript_row();
  MessageWindow& w = message_window;
  w.column = 0;
  w.row = static_cast<int32_t>(static_cast<uint32_t>(w.row) + 1u);
  if (w.row == w.rows) interp::report_errorf("エラー", "文字が枠をはみ出してしまいました。");
}

void hide_message_window() {
  MessageWindow& w = message_window;
  if (w.window_shown != 1 || w.erase_window_on_effect == 0) return;
  w.draw_window = 0;
  w.window_shown = 0;
  refresh_window_area(true);
}

void clear_message_window() {
  MessageWindow& w = message_window;
  w.column = w.row = 0;
  end_transcript_page();
  text_layers();
  std::fill(coverage_map.begin(), coverage_map.end(), 0);
  std::fill(colour_layer.pixels.begin(), colour_layer.pixels.end(), 0);
  w.font_face = w.next_font_face;
  if (w.window_shown) {
    refresh_window_area(false);
    w.window_shown = 1;
    w.draw_window = 1;
  }
}

void show_message_window() {
  MessageWindow& w = message_window;
  w.draw_window = 1;
  refresh_window_area(true);
  // The composition marks the window shown when it draws the background;
  // without one the window counts as shown from here.
  w.window_shown = 1;
}

void draw_message_window(platform::DibSurface& work, int left, int top, int right, int bottom) {
  const MessageWindow& w = message_window;
  if (!w.draw_window || !w.text_visible) return;
  message_window.window_shown = 1;
  int l = std::max({left, w.window_left, 0});
  int t = std::max({top, w.window_top, 0});
  int r = std::min({right, w.window_right, work.width - 1});
  int b = std::min({bottom, w.window_bottom, work.height - 1});
  if (l > r || t > b) return;

  if (w.background_colour == -1) {
    if (screen_link.draw_window_image) screen_link.draw_window_image(work, w.window_left, w.window_top, l, t, r, b);
  } else if ((w.background_colour & 0xFFFFFF) != 0xFFFFFF) {
    // One product table per channel (blue, green, red as stored).
    uint8_t tint[3][256];
    const unsigned colour[3] = {unsigned(w.background_colour) & 0xFF, (unsigned(w.background_colour) >> 8) & 0xFF,
                                (unsigned(w.background_colour) >> 16) & 0xFF};
    for (int k = 0; k < 3; k++)
      for (unsigned v = 0; v < 256; v++) tint[k][v] = blend_product(v, colour[k]);
    for (int y = t; y <= b; y++) {
      uint8_t* p = work.row(y) + 3 * l;
      for (int x = l; x <= r; x++, p += 3) {
        p[0] = tint[0][p[0]];
        p[1] = tint[1][p[1]];
        p[2] = tint[2][p[2]];
      }
    }
  }

  // The lookback viewer draws its own page over the bare window.
  if (lookback_active) return;
  TextLayers layers = text_layers();
  if (colour_layer.width != work.width || colour_layer.height != work.height) return;
  // The shadow of a pixel falls on its right neighbour, which may lie one
  // pixel outside the window; the pixel left of the rectangle still casts
  // its shadow into it. Nothing outside the rectangle being composed is
  // touched, so composing an area twice gives the same picture.
  int shadow_right = std::min(right, work.width - 1);
  for (int y = t; y <= b; y++) {
    const uint8_t* cov = layers.coverage_map + static_cast<size_t>(y) * work.width;
    const uint8_t* lay = colour_layer.row(y);
    uint8_t* dst = work.row(y);
    for (int x = std::max(l - 1, 0); x <= r; x++) {
      unsigned a = cov[x];
      if (a == 0) continue;
      uint8_t* p = dst + 3 * x;
      if (x >= l)
        for (int k = 0; k < 3; k++)
          p[k] = static_cast<uint8_t>(std::min(255u, unsigned(blend_product(p[k], 255 - a)) + lay[3 * x + k]));
      if (w.shadow && x + 1 >= l && x + 1 <= shadow_right)
        for (int k = 3; k < 6; k++) p[k] = blend_product(p[k], 255 - a);
    }
  }
}

int32_t read_colour_literal() {
  interp::skip_blanks();
  int32_t value = 0;
  interp::advance();  // '#'
  for (int i = 0; i < 6; i++) {
    char c = interp::peek_byte();
    if (c == '\0' || c == '\n') break;
    int digit = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                         : 0;
    value = value * 16 + digit;
    interp::advance();
  }
  interp::skip_blanks();
  return value;
}

}  // namespace text
