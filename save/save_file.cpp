#include "save/save_file.h"

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
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/player_files.h"
#include "save/save_point.h"
#include "script/scenario.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/screen_link.h"

namespace save {

Snapshot snapshot;
SaveHooks save_hooks;
MusicFields stored_music;
MenuFields stored_menu_fields;

namespace {

// The record the snapshot and the loader work through (large: kept once).
SaveRecord work_record;

void transfer_music(SaveStream& s, MusicFields& m) {
  transfer_text(s, m.midi_name, kTextLimit);
  transfer_text(s, m.wave_name, kTextLimit);
  transfer_int(s, m.cd_track);
  transfer_int(s, m.midi_loop);
  transfer_int(s, m.wave_loop);
  transfer_int(s, m.cd_loop);
  transfer_int(s, m.stream_loop);
  transfer_int(s, m.stream_saved);
  if (s.mode == 1 && m.stream_saved != 1) {
    std::string none;
    transfer_text(s, none, 0);
  } else {
    transfer_text(s, m.stream_name, kTextLimit);
  }
}

}  // namespace

void transfer_snapshot(SaveStream& s, SaveRecord& r) {
  transfer_int(s, r.version);
  transfer_int(s, r.bold);
  transfer_int(s, r.shadow);
  transfer_int(s, r.lookback_write_pos);
  transfer_int(s, r.right_click_mode);
  transfer_int(s, r.text_red);
  transfer_int(s, r.text_blue);
  transfer_int(s, r.text_green);
  transfer_text(s, r.cursor_tag[0], kTextLimit);
  transfer_text(s, r.cursor_tag[1], kTextLimit);
  transfer_int(s, r.window_effect_kind);
  transfer_int(s, r.window_effect_duration);
  transfer_text(s, r.window_effect_mask, kTextLimit);
  transfer_int(s, r.origin_x);
  transfer_int(s, r.origin_y);
  transfer_int(s, r.columns);
  transfer_int(s, r.rows);
  transfer_int(s, r.glyph_width);
  transfer_int(s, r.glyph_height);
  transfer_int(s, r.step_x);
  transfer_int(s, r.step_y);
  transfer_int(s, r.window_colour);
  transfer_int(s, r.text_speed);
  transfer_int(s, r.window_left);
  transfer_int(s, r.window_top);
  transfer_int(s, r.window_right);
  transfer_int(s, r.window_bottom);
  transfer_text(s, r.window_image, kTextLimit);
  for (int k = 0; k < 2; ++k) transfer_int(s, r.cursor_absolute[k]);
  for (int k = 0; k < 2; ++k) transfer_int(s, r.cursor_dx[k]);
  for (int k = 0; k < 2; ++k) transfer_int(s, r.cursor_dy[k]);
  transfer_text(s, r.background, kTextLimit);
  for (int i = 0; i < 3; ++i) transfer_text(s, r.standing_tag[i], kTextLimit);
  for (int i = 0; i < 3; ++i) transfer_int(s, r.standing_x[i]);
  for (int i = 0; i < 3; ++i) transfer_int(s, r.standing_y[i]);
  for (int i = 0; i < 3; ++i) transfer_int(s, r.standing_cell[i]);
  for (SpriteFields& sp : r.sprites) {
    transfer_text(s, sp.tag, kTextLimit);
    transfer_int(s, sp.x);
    transfer_int(s, sp.y);
    transfer_int(s, sp.visible);
    transfer_int(s, sp.cell);
  }
  for (int i = 0; i < kSavedVariables; ++i) {
    transfer_int(s, r.numbers[i]);
    transfer_text(s, r.strings[i], kTextLimit);
  }
  transfer_int(s, r.stack_count);
  // An impossible count is kept for the loader to refuse; only the slots
  // that exist are transferred.
  int32_t slots = std::clamp(r.stack_count, 0, kSavedStackSlots);
  for (int i = 0; i < slots; ++i) transfer_int(s, r.stack[i]);
  transfer_int(s, r.monochrome);
  transfer_int(s, r.tone_blue);
  transfer_int(s, r.tone_green);
  transfer_int(s, r.tone_red);
  transfer_int(s, r.negative);
  transfer_music(s, r.music);
  transfer_int(s, r.erase_window_on_effect);
  transfer_int(s, r.text_visible);
  if (r.version == 1) {
    for (BarFields& b : r.bars) {
      transfer_int(s, b.value);
      transfer_int(s, b.x);
      transfer_int(s, b.y);
      transfer_int(s, b.width);
      transfer_int(s, b.height);
      transfer_int(s, b.max);
      transfer_int(s, b.colour);
    }
    for (NumberFields& n : r.number_displays) {
      transfer_int(s, n.value);
      transfer_int(s, n.x);
      transfer_int(s, n.y);
      transfer_int(s, n.width);
      transfer_int(s, n.height);
      transfer_int(s, n.colour);
    }
  }
  transfer_int(s, r.menu_speed_index);
  transfer_int(s, r.all_sprites_hidden);
  transfer_int(s, r.lookback_enabled);
  transfer_text(s, r.button_image, kTextLimit);
  for (int32_t& e : r.array_elements) transfer_int(s, e);
  transfer_int(s, r.effect_speed);
  transfer_int(s, r.keep_window_for_layers);
}

void transfer_tail(SaveStream& s, SaveRecord& r) {
  transfer_text(s, r.lookback_text, kLookbackTextLimit);
  transfer_int(s, r.line);
  transfer_int(s, r.colons);
}

void total_array_elements_into(SaveRecord& r) {
  size_t total = 0;
  for (int i = 0, n = interp::array_count(); i < n; ++i) total += interp::array_at(i).element_count;
  r.array_elements.resize(total);
}

void capture_record(SaveRecord& r) {
  const text::MessageWindow& w = text::message_window;
  const graphics::Screen& scr = graphics::TheScreen;
  r.version = 1;
  r.bold = w.bold;
  r.shadow = w.shadow;
  r.lookback_write_pos = text::lookback.write_pos;
  if (save_hooks.capture_menu_fields) save_hooks.capture_menu_fields(stored_menu_fields);
  r.right_click_mode = stored_menu_fields.right_click_mode;
  r.text_red = w.text_colour[0];
  r.text_green = w.text_colour[1];
  r.text_blue = w.text_colour[2];
  for (int k = 0; k < 2; ++k) r.cursor_tag[k] = text::cursor_tags[k];
  r.window_effect_kind = graphics::window_effect.kind;
  r.window_effect_duration = graphics::window_effect.duration;
  r.window_effect_mask = graphics::window_effect.mask;
  r.origin_x = w.text_origin_x;
  r.origin_y = w.text_origin_y;
  r.columns = w.columns;
  r.rows = w.rows;
  r.glyph_width = w.glyph_width;
  r.glyph_height = w.glyph_height;
  r.step_x = w.pitch_x;
  r.step_y = w.pitch_y;
  r.window_colour = w.background_colour;
  r.text_speed = w.text_speed;
  r.window_left = w.window_left;
  r.window_top = w.window_top;
  r.window_right = w.window_right;
  r.window_bottom = w.window_bottom;
  r.window_image = w.background_image;
  for (int k = 0; k < 2; ++k) {
    r.cursor_absolute[k] = text::cursor_placement[k].absolute;
    r.cursor_dx[k] = text::cursor_placement[k].dx;
    r.cursor_dy[k] = text::cursor_placement[k].dy;
  }
  r.background = scr.background_text;
  for (int i = 0; i < 3; ++i) {
    r.standing_tag[i] = scr.standing[i].tag;
    r.standing_x[i] = scr.standing[i].x;
    r.standing_y[i] = scr.standing[i].y;
    r.standing_cell[i] = scr.standing[i].image.current_cell;
  }
  for (int i = 0; i < kSavedSprites; ++i) {
    const graphics::SpriteSlot& sp = scr.sprites[i];
    SpriteFields& f = r.sprites[i];
    f.tag = sp.tag;
    f.x = sp.x;
    f.y = sp.y;
    f.visible = sp.visible ? 1 : 0;
    f.cell = sp.image.current_cell;
  }
  for (int i = 0; i < kSavedVariables; ++i) {
    r.numbers[i] = interp::NumericVariables[i];
    r.strings[i] = interp::StringVariables[i];
  }
  r.stack_count = interp::CallStack.count;
  std::copy_n(interp::CallStack.slot, std::clamp(r.stack_count, 0, kSavedStackSlots), r.stack);
  r.monochrome = scr.monochrome ? 1 : 0;
  r.tone_blue = scr.tone_blue;
  r.tone_green = scr.tone_green;
  r.tone_red = scr.tone_red;
  r.negative = scr.nega_mode;
  if (save_hooks.capture_music) save_hooks.capture_music(stored_music);
  r.music = stored_music;
  r.erase_window_on_effect = w.erase_window_on_effect;
  r.text_visible = w.text_visible;
  for (int i = 0; i < kSavedOverlays; ++i) {
    const graphics::BarEntry& b = graphics::BarTable[i];
    r.bars[i] = BarFields{b.value, b.x, b.y, b.width, b.height, b.max, static_cast<int32_t>(b.colour)};
    const graphics::NumberEntry& n = graphics::NumberTable[i];
    r.number_displays[i] = NumberFields{n.value, n.x, n.y, n.w, n.h, static_cast<int32_t>(n.colour)};
  }
  r.menu_speed_index = w.menu_speed_index;
  r.all_sprites_hidden = scr.all_sprites_hidden ? 1 : 0;
  r.lookback_enabled = text::lookback.recording;
  r.button_image = stored_menu_fields.button_image;
  total_array_elements_into(r);
  size_t at = 0;
  for (int i = 0, n = interp::array_count(); i < n; ++i) {
    const interp::ArrayRecord& a = interp::array_at(i);
    std::copy_n(a.data, a.element_count, r.array_elements.begin() + at);
    at += a.element_count;
  }
  r.effect_speed = graphics::effect_settings.speed;
  r.keep_window_for_layers = w.keep_window_for_layers;
}

void position_to_line_and_colons(int32_t position, int32_t& line, int32_t& colons) {
  const char* b = script::ScriptBuffer;
  position = std::clamp(position, 0, script::scenario_length);
  line = 0;
  for (const char* p = b; (p = static_cast<const char*>(std::memchr(p, '\n', b + position - p))) != nullptr; ++p)
    ++line;
  colons = 0;
  for (int32_t p = position; p >= 0 && (p == position || b[p] != '\n'); --p)
    if (b[p] == ':') ++colons;
}

int32_t line_and_colons_to_position(int32_t line, int32_t colons) {
  if (line < 0 || colons < 0) return -1;
  const char* b = script::ScriptBuffer;
  const char* end = b + script::scenario_length;
  const char* p = b;
  for (int32_t i = 0; i < line; ++i) {
    p = static_cast<const char*>(std::memchr(p, '\n', end - p));
    if (!p) return -1;
    ++p;
  }
  for (int32_t i = 0; i < colons; ++i) {
    while (p < end && *p != ':' && *p != '\n') ++p;
    if (p >= end || *p != ':') return -1;
    ++p;
  }
  return static_cast<int32_t>(p - b);
}

void take_save_point_at(int32_t position) {
  forget_save_point();
  SaveStream& s = snapshot.stream;
  s.mode = 1;
  s.buffer.clear();
  snapshot.position = position;
  snapshot.completed = false;
  snapshot.taken = true;
  capture_record(work_record);
  transfer_snapshot(s, work_record);
}

void take_save_point() { take_save_point_at(interp::ScriptPosition); }

std::string save_file_name(int32_t slot) {
  char name[32];
  std::snprintf(name, sizeof name, "save%d.dat", slot);
  return name;
}

const std::string& completed_snapshot() {
  settle_save_point();
  if (!snapshot.taken) take_save_point();
  if (!snapshot.completed) {
    snapshot.completed = true;
    SaveRecord& r = work_record;
    const char* h = text::lookback.history_bytes;
    r.lookback_text.assign(h, strnlen(h, sizeof text::lookback.history_bytes));
    position_to_line_and_colons(snapshot.position, r.line, r.colons);
    transfer_tail(snapshot.stream, r);
  }
  return snapshot.stream.buffer;
}

void write_save_file(int32_t slot) {
  const std::string& bytes = completed_snapshot();
  platform::write_player_file(save_file_name(slot), bytes.data(), bytes.size());
}

void reset_save_files() {
  forget_save_point();
  snapshot.taken = false;
  snapshot.completed = false;
  snapshot.stream.buffer.clear();
  stored_music = MusicFields();
  stored_menu_fields = MenuFields();
}

}  // namespace save
