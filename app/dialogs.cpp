#include "app/dialogs.h"

#include <algorithm>

#include "app/context.h"
#include "app/input_dialog.h"
#include "app/settings.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/msgbox.h"
#include "platform/sjis.h"
#include "sound/music.h"
#include "sound/volume.h"

namespace app {

namespace {

constexpr char kCancel[] = "ｷｬﾝｾﾙ";  // half-width, as the resources have it
constexpr int kOk = 1, kCancelId = 2, kDriveList = 1003, kSaveList = 1004;
constexpr int kVoiceSlider = 1010, kEffectSlider = 1011, kMusicSlider = 1012;

platform::Dialog dialog_of_size(const char* title, int w, int h) {
  platform::Dialog d;
  d.title = title;
  d.width = platform::dialog_units_x(w);
  d.height = platform::dialog_units_y(h);
  return d;
}

bool is_track_file(const std::string& name) {
  if (name.size() < 6 || name.compare(0, 5, "track") != 0) return false;
  size_t i = 5;
  while (i < name.size() && name[i] >= '0' && name[i] <= '9') ++i;
  return i > 5 && (i == name.size() || name[i] == '.');
}

bool on_cd_drive(platform::Dialog& d, platform::DialogEvent what, int id, void*) {
  if (what == platform::DialogEvent::cancel) return true;
  if (what != platform::DialogEvent::command) return false;
  if (id == kCancelId) return true;
  if (id != kOk) return false;
  const platform::DialogControl& list = d.controls[0];
  set_cd_drive(list.value <= 0 ? "" : platform::utf8_to_sjis(list.items[list.value]));
  // A track that plays moves to the chosen drive.
  if (sound::music_state.cd_track > 0) {
    int32_t track = sound::music_state.cd_track;
    sound::music_state.cd_track = 0;
    if (shell_hooks.stop_cd) shell_hooks.stop_cd();
    sound::music_state.cd_track = track;
    if (shell_hooks.play_cd_track) shell_hooks.play_cd_track();
  }
  return true;
}

bool on_save_load(platform::Dialog&, platform::DialogEvent what, int id, void*) {
  return what == platform::DialogEvent::cancel ||
         (what == platform::DialogEvent::command && (id == kOk || id == kCancelId));
}

void apply_sliders(const platform::Dialog& d) {
  for (const platform::DialogControl& c : d.controls) {
    if (c.id == kVoiceSlider) set_volume_attenuation(Volume::voice, c.value);
    if (c.id == kEffectSlider) set_volume_attenuation(Volume::effect, c.value);
    if (c.id == kMusicSlider) set_volume_attenuation(Volume::music, c.value);
  }
}

bool on_volume(platform::Dialog& d, platform::DialogEvent what, int id, void*) {
  if (what == platform::DialogEvent::changed) {
    apply_sliders(d);
    return false;
  }
  if (what == platform::DialogEvent::cancel || (what == platform::DialogEvent::command && id == kCancelId)) {
    apply_sliders(d);
    return true;
  }
  return false;
}

// One number from the number-input dialog.
int32_t ask_number(const char* prompt_utf8) {
  input_dialog.result = platform::utf8_to_sjis(prompt_utf8);
  input_dialog.default_text.clear();
  input_dialog.max_length = -1;
  input_dialog.full_width_only = 0;
  input_dialog.custom_size = 0;
  show_input_dialog();
  return input_number_value(input_dialog.result);
}

}  // namespace

void show_version_box() {
  platform::show_message_box("バージョン情報",
                             platform::sjis_to_utf8(version_text[0]) + "\n" + platform::sjis_to_utf8(version_text[1]),
                             platform::BoxIcon::information);
}

std::vector<std::string> cd_stand_ins() {
  std::vector<std::string> drives;
  for (const std::string& folder : platform::folder_entries(".", true)) {
    if (folder.size() < 2 || (folder[0] != 'c' && folder[0] != 'C') || (folder[1] != 'd' && folder[1] != 'D')) continue;
    if (!std::all_of(folder.begin() + 2, folder.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    std::vector<std::string> files = platform::folder_entries(folder, false);
    if (std::any_of(files.begin(), files.end(), is_track_file)) drives.push_back(platform::utf8_to_sjis(folder + "\\"));
  }
  return drives;
}

void show_cd_drive_dialog() {
  platform::Dialog d = dialog_of_size("ＣＤドライブ選択", 71, 45);
  platform::DialogControl ok = platform::dialog_control(platform::ControlKind::button, kOk, 7, 24, 25, 14, "OK");
  ok.is_default = true;
  platform::DialogControl cancel =
      platform::dialog_control(platform::ControlKind::button, kCancelId, 36, 24, 28, 14, kCancel);
  // A drop-down list in the resources; here the list is shown open, two
  // rows high above the buttons.
  platform::DialogControl list = platform::dialog_control(platform::ControlKind::list, kDriveList, 7, 2, 57, 21);
  list.items.push_back("デフォルト");
  for (const std::string& drive : cd_stand_ins()) {
    list.items.push_back(platform::sjis_to_utf8(drive));
    if (drive == cd_drive) list.value = static_cast<int>(list.items.size()) - 1;
  }
  list.top_row = std::max(0, list.value - 1);
  d.controls = {list, ok, cancel};
  d.focus = 0;
  platform::run_dialog(d, on_cd_drive, nullptr);
}

void show_save_load_dialog(SaveLoadMode mode) {
  bool save = mode == SaveLoadMode::save;
  platform::Dialog d = dialog_of_size(save ? "セーブメニュー" : "ロードメニュー", 119, 115);
  platform::DialogControl ok =
      platform::dialog_control(platform::ControlKind::button, kOk, 7, 95, 50, 14, save ? "セーブ" : "ロード");
  ok.is_default = true;
  d.controls = {platform::dialog_control(platform::ControlKind::list, kSaveList, 7, 7, 105, 84), ok,
                platform::dialog_control(platform::ControlKind::button, kCancelId, 61, 95, 50, 14, kCancel)};
  d.focus = 0;
  platform::run_dialog(d, on_save_load, nullptr);
}

void show_volume_dialog() {
  platform::Dialog d = dialog_of_size("ボリュームの設定", 140, 120);
  struct Row {
    const char* label;
    int id;
    Volume volume;
  } rows[] = {{"ボイス", kVoiceSlider, Volume::voice},
              {"効果音", kEffectSlider, Volume::effect},
              {"ＢＧＭ", kMusicSlider, Volume::music}};
  for (int i = 0; i < 3; ++i) {
    int x = 10 + i * 40;
    platform::DialogControl label =
        platform::dialog_control(platform::ControlKind::label, 0, x, 4, 36, 10, rows[i].label);
    platform::DialogControl slider =
        platform::dialog_control(platform::ControlKind::slider, rows[i].id, x + 8, 16, 16, 80);
    slider.low = 0;
    slider.high = 100;
    slider.value = volume_attenuation(rows[i].volume);
    if (rows[i].volume == Volume::music && sound::hide_music_slider) slider.enabled = label.enabled = false;
    d.controls.push_back(label);
    d.controls.push_back(slider);
  }
  d.controls.push_back(platform::dialog_control(platform::ControlKind::button, kCancelId, 45, 100, 50, 14, "閉じる"));
  d.controls.back().is_default = true;
  // Without the music slider the dialog is made 140 pixels wide.
  if (sound::hide_music_slider) {
    d.width = 140 - 2;
    d.controls.back().x = (d.width - d.controls.back().w) / 2;
  }
  d.focus = 1;
  platform::run_dialog(d, on_volume, nullptr);
}

void edit_variable_by_number() {
  int32_t n = ask_number("変数番号を入力してください。");
  int32_t value = ask_number("値を入力してください。");
  // A number outside the table is not worth ending the game over.
  if (n >= 0 && n < interp::kVariableCount) interp::NumericVariables[n] = value;
}

void cmd_mesbox() {
  std::string message = interp::read_string();
  interp::expect_comma();
  std::string title = interp::read_string();
  platform::kill_timer(1);
  platform::show_message_box(platform::sjis_to_utf8(title), platform::sjis_to_utf8(message));
  platform::set_timer(1, 100);
}

}  // namespace app
