#include "app/wiring.h"

#include <string>
#include <string_view>

#include "app/command_table.h"
#include "app/context.h"
#include "app/dialogs.h"
#include "app/menu_custom.h"
#include "app/resets.h"
#include "app/settings.h"
#include "graphics/animation.h"
#include "graphics/archive.h"
#include "graphics/click_cursor.h"
#include "graphics/draw_image.h"
#include "graphics/effect.h"
#include "graphics/effect_commands.h"
#include "graphics/image.h"
#include "graphics/image_tag.h"
#include "graphics/screen.h"
#include "graphics/window_picture.h"
#include "interp/dispatch.h"
#include "interp/hooks.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "platform/player_files.h"
#include "save/error_save.h"
#include "save/logs.h"
#include "save/persistent.h"
#include "save/save_commands.h"
#include "save/save_file.h"
#include "save/save_point.h"
#include "sound/channels.h"
#include "sound/commands.h"
#include "sound/music.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/screen_link.h"
#include "text/transcript.h"
#include "text/traps.h"
#include "text/wait.h"
#include "ui/buttons.h"
#include "ui/hooks.h"
#include "ui/right_click.h"
#include "ui/selection.h"

namespace app {

namespace {

// The window image slot of setwindow and setwindow2.
graphics::ImageRecord window_image;

// Showing and hiding the message window run through the `windoweffect`
// effect (a cut until the scenario chooses another); other refreshes are
// cuts.
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

void draw_window_image(platform::DibSurface& work, int x, int y, int left, int top, int right, int bottom) {
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

void draw_lookback_button(platform::DibSurface& target, int k, int x, int y) {
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

int cursor_number() { return text::cursor_shown == 2 ? graphics::kPageCursor : graphics::kNormalCursor; }

// The message window reaches the screen: layers, composition, effects,
// image loading, click cursors.
void connect_text_to_pictures() {
  text::ScreenLink& link = text::screen_link;
  link.refresh_area = refresh_area;
  link.load_window_image = load_window_image;
  link.release_window_image = release_window_image;
  link.draw_window_image = draw_window_image;
  link.load_cursor_image = load_cursor_image;
  link.load_lookback_button = load_lookback_button;
  link.lookback_button_size = lookback_button_size;
  link.draw_lookback_button = draw_lookback_button;
  link.sprite_area = sprite_area;
  link.set_sprite_button = set_sprite_button;
  link.put_window_behind_sprites = [] { graphics::TheScreen.window_back = true; };
  link.keep_standing_images = [] { graphics::TheScreen.keep_standing = true; };
  graphics::TheScreen.message_window_shown = [] { return text::message_window.draw_window != 0; };
  graphics::TheScreen.draw_message_window = [](graphics::DibSurface& work, const graphics::Rect& r) {
    text::draw_message_window(work, r.left, r.top, r.right, r.bottom);
  };
  // The waits step animations and the click cursor.
  text::WaitHooks& wait = text::wait_hooks;
  wait.step_animations = graphics::animation_tick;
  wait.cursor_save = [] { graphics::save_cursor_backdrop(cursor_number(), text::cursor_x, text::cursor_y); };
  wait.cursor_step = [] {
    graphics::step_click_cursor(cursor_number(), text::cursor_x, text::cursor_y, platform::clock_ms());
  };
  wait.cursor_restore = [] { graphics::restore_cursor_backdrop(); };
}

// The window shows the display surface; effects pump messages between
// their steps, run faster under the Ctrl skip or skip mode, and show the
// window picture they draw on step by step.
void connect_pictures_to_window() {
  graphics::present_display_hook = platform::present_display;
  graphics::effect_hooks.pump_one_message = text::pump_one_message;
  graphics::effect_hooks.fast_forward = [] { return text::ctrl_skip_held() || text::skip_mode != 0; };
  graphics::effect_hooks.present_picture = [](graphics::DibSurface* picture) {
    platform::set_display_surface(picture ? picture : &graphics::TheScreen.display);
    platform::present_display();
  };
  // mousecursor finds cursor files in the archives as the picture loaders do.
  shell_hooks.extract_to_temp = [](const std::string& sjis_name) {
    std::string path = sjis_name;
    return graphics::extract_to_temp(path) ? path : std::string();
  };
}

// Selections and buttons: a right click in a wait runs the right-click
// action; the lookback's sounds are the menu sounds of the selections.
void connect_selections() {
  text::wait_hooks.right_click = [] { return ui::show_right_click_menu(-1); };
  text::wait_hooks.play_menu_sound = [](int k) {
    if (k >= 0 && k < 7) ui::play_system_sound(ui::selection_settings.menu_voice[k]);
  };
  ui::ui_hooks.play_sound = sound::play_system_sound;
  // A reset from the system menu silences the game first.
  ui::ui_hooks.stop_all_sound = [] { sound::stop_all_sound(true); };
  // Save files keep the right-click mode and the button picture's name.
  save::save_hooks.capture_menu_fields = [](save::MenuFields& out) {
    out.right_click_mode = ui::right_click_mode;
    out.button_image = ui::button_settings.button_image_file;
  };
  save::save_hooks.restore_menu_fields = [](const save::MenuFields& in) {
    ui::right_click_mode = in.right_click_mode;
    ui::restore_button_image(in.button_image);
  };
}

void connect_interpreter() {
  interp::Hooks& h = interp::hooks;
  h.poll_traps = text::poll_traps;
  h.display_text_line = text::display_text_line;
  h.start_define_block = start_define_block;
  h.finish_define_block = text::finish_define_block;
  h.reset_to_start = reset_to_start;
  h.log_label = [](std::string_view name) { save::log_append(save::LabelLog, name); };
  h.label_logged = [](std::string_view name) { return save::log_contains(save::LabelLog, name); };
  h.file_logged = [](std::string_view name) { return save::log_contains(save::FileLog, name); };
  h.log_file = [](std::string_view name) { save::log_append(save::FileLog, name); };
  h.pump_one_message = text::pump_one_message;
  h.write_error_save = save::write_error_save;
  h.take_save_point = save::save_point_pass;
  h.mark_read_text = save::mark_read_text;
  h.close_transcript = text::close_transcript;
}

// Save files carry the music fields; sound keeps them in its own record.
void capture_music_fields(save::MusicFields& out) {
  sound::MusicState m = sound::music_fields_to_save();
  out.midi_name = m.midi_name;
  out.wave_name = m.wave_name;
  out.cd_track = m.cd_track;
  out.midi_loop = m.midi_loop;
  out.wave_loop = m.wave_loop;
  out.cd_loop = m.cd_loop;
  out.stream_loop = m.stream_loop;
  out.stream_saved = m.stream_saved;
  out.stream_name = m.stream_name;
}

void restore_music_fields(const save::MusicFields& in) {
  sound::MusicState m;
  m.midi_name = in.midi_name;
  m.wave_name = in.wave_name;
  m.cd_track = in.cd_track;
  m.midi_loop = in.midi_loop;
  m.wave_loop = in.wave_loop;
  m.cd_loop = in.cd_loop;
  m.stream_loop = in.stream_loop;
  m.stream_saved = in.stream_saved;
  m.stream_name = in.stream_name;
  sound::restore_music(m);
}

// The persistent records are written at the end and once per long click
// wait; kidokuskip loads the read-text record; the skip menu asks whether
// the current position has been read.
void connect_saves() {
  shell_hooks.save_persistent = save::save_persistent_records;
  shell_hooks.read_state_here = save::read_state_here;
  text::wait_hooks.save_records = save::save_persistent_records;
  text::wait_hooks.open_read_text_record = save::open_read_text_record;
  save::save_hooks.capture_music = capture_music_fields;
  save::save_hooks.stop_sound_for_load = sound::stop_sound_for_load;
  save::save_hooks.restore_music = restore_music_fields;
  // The save and load screens of the system menu.
  ui::ui_hooks.write_save_file = save::write_save_file;
  ui::ui_hooks.load_save_file = save::load_save_file;
  ui::ui_hooks.save_file_time = [](int32_t slot, platform::LocalTime& time) {
    return platform::player_file_time(save::save_file_name(slot), time);
  };
  ui::ui_hooks.save_menu_texts = [](ui::SaveMenuTexts& texts) {
    const save::SaveMenuSettings& s = save::save_menu_settings;
    texts.slot_count = s.slot_count;
    texts.save_title = s.save_title;
    texts.load_title = s.load_title;
    texts.slot_word = s.slot_word;
  };
}

// The window procedure's timer, clicks, CD notices, menu switches and
// teardown reach the sound; the waits ask it about voices and play the
// click voices and the lookback's page sound; the interpreter hands it
// voice words, winexec and the error box's end.
void connect_sound() {
  shell_hooks.timer_tick = sound::poll_music_loops;
  shell_hooks.stop_voice_on_click = sound::cut_voice_on_click;
  shell_hooks.cd_notify = sound::on_cd_notify;
  shell_hooks.play_cd_track = sound::resume_cd_track;
  shell_hooks.stop_cd = sound::stop_and_close_cd;
  shell_hooks.stop_all_sound = sound::stop_sound_at_quit;
  text::WaitHooks& wait = text::wait_hooks;
  wait.wave_voice_playing = sound::wave_voice_playing;
  wait.direct_voice_playing = sound::direct_voice_playing;
  wait.play_click_voice = sound::play_system_sound;
  wait.play_sound_effect = sound::play_system_sound;
  interp::Hooks& h = interp::hooks;
  h.voice_shorthand = sound::play_voice_command;
  h.stop_sound_for_winexec = sound::stop_sound_for_winexec;
  h.stop_all_sound = sound::stop_sound_at_quit;
}

// Settings and dialogs: the environment file is written with the
// persistent records; the define block's modes and the save/load dialog
// reach the selections and the system menu.
void connect_settings() {
  save::persistent_hooks.write_environment = write_environment_file;
  ui::ui_hooks.mode_kanade = [] { return mode_kanade != 0; };
  ui::ui_hooks.mode_saya = [] { return mode_saya != 0; };
  ui::ui_hooks.save_load_dialog = [](bool save) {
    show_save_load_dialog(save ? SaveLoadMode::save : SaveLoadMode::load);
  };
}

}  // namespace

void connect_subsystems() {
  interp::set_command_table(joined_command_table());
  connect_interpreter();
  connect_text_to_pictures();
  connect_pictures_to_window();
  connect_selections();
  connect_saves();
  connect_sound();
  connect_settings();
}

}  // namespace app
