// app/settings: the configuration file "config.txt", the environment file "envdata" and the three volumes.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace app {

// The CD drive chosen in the drive dialog (Shift-JIS root path; "" is the
// system's default device): a folder of the game that stands in for it.
extern std::string cd_drive;
void set_cd_drive(const std::string& drive);

// The three player volumes as attenuations, 0 (full) to 100 (silent).
enum class Volume { voice, effect, music };
int32_t volume_attenuation(Volume which);
// Stores one attenuation (clamped to 0..100) in the sound code, which
// applies it at once.
void set_volume_attenuation(Volume which, int32_t attenuation);

// Reads "config.txt" once at start-up; a missing file changes nothing. A
// line beginning with "cdfadeoff" switches the CD fade off.
void read_config_file();
// The same rule over the file's bytes: lines of up to 255 bytes (a longer
// line counts as several).
void apply_config_text(std::string_view text);

// The fields of "envdata" in file order.
struct EnvironmentRecord {
  int32_t full_screen = 0;
  int32_t waves_enabled = 1;
  int32_t text_speed = 1;
  int32_t page_click_mode = 0;
  std::string font_name;  // Shift-JIS
  int32_t cd_enabled = 1;
  std::string cd_drive;  // Shift-JIS
  int32_t voice_attenuation = 0;
  int32_t effect_attenuation = 0;
  int32_t music_attenuation = 0;
  int32_t read_skip = 0;
};
// The file's bytes: 4-byte little-endian integers, texts ending with a zero
// byte.
std::string encode_environment(const EnvironmentRecord& r);
// Reads the fields in order: an integer that the bytes do not hold is 0, a
// text ends at a zero byte or at the end (at most 259 bytes are kept).
EnvironmentRecord decode_environment(std::string_view bytes);

// The current settings as the file keeps them.
EnvironmentRecord current_environment();
// Writes "envdata" atomically; a failure leaves the old file.
void write_environment_file();
// When "envdata" exists: takes the volumes and the read-text skip, makes its
// font the current one, posts the menu commands of its settings and pumps
// the messages so that they take effect. False when there is no file.
bool apply_environment_file();

// A full reset: the settings a define block sets go back to their defaults.
void reset_settings();
// Program start: the player's settings (volumes, CD drive, config.txt's)
// at their defaults; a reset keeps them.
void reset_player_settings();

}  // namespace app
