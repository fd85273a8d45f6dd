// save/save_file: the save-point snapshot and the save files "save%d.dat" written from it and loaded back.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "save/save_stream.h"

namespace save {

constexpr int kSavedSprites = 256;
constexpr int kSavedVariables = 200;  // the local variables 0..199
constexpr int kSavedStackSlots = 1000;
constexpr int kSavedOverlays = 100;
constexpr int kErrorSaveSlot = 999;
constexpr size_t kTextLimit = 1 << 20;        // longest text a save file may give back
constexpr size_t kLookbackTextLimit = 10000;  // the history buffer's size

// The music fields of a save file, as plain values.
struct MusicFields {
  std::string midi_name, wave_name;
  int32_t cd_track = -1, midi_loop = 0, wave_loop = 0, cd_loop = 0, stream_loop = 0;
  int32_t stream_saved = 0;
  std::string stream_name;  // written only when stream_saved is 1
};

// Fields kept by the selections and buttons.
struct MenuFields {
  int32_t right_click_mode = 0;  // rmode
  std::string button_image;      // the btndef picture's tag
};

struct SpriteFields {
  std::string tag;
  int32_t x = 0, y = 0, visible = 0, cell = 0;
};
struct BarFields {
  int32_t value = 0, x = -1, y = 0, width = 0, height = 0, max = 0, colour = 0;
};
struct NumberFields {
  int32_t value = 0, x = -1, y = 0, width = 0, height = 0, colour = 0;
};

// One save file's contents, in the order the file holds them.
struct SaveRecord {
  int32_t version = 1;
  int32_t bold = 0, shadow = 0;
  int32_t lookback_write_pos = 0;
  int32_t right_click_mode = 0;
  int32_t text_red = 0, text_blue = 0, text_green = 0;
  std::string cursor_tag[2];
  int32_t window_effect_kind = 0, window_effect_duration = 0;
  std::string window_effect_mask;
  int32_t origin_x = 0, origin_y = 0, columns = 0, rows = 0;
  int32_t glyph_width = 0, glyph_height = 0, step_x = 0, step_y = 0;
  int32_t window_colour = 0, text_speed = 0;
  int32_t window_left = 0, window_top = 0, window_right = 0, window_bottom = 0;
  std::string window_image;
  int32_t cursor_absolute[2] = {}, cursor_dx[2] = {}, cursor_dy[2] = {};
  std::string background;
  std::string standing_tag[3];
  int32_t standing_x[3] = {}, standing_y[3] = {}, standing_cell[3] = {};
  SpriteFields sprites[kSavedSprites];
  int32_t numbers[kSavedVariables] = {};
  std::string strings[kSavedVariables];
  int32_t stack_count = 0;
  int32_t stack[kSavedStackSlots] = {};
  int32_t monochrome = 0, tone_blue = 0, tone_green = 0, tone_red = 0, negative = 0;
  MusicFields music;
  int32_t erase_window_on_effect = 0, text_visible = 0;
  BarFields bars[kSavedOverlays];
  NumberFields number_displays[kSavedOverlays];
  int32_t menu_speed_index = 0, all_sprites_hidden = 0, lookback_enabled = 0;
  std::string button_image;
  std::vector<int32_t> array_elements;  // as many as the declared arrays hold
  int32_t effect_speed = 0, keep_window_for_layers = 0;
  // The tail, added at the first save after a snapshot.
  std::string lookback_text;
  int32_t line = 0, colons = 0;
};

// Transfers fields 1-75 (bars and numbers only for version 1). When reading,
// array_elements must already have the declared arrays' size. A stack count
// outside 0..1000 is read as is; the loader refuses it.
void transfer_snapshot(SaveStream& s, SaveRecord& r);
// Transfers fields 76-78.
void transfer_tail(SaveStream& s, SaveRecord& r);

// The game state into a record and back. restore_record brings back the
// values only; rebuild_pictures then loads what the names describe.
void capture_record(SaveRecord& r);
void total_array_elements_into(SaveRecord& r);

// The position encoding: lines before the position and ':' bytes from the
// start of its line up to and including it. The inverse gives -1 when the
// scenario has no such line or the line has not that many ':'.
void position_to_line_and_colons(int32_t position, int32_t& line, int32_t& colons);
int32_t line_and_colons_to_position(int32_t line, int32_t colons);

// The snapshot of the last save point (fields 1-75 as bytes) and whether
// the tail has been appended.
struct Snapshot {
  SaveStream stream;
  int32_t position = 0;
  bool completed = false;
  bool taken = false;
};
extern Snapshot snapshot;

// Takes the snapshot at `position` (the run loop's save point).
void take_save_point_at(int32_t position);
// The save point at the ScriptPosition.
void take_save_point();
// Completes the snapshot if needed and writes "save%d.dat" (in the
// background: a file that cannot be written keeps its old contents). Before
// the first save point the snapshot is taken at the ScriptPosition.
void write_save_file(int32_t slot);
// Restores the game from "save%d.dat"; false (and nothing changed) when the
// file does not exist. A file that no longer fits the scenario or holds an
// impossible call stack ends in the error box.
bool load_save_file(int32_t slot);
// The file name of a slot: "save%d.dat".
std::string save_file_name(int32_t slot);

// The bytes of the snapshot as it would be written now (completing it).
const std::string& completed_snapshot();

// Work of other parts that save files carry. Each is null-safe: without it
// the values last loaded are written back and nothing is restarted.
struct SaveHooks {
  // Music (sound): the current fields; silence before a load; start the
  // music the fields describe after it.
  void (*capture_music)(MusicFields& out) = nullptr;
  void (*stop_sound_for_load)() = nullptr;
  void (*restore_music)(const MusicFields& in) = nullptr;
  // Right-click menu mode and button picture (selections and buttons).
  void (*capture_menu_fields)(MenuFields& out) = nullptr;
  void (*restore_menu_fields)(const MenuFields& in) = nullptr;
};
extern SaveHooks save_hooks;

// The values written when no hook supplies them (the last loaded ones).
extern MusicFields stored_music;
extern MenuFields stored_menu_fields;

// `reset`: the save-point state and the stored fields start over.
void reset_save_files();

}  // namespace save
