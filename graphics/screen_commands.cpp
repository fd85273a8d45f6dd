#include <algorithm>

#include "graphics/animation.h"
#include "graphics/archive.h"
#include "graphics/click_cursor.h"
#include "graphics/commands.h"
#include "graphics/effect.h"
#include "graphics/effect_commands.h"
#include "graphics/image_tag.h"
#include "graphics/lzss.h"
#include "graphics/overlays.h"
#include "graphics/screen.h"
#include "graphics/shake.h"
#include "graphics/string_sprite.h"
#include "graphics/window_picture.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "text/wait.h"

namespace graphics {

namespace {

// "#rrggbb" at the position: the seven characters, and the colour.
std::string read_colour_text(int& rgb) {
  std::string text;
  for (int i = 0; i < 7; ++i) {
    text += interp::peek_byte();
    interp::advance();
  }
  rgb = parse_html_colour(text.c_str() + 1);
  interp::skip_blanks();
  return text;
}

// A standing-picture letter: 0, 1, 2 for l, c, r; 3 for a; -1 otherwise.
int read_position() {
  std::string letter = interp::read_identifier();
  if (letter == "l") return kStandLeft;
  if (letter == "c") return kStandCentre;
  if (letter == "r") return kStandRight;
  if (letter == "a") return 3;
  return -1;
}

// An optional ", number" after the last argument.
bool read_optional_number(int& value) {
  if (interp::skip_blanks() != ',') return false;
  interp::advance();
  value = interp::read_number();
  return true;
}

void load_sprite_command(bool visible) {
  int n = interp::read_number();
  interp::expect_comma();
  std::string tag = interp::read_string();
  interp::expect_comma();
  int x = interp::read_number();
  interp::expect_comma();
  int y = interp::read_number();
  int alpha = -1;
  read_optional_number(alpha);
  load_sprite(n, tag, x, y, alpha, visible);
}

}  // namespace

void display_with_effect() {
  int n = interp::read_number();
  if (interp::skip_blanks() != ',') {
    refresh_screen_with_effect(n);
    return;
  }
  interp::advance();
  int duration = interp::read_number();
  std::string mask;
  if (interp::skip_blanks() == ',') {
    interp::advance();
    mask = interp::read_string();
  }
  refresh_screen(n, duration, mask);
}

void cmd_bg() {
  char c = interp::skip_blanks();
  if (c == '#') {
    int rgb;
    std::string text = read_colour_text(rgb);
    set_background_colour(static_cast<uint32_t>(rgb), text);
  } else if (c == '"' || c == '$' || c == '(' || c == '[') {
    set_background_picture(interp::read_string());
  } else {
    int32_t at = interp::ScriptPosition;
    std::string word = interp::read_identifier();
    if (word == "black") {
      set_background_colour(0, "black");
    } else if (word == "white") {
      set_background_colour(0xffffff, "white");
    } else {
      interp::ScriptPosition = at;  // a string alias: read it again as a string
      set_background_picture(interp::read_string());
    }
  }
  interp::expect_comma();
  display_with_effect();
}

void cmd_ld() {
  int position = read_position();
  interp::expect_comma();
  std::string tag = interp::read_string();
  interp::expect_comma();
  if (position >= 0 && position < 3) load_standing(position, tag);
  display_with_effect();
}

void cmd_cl() {
  int position = read_position();
  interp::expect_comma();
  if (position == 3)
    for (int i = 0; i < 3; ++i) clear_standing(i);
  else if (position >= 0)
    clear_standing(position);
  display_with_effect();
}

void cmd_tal() {
  int position = read_position();
  interp::expect_comma();
  int alpha = interp::read_number();
  interp::expect_comma();
  if (position >= 0 && position < 3) set_standing_alpha(position, alpha);
  display_with_effect();
}

void cmd_lsp() { load_sprite_command(true); }
void cmd_lsph() { load_sprite_command(false); }

void cmd_csp() { clear_sprite(interp::read_number()); }

void cmd_vsp() {
  int n = interp::read_number();
  interp::expect_comma();
  show_sprite(n, interp::read_number() != 0);
}

void cmd_msp() {
  int n = interp::read_number();
  interp::expect_comma();
  int dx = interp::read_number();
  interp::expect_comma();
  int dy = interp::read_number();
  int dalpha = 0;
  bool has_alpha = read_optional_number(dalpha);
  move_sprite_by(n, dx, dy, dalpha, has_alpha);
}

void cmd_amsp() {
  int n = interp::read_number();
  interp::expect_comma();
  int x = interp::read_number();
  interp::expect_comma();
  int y = interp::read_number();
  int alpha = 0;
  bool has_alpha = read_optional_number(alpha);
  move_sprite_to(n, x, y, alpha, has_alpha);
}

void cmd_cell() {
  int n = interp::read_number();
  interp::expect_comma();
  set_sprite_cell(n, interp::read_number());
}

void cmd_spstr() { run_sprite_string(interp::read_string()); }

void cmd_allsphide() { hide_all_sprites(true); }
void cmd_allspresume() { hide_all_sprites(false); }

void cmd_humanz() {
  int z = interp::read_number();
  if (z < 0 || z > 255) interp::report_errorf("エラー", "humanz指定が範囲外です。");
  TheScreen.humanz = z;
}

void cmd_underline() { TheScreen.underline = interp::read_number(); }

void cmd_bgalia() {
  Screen& s = TheScreen;
  s.bgalia_x = interp::read_number();
  interp::expect_comma();
  s.bgalia_y = interp::read_number();
  interp::expect_comma();
  s.bgalia_w = interp::read_number();
  interp::expect_comma();
  s.bgalia_h = interp::read_number();
}

void cmd_monocro() {
  Screen& s = TheScreen;
  if (interp::skip_blanks() == '#') {
    int rgb;
    read_colour_text(rgb);
    s.monochrome = true;
    s.tone_red = rgb >> 16 & 255, s.tone_green = rgb >> 8 & 255, s.tone_blue = rgb & 255;
  } else if (interp::read_identifier() == "off") {
    s.monochrome = false;
  } else {
    interp::report_errorf("構文エラー", "monocro命令の次は#rrggbbで色指定、もしくは、offでモノクロ指定を解除、です。");
  }
  mark_whole_screen();
}

void cmd_nega() {
  TheScreen.nega_mode = interp::read_number();
  mark_whole_screen();
}

void cmd_print() { display_with_effect(); }

void cmd_repaint() {
  compose_screen(nullptr);
  run_effect(1, 0, "", nullptr);
}

// The window always shows the display surface, so what it shows is there already.
void cmd_ofscpy() {}

void cmd_effect() {
  int n = interp::read_number();
  if (n < 2 || n > 255) interp::report_errorf("パラメータエラー", "effect命令の第一パラメータは2～255です。");
  interp::expect_comma();
  EffectTable[n] = read_effect_definition();
}

namespace {

int64_t current_interval(const ImageRecord& r) {
  if (r.cell_interval_ms != -1) return r.cell_interval_ms;
  if (r.current_cell < 0 || r.current_cell >= int(r.cell_intervals.size())) return 0;
  return r.cell_intervals[r.current_cell];
}

// Waits in 1 ms steps (the waits step the animations) until the condition
// holds, or until the picture can step no more (a stop-mode sprite that
// `cell` put past its last cell would never reach it).
template <typename Condition>
void wait_until(const ImageRecord& r, Condition done) {
  while (!done() && animation_can_step(r)) text::timed_wait(1, false);
}

}  // namespace

// spwait: waits for an animated sprite to run through its cells. A sprite
// that cannot step (undefined, hidden, one cell, stepped by commands only)
// would wait for ever; it returns at once.
void cmd_spwait() {
  SpriteSlot& sp = sprite(interp::read_number());
  ImageRecord& r = sp.image;
  if (sp.tag.empty() || !sp.visible || r.cell_count < 2 || r.anim_mode == kAnimManual) return;
  int last = r.cell_count - 1;
  if (r.anim_mode != kAnimStop && r.current_cell == 0) wait_until(r, [&] { return r.current_cell != 0; });
  if (r.anim_mode == kAnimStop) {
    wait_until(r, [&] { return r.current_cell == last; });
    text::timed_wait(static_cast<uint32_t>(std::max<int64_t>(current_interval(r), 0)), false);
    return;
  }
  if (r.anim_mode == kAnimPingPong)
    wait_until(r, [&] { return r.current_cell == 0; });
  else
    wait_until(r, [&] { return r.current_cell == last; });
  // Hold the picture on that cell for one interval.
  int64_t interval = current_interval(r);
  int saved = r.cell_interval_ms;
  r.cell_interval_ms = 99999;
  text::timed_wait(static_cast<uint32_t>(std::max<int64_t>(interval, 0)), false);
  r.cell_interval_ms = saved;
  r.last_step_ms = platform::clock_ms();
}

void start_pictures(int width, int height) {
  Screen& s = TheScreen;
  s.humanz = 127;
  s.underline = height;
  s.bgalia_x = -1, s.bgalia_y = s.bgalia_w = s.bgalia_h = 0;
  s.monochrome = false;
  s.nega_mode = 0;
  s.all_sprites_hidden = s.keep_standing = s.window_back = s.hide_low_sprites = false;
  loader_settings = LoaderSettings();
  archive_settings = ArchiveSettings();
  sprite_font = SpriteFont();
  effect_settings = EffectSettings();
  reset_effect_table();
  reset_window_effect();
  reset_screen(width, height);
  reset_pictures();
  platform::set_display_surface(&s.display);
}

void reset_state() {
  start_pictures(platform::screen_width, platform::screen_height);
  reset_lzss_window();
  reset_shake();
  create_surface(WindowPicture, 0, 0);
}

void reset_pictures() {
  reset_screen(TheScreen.width, TheScreen.height);
  reset_overlays();
  bool blank = loader_settings.blank_on_missing;
  loader_settings.blank_on_missing = true;
  load_click_cursors();
  loader_settings.blank_on_missing = blank;
}

}  // namespace graphics
