// graphics/screen: the screen's surfaces, layers and sprites, and their composition.
#pragma once
#include <cstdint>
#include <string>

#include "graphics/draw_image.h"
#include "graphics/image.h"
#include "graphics/surface.h"

namespace graphics {

constexpr int kSpriteCount = 256;
enum StandingPosition : int { kStandLeft = 0, kStandCentre = 1, kStandRight = 2 };

struct StandingPicture {
  std::string tag;  // empty = none
  ImageRecord image;
  int x = 0, y = 0;
};

struct SpriteSlot {
  std::string tag;  // empty = undefined
  ImageRecord image;
  int32_t x = 0, y = 0;
  bool visible = false;
};

// The pending update rectangle (inclusive). The flag tells an empty
// rectangle from a one-pixel one at the origin.
struct DirtyRect {
  bool empty = true;
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Draws a layer owned elsewhere (the message window, bars and numbers)
// into the work surface, limited to the rectangle.
using LayerDrawer = void (*)(DibSurface& work, const Rect& rect);

struct Screen {
  int width = 640, height = 480;
  DibSurface work;     // target of compose_screen
  DibSurface display;  // the picture shown in the window
  DibSurface scratch;  // temporary picture for effects and tools

  ImageRecord background;                                       // its surface is the background picture
  std::string background_text = "black";                        // colour word, "#rrggbb" or tag (for save files)
  int bgalia_x = -1, bgalia_y = 0, bgalia_w = 0, bgalia_h = 0;  // x = -1: off

  StandingPicture standing[3];
  int underline = 480;
  SpriteSlot sprites[kSpriteCount];

  int humanz = 127;
  bool monochrome = false;
  int tone_red = 0, tone_green = 0, tone_blue = 0;
  int nega_mode = 0;  // 0 off, 1 before monochrome, 2 after it
  bool all_sprites_hidden = false;
  bool keep_standing = false;     // noteraseman
  bool window_back = false;       // windowback: the message window under the low sprites
  bool hide_low_sprites = false;  // right-click menu in mode_saya: no sprites 0..9, bars, numbers

  DirtyRect dirty;

  // Layers of other subsystems; null draws nothing.
  bool (*message_window_shown)() = nullptr;
  LayerDrawer draw_message_window = nullptr;
  LayerDrawer draw_bars_and_numbers = nullptr;
};
extern Screen TheScreen;

// Sizes every surface to the screen and brings the layers to their start
// state: black pictures, background "black", no standing pictures or sprites.
void reset_screen(int width, int height);

// Unions the rectangle (inclusive) into the pending one, limited to the screen.
void mark_dirty(int x1, int y1, int x2, int y2);
void mark_whole_screen();
// The rectangle a picture at (x, y) covers, as layer commands mark it.
void mark_image(const ImageRecord& image, int x, int y);
// Takes the pending rectangle (empty afterwards); false when there is none.
bool take_dirty(Rect& rect);

// Composes the rectangle (none: the whole screen) into the work surface.
void compose_screen(const Rect* rect);

// Background: a colour, or a picture centred on black when its size is not
// the screen's. Both remove the standing pictures and mark the whole screen.
void set_background_colour(uint32_t rgb, const std::string& text);
void set_background_picture(const std::string& tag);

// Standing pictures (position 0 left, 1 centre, 2 right).
int standing_anchor(int position);
void load_standing(int position, const std::string& tag);
void clear_standing(int position);
void set_standing_alpha(int position, int alpha);

// Sprites. Numbers outside 0..255 are an error box.
SpriteSlot& sprite(int n);
void load_sprite(int n, const std::string& tag, int x, int y, int alpha, bool visible);
void clear_sprite(int n);  // -1: all
void show_sprite(int n, bool visible);
void move_sprite_by(int n, int dx, int dy, int dalpha, bool has_alpha);
void move_sprite_to(int n, int x, int y, int alpha, bool has_alpha);
void set_sprite_cell(int n, int cell);
void run_sprite_string(const std::string& control);  // spstr
void hide_all_sprites(bool hidden);

}  // namespace graphics
