// Loading a save file: the fields are read into a record, checked against
// the scenario, brought back into the game state, and the pictures and
// music are rebuilt from the names they hold.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "graphics/click_cursor.h"
#include "graphics/effect.h"
#include "graphics/effect_commands.h"
#include "graphics/image_tag.h"
#include "graphics/overlays.h"
#include "graphics/screen.h"
#include "interp/control_flow.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/player_files.h"
#include "save/save_file.h"
#include "script/scenario.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/screen_link.h"

namespace save {

namespace {

SaveRecord loaded;

[[noreturn]] void corrupt() { interp::report_errorf("エラー", "セーブデータが壊れています。"); }

// A call stack is made of gosub frames (one slot: a return position > 0)
// and for frames (four slots, the top one the negated loop position); every
// position must lie in the scenario and every loop variable must exist.
bool call_stack_fits(const SaveRecord& r) {
  if (r.stack_count < 0 || r.stack_count > kSavedStackSlots) return false;
  for (int32_t top = r.stack_count - 1; top >= 0;) {
    int32_t v = r.stack[top];
    if (v > 0) {
      if (v > script::scenario_length) return false;
      top -= 1;
    } else {
      if (top < 3 || -int64_t{v} > script::scenario_length) return false;
      int32_t variable = r.stack[top - 3];
      if (variable < 0 || variable >= interp::kVariableCount) return false;
      top -= 4;
    }
  }
  return true;
}

void restore_values(const SaveRecord& r) {
  text::MessageWindow& w = text::message_window;
  graphics::Screen& scr = graphics::TheScreen;
  w.bold = r.bold;
  w.shadow = r.shadow;
  stored_menu_fields.right_click_mode = r.right_click_mode;
  stored_menu_fields.button_image = r.button_image;
  w.text_colour[0] = static_cast<uint8_t>(r.text_red);
  w.text_colour[1] = static_cast<uint8_t>(r.text_green);
  w.text_colour[2] = static_cast<uint8_t>(r.text_blue);
  for (int k = 0; k < 2; ++k) text::cursor_tags[k] = r.cursor_tag[k];
  graphics::window_effect.kind = r.window_effect_kind;
  graphics::window_effect.duration = r.window_effect_duration;
  graphics::window_effect.mask = r.window_effect_mask;
  w.text_origin_x = r.origin_x;
  w.text_origin_y = r.origin_y;
  w.columns = r.columns;
  w.rows = r.rows;
  w.glyph_width = r.glyph_width;
  w.glyph_height = r.glyph_height;
  w.pitch_x = r.step_x;
  w.pitch_y = r.step_y;
  w.background_colour = r.window_colour;
  w.text_speed = r.text_speed;
  w.window_left = r.window_left;
  w.window_top = r.window_top;
  w.window_right = r.window_right;
  w.window_bottom = r.window_bottom;
  w.background_image = r.window_image;
  for (int k = 0; k < 2; ++k) text::cursor_placement[k] = {r.cursor_dx[k], r.cursor_dy[k], r.cursor_absolute[k]};
  for (int i = 0; i < kSavedVariables; ++i) {
    interp::NumericVariables[i] = r.numbers[i];
    interp::set_string_variable(i, r.strings[i]);
  }
  interp::clear_call_stack();
  interp::CallStack.count = r.stack_count;
  std::copy_n(r.stack, r.stack_count, interp::CallStack.slot);
  scr.monochrome = r.monochrome != 0;
  scr.tone_blue = r.tone_blue;
  scr.tone_green = r.tone_green;
  scr.tone_red = r.tone_red;
  scr.nega_mode = r.negative;
  stored_music = r.music;
  if (stored_music.stream_saved != 1) stored_music.stream_name.clear();
  w.erase_window_on_effect = r.erase_window_on_effect;
  w.text_visible = r.text_visible;
  for (int i = 0; i < kSavedOverlays; ++i) {
    const BarFields& b = r.bars[i];
    graphics::BarTable[i] = {b.value, b.x, b.y, b.width, b.height, b.max, static_cast<uint32_t>(b.colour)};
    const NumberFields& n = r.number_displays[i];
    graphics::NumberTable[i] = {n.value, n.x, n.y, n.width, n.height, static_cast<uint32_t>(n.colour)};
  }
  // The text-speed menu has three choices; anything else is the middle one.
  w.menu_speed_index = (r.menu_speed_index >= 0 && r.menu_speed_index <= 2) ? r.menu_speed_index : 1;
  scr.all_sprites_hidden = r.all_sprites_hidden != 0;
  text::lookback.recording = r.lookback_enabled;
  size_t at = 0;
  for (int i = 0, n = interp::array_count(); i < n; ++i) {
    interp::ArrayRecord& a = interp::array_at(i);
    std::copy_n(r.array_elements.begin() + at, a.element_count, a.data);
    at += a.element_count;
  }
  graphics::effect_settings.speed = r.effect_speed;
  w.keep_window_for_layers = r.keep_window_for_layers;

  // The history: spaces, a page mark when recording, then the saved text
  // over its start, and the write position (kept inside the buffer).
  text::lookback_reset();
  std::memcpy(text::lookback.history_bytes, r.lookback_text.data(),
              std::min<size_t>(r.lookback_text.size(), text::kLookbackSize));
  text::lookback.write_pos = std::clamp(r.lookback_write_pos, 0, text::kLookbackSize - 1);
  int32_t p = text::lookback.write_pos;
  text::lookback.at_page_start = (p > 0 && text::lookback.history_bytes[p - 1] == text::kLookbackPageMark) ? 1 : 0;
}

int clamp_cell(const graphics::ImageRecord& image, int32_t cell) {
  return std::clamp(cell, 0, std::max(image.cell_count, 1) - 1);
}

void rebuild_pictures(const SaveRecord& r) {
  graphics::Screen& scr = graphics::TheScreen;
  // Click cursors: the default pictures where the saved tag is empty.
  graphics::load_click_cursors();
  for (int k = 0; k < 2; ++k)
    if (!r.cursor_tag[k].empty() && text::screen_link.load_cursor_image)
      text::screen_link.load_cursor_image(k, r.cursor_tag[k]);

  // The background as bg would set it; this also removes the standing pictures.
  const std::string& bg = r.background;
  if (bg.empty() || bg == "black") {
    graphics::set_background_colour(0, "black");
  } else if (bg == "white") {
    graphics::set_background_colour(0xffffff, "white");
  } else if (bg[0] == '#') {
    graphics::set_background_colour(static_cast<uint32_t>(graphics::parse_html_colour(bg.c_str() + 1)), bg);
  } else {
    graphics::set_background_picture(bg);
  }
  for (int i = 0; i < 3; ++i) {
    if (r.standing_tag[i].empty()) continue;
    graphics::load_standing(i, r.standing_tag[i]);
    graphics::StandingPicture& p = scr.standing[i];
    p.x = r.standing_x[i];
    p.y = r.standing_y[i];
    p.image.current_cell = clamp_cell(p.image, r.standing_cell[i]);
  }
  graphics::clear_sprite(-1);
  for (int i = 0; i < kSavedSprites; ++i) {
    const SpriteFields& f = r.sprites[i];
    if (f.tag.empty()) continue;
    graphics::load_sprite(i, f.tag, f.x, f.y, -1, f.visible != 0);
    graphics::SpriteSlot& sp = scr.sprites[i];
    sp.image.current_cell = clamp_cell(sp.image, f.cell);
  }
  if (save_hooks.restore_menu_fields) save_hooks.restore_menu_fields(stored_menu_fields);

  text::MessageWindow& w = text::message_window;
  if (w.background_colour == -1 && !w.background_image.empty()) {
    int width = 0, height = 0;
    if (text::screen_link.load_window_image) text::screen_link.load_window_image(w.background_image, width, height);
  } else if (text::screen_link.release_window_image) {
    text::screen_link.release_window_image();
  }
}

}  // namespace

bool load_save_file(int32_t slot) {
  std::string name = save_file_name(slot);
  if (!platform::player_file_exists(name)) return false;
  if (save_hooks.stop_sound_for_load) save_hooks.stop_sound_for_load();
  std::FILE* f = std::fopen(platform::player_file_path(name).c_str(), "rb");
  if (!f) return false;

  SaveRecord& r = loaded;
  SaveStream s;
  s.mode = 0;
  s.file = f;
  total_array_elements_into(r);
  transfer_snapshot(s, r);
  transfer_tail(s, r);
  std::fclose(f);

  // Nothing is changed before the file is known to fit this scenario.
  int32_t position = line_and_colons_to_position(r.line, r.colons);
  if (position < 0 || !call_stack_fits(r)) corrupt();
  if (r.version != 1) {
    for (BarFields& b : r.bars) b = BarFields();
    for (NumberFields& n : r.number_displays) n = NumberFields();
  }

  restore_values(r);
  text::clear_message_window();
  rebuild_pictures(r);
  if (save_hooks.restore_music) save_hooks.restore_music(stored_music);
  graphics::mark_whole_screen();
  graphics::refresh_screen(1, 0, "");

  interp::ScriptPosition = position;
  take_save_point_at(position);
  return true;
}

}  // namespace save
