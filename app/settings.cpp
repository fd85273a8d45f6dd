#include "app/settings.h"

#include <algorithm>
#include <cstring>

#include "app/context.h"
#include "app/menu_custom.h"
#include "platform/cd_folder.h"
#include "platform/files.h"
#include "platform/player_files.h"
#include "platform/messages.h"
#include "platform/sjis.h"
#include "sound/music.h"
#include "sound/volume.h"
#include "text/wait.h"

namespace app {

std::string cd_drive;

namespace {

constexpr size_t kMaxText = 259;               // texts of the file: face names and root paths
constexpr size_t kMaxEnvironmentFile = 65536;  // far above any real file
constexpr size_t kMaxConfigFile = 1 << 20;

void put_int(std::string& out, int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xff));
}

void put_text(std::string& out, const std::string& text) {
  // A zero byte inside would end the text early when read back.
  out.append(text.substr(0, std::min(text.find('\0'), kMaxText)));
  out.push_back('\0');
}

int32_t get_int(std::string_view bytes, size_t& at) {
  if (bytes.size() - at < 4) {
    at = bytes.size();
    return 0;
  }
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  at += 4;
  return static_cast<int32_t>(u);
}

std::string get_text(std::string_view bytes, size_t& at) {
  size_t end = bytes.find('\0', at);
  size_t stop = end == std::string_view::npos ? bytes.size() : end;
  std::string text(bytes.substr(at, std::min(stop - at, kMaxText)));
  at = end == std::string_view::npos ? bytes.size() : end + 1;
  return text;
}

int32_t clamp_attenuation(int32_t a) { return std::clamp(a, 0, 100); }

}  // namespace

int32_t volume_attenuation(Volume which) {
  switch (which) {
    case Volume::voice: return sound::get_voice_attenuation();
    case Volume::effect: return sound::get_effect_attenuation();
    case Volume::music: return sound::get_music_attenuation();
  }
  return 0;
}

void set_volume_attenuation(Volume which, int32_t attenuation) {
  attenuation = clamp_attenuation(attenuation);
  switch (which) {
    case Volume::voice: sound::set_voice_attenuation(attenuation); break;
    case Volume::effect: sound::set_effect_attenuation(attenuation); break;
    case Volume::music: sound::set_music_attenuation(attenuation); break;
  }
}

void set_cd_drive(const std::string& drive) {
  cd_drive = drive;
  // "cd2\" names the folder cd2; the default device is the folder "cd".
  std::string folder = drive.substr(0, drive.find_last_not_of("\\/") + 1);
  platform::set_cd_folder(folder.empty() ? "cd" : folder);
}

void apply_config_text(std::string_view text) {
  // Lines are read 255 bytes at a time, so a longer line counts as several.
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    size_t line_end = end == std::string_view::npos ? text.size() : end + 1;
    for (size_t piece = at; piece < line_end; piece += 255) {
      std::string_view line = text.substr(piece, std::min<size_t>(255, line_end - piece));
      if (line.substr(0, 9) == "cdfadeoff") sound::cd_fade_disabled = 1;
    }
    at = line_end;
  }
}

void read_config_file() {
  std::string text;
  if (!platform::read_file_prefix("config.txt", kMaxConfigFile, text)) return;
  apply_config_text(text);
}

std::string encode_environment(const EnvironmentRecord& r) {
  std::string out;
  put_int(out, r.full_screen);
  put_int(out, r.waves_enabled);
  put_int(out, r.text_speed);
  put_int(out, r.page_click_mode);
  put_text(out, r.font_name);
  put_int(out, r.cd_enabled);
  put_text(out, r.cd_drive);
  put_int(out, r.voice_attenuation);
  put_int(out, r.effect_attenuation);
  put_int(out, r.music_attenuation);
  put_int(out, r.read_skip);
  return out;
}

EnvironmentRecord decode_environment(std::string_view bytes) {
  EnvironmentRecord r;
  size_t at = 0;
  r.full_screen = get_int(bytes, at);
  r.waves_enabled = get_int(bytes, at);
  r.text_speed = get_int(bytes, at);
  r.page_click_mode = get_int(bytes, at);
  r.font_name = get_text(bytes, at);
  r.cd_enabled = get_int(bytes, at);
  r.cd_drive = get_text(bytes, at);
  r.voice_attenuation = get_int(bytes, at);
  r.effect_attenuation = get_int(bytes, at);
  r.music_attenuation = get_int(bytes, at);
  r.read_skip = get_int(bytes, at);
  return r;
}

EnvironmentRecord current_environment() {
  EnvironmentRecord r;
  r.full_screen = app_context->full_screen;
  r.waves_enabled = waves_enabled;
  r.text_speed = text_speed_setting;
  r.page_click_mode = text::page_click_mode;
  r.font_name = menu_font_face;
  r.cd_enabled = cd_enabled;
  r.cd_drive = cd_drive;
  r.voice_attenuation = volume_attenuation(Volume::voice);
  r.effect_attenuation = volume_attenuation(Volume::effect);
  r.music_attenuation = volume_attenuation(Volume::music);
  r.read_skip = text::read_skip_only;
  return r;
}

void write_environment_file() {
  std::string bytes = encode_environment(current_environment());
  platform::write_player_file("envdata", bytes.data(), bytes.size());
}

bool apply_environment_file() {
  std::string bytes;
  if (!platform::player_file_exists("envdata") ||
      !platform::read_file_prefix(platform::player_file_path("envdata"), kMaxEnvironmentFile, bytes))
    return false;
  EnvironmentRecord r = decode_environment(bytes);
  // Attenuations outside 0..100 (a damaged file) are brought into range.
  set_volume_attenuation(Volume::voice, r.voice_attenuation);
  set_volume_attenuation(Volume::effect, r.effect_attenuation);
  set_volume_attenuation(Volume::music, r.music_attenuation);
  text::read_skip_only = r.read_skip;
  set_cd_drive(r.cd_drive);
  menu_font_face = r.font_name;
  if (r.full_screen) platform::post_command(40002);
  if (!r.waves_enabled) platform::post_command(40018);
  if (!r.cd_enabled) platform::post_command(40022);
  if (!r.read_skip) platform::post_command(40026);
  if (r.page_click_mode) platform::post_command(40007);
  if (r.text_speed >= 0 && r.text_speed <= 2) platform::post_command(40014 + r.text_speed);
  if (r.font_name == platform::utf8_to_sjis("ＭＳ ゴシック")) {
    platform::post_command(40004);
  } else {
    int32_t id = font_menu_id(r.font_name);
    if (id >= 0) platform::post_command(id);
  }
  for (int i = 0; i < 100; ++i) text::pump_one_message();
  return true;
}

void reset_settings() { sound::hide_music_slider = 0; }

void reset_player_settings() {
  set_cd_drive("");
}

}  // namespace app
