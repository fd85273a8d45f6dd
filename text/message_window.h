// text/message_window: the message window record, its text layers, and the operations every text part uses.
#pragma once
#include <cstdint>
#include <string>

#include "platform/surface.h"
#include "text/glyph_blend.h"

namespace text {

// "ＭＳ ゴシック" in Shift-JIS: the face of text until defaultfont says otherwise.
inline constexpr char kDefaultFontFace[] = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";

// The one message window, with its start values. Rectangles are inclusive; colours of text are
// R, G, B bytes; face names are Shift-JIS.
struct MessageWindow {
  int32_t text_origin_x = 8, text_origin_y = 16;  // top-left of the first character cell
  int32_t columns = 23, rows = 16;                // full-width cells per line, lines per page
  int32_t glyph_width = 26, glyph_height = 26;    // one full-width character
  int32_t pitch_x = 26, pitch_y = 28;             // glyph size plus spacing
  int32_t text_speed = 20;                        // ms per character; -1: the menu's speed
  int32_t bold = 1, shadow = 1;
  int32_t background_colour = 0x999999;  // 0xRRGGBB, or -1 with an image
  std::string background_image;          // the window image's tag, kept for saving
  int32_t window_left = 0, window_top = 0, window_right = 640, window_bottom = 480;
  int32_t column = 0, row = 0;         // write position in cells
  int32_t window_shown = 0;            // part of the screen picture now
  int32_t draw_window = 0;             // the composition draws the window
  int32_t text_visible = 1;            // textmode
  int32_t erase_window_on_effect = 1;  // erasetextwindow
  int32_t keep_window_for_layers = 0;  // erasetextwindow 2: ld, cl, tal keep it
  uint8_t text_colour[3] = {255, 255, 255};
  uint8_t link_colour[3] = {255, 255, 64};
  std::string font_face = kDefaultFontFace;          // face of new glyphs
  std::string next_font_face = kDefaultFontFace;     // setfont; becomes font_face at a clear
  std::string default_font_face = kDefaultFontFace;  // defaultfont
  int32_t menu_speeds[3] = {40, 10, 0};              // defaultspeed: slow, middle, fast
  int32_t menu_speed_index = 1;                      // the text-speed menu's choice
  int32_t window_behind_sprites = 0;                 // windowback
  int32_t keep_standing_images = 0;                  // noteraseman
};
extern MessageWindow message_window;

// Every field to its start value (program start and definereset).
void init_message_window();
// `reset`: the start values again, except the link colour, menu speeds,
// window-erase-for-layers, windowback, noteraseman and the stored faces
// (font_face takes next_font_face); the layout, speed, flags and background
// go back to those the define block set.
void reset_message_window();
// `game`: the faces become defaultfont's, and the layout is kept for resets.
void finish_define_block();

// The delay per character: text_speed, or the menu's speed when it is -1.
int32_t effective_text_speed();

// The coverage map and colour layer, sized to the screen (made on first
// use and whenever the screen size changed).
TextLayers text_layers();

// Next row: a line feed in the lookback, column 0, row + 1; running past
// the last row is the "はみ出して" error box.
void new_text_line();
// Takes the window off the screen when it is shown and may be erased.
void hide_message_window();
// Empty page: write position 0, text layers cleared, the stored face taken.
void clear_message_window();
// Puts the window on the screen (before the first character of a line).
void show_message_window();

// Called by the screen composition for the rectangle (inclusive) being
// composed into `work`: the background tint or image, then the text.
void draw_message_window(platform::DibSurface& work, int left, int top, int right, int bottom);

// The colour literal "#rrggbb" at the script position (seven bytes), as
// 0xRRGGBB; the position moves behind it.
int32_t read_colour_literal();

}  // namespace text
