#include "sound/commands.h"

#include <cstdio>
#include <cstdlib>

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/targets.h"
#include "interp/variables.h"
#include "sound/channels.h"
#include "sound/media.h"
#include "sound/music.h"
#include "sound/sounding.h"
#include "sound/volume.h"

namespace sound {

namespace {

// "*N" is CD track N (digits after the star; anything else counts as 0).
void play_music(int32_t loop) {
  std::string name = interp::read_string();
  if (!name.empty() && name[0] == '*')
    play_cd_track(static_cast<int32_t>(std::strtol(name.c_str() + 1, nullptr, 10)), loop);
  else
    play_midi(name, loop);
}

void play_stream(int32_t loop, int32_t saved) {
  std::string name = interp::read_string();
  play_stream_music(name, loop);
  music_state.stream_saved = saved;
}

// The channel argument; a number outside 0..49 is reported on standard
// error and the command does nothing.
bool read_channel(const char* command, int32_t& channel) {
  channel = interp::read_number();
  if (channel >= 0 && channel < kChannelCount) return true;
  std::fprintf(stderr, "orvane: %s: no channel %d (0..49); ignored\n", command, channel);
  return false;
}

void channel_sound(const char* command, int32_t loop, bool load_only) {
  int32_t channel;
  bool ok = read_channel(command, channel);
  interp::expect_comma();
  std::string name = interp::read_string();
  if (!ok) return;
  if (name.empty())
    ds_stop_channel(channel);
  else if (load_only)
    ds_load_channel(channel, name);
  else
    ds_play_channel(channel, name, loop);
}

// Reads a script volume (0..100) as an attenuation; outside that range the
// run ends with the error box.
int32_t read_volume() {
  int32_t att = 100 - interp::read_number();
  if (att < 0 || att > 100) interp::report_errorf("エラー", "ボリュームは０～１００です。");
  return att;
}

void store_number(const char* message_utf8, int32_t value) {
  interp::numeric_variable(interp::read_numeric_target(message_utf8)) = value;
  interp::apply_intlimits();
}

}  // namespace

void cmd_mp3fadeout() { music_fade_ms = interp::read_number(); }
void cmd_cdfadeout() { cd_fade_ms = interp::read_number(); }

void cmd_stop() {
  stop_cd();
  stop_midi();
  stop_wave();
  stop_stream_music();
}

void cmd_mp3() { play_stream(0, 0); }
void cmd_mp3save() { play_stream(0, 1); }
void cmd_mp3loop() { play_stream(1, 1); }
void cmd_play() { play_music(1); }
void cmd_playonce() { play_music(0); }

void cmd_playstop() {
  stop_cd();
  stop_midi();
}

void cmd_mode_wave_demo() { wave_demo_mode = 1; }
void cmd_nodv() { dv_errors_off = 1; }
void cmd_dsound() { create_sound_layer(); }
void cmd_soundpressplgin() { add_sound_press_entry(interp::read_string()); }

void cmd_wave() {
  std::string name = interp::read_string();
  voice_cut_on_click = 0;
  if (name.empty())
    stop_wave();
  else
    play_wave(name, 0);
}

void cmd_waveloop() {
  std::string name = interp::read_string();
  voice_cut_on_click = 0;
  play_wave(name, 1);
}

void cmd_wavestop() { stop_wave(); }
void cmd_dwave() { channel_sound("dwave", 0, false); }

void cmd_dwaveloop() {
  voice_cut_on_click = 0;
  channel_sound("dwaveloop", 1, false);
}

void cmd_dwaveload() { channel_sound("dwaveload", 0, true); }

void cmd_dwaveplay() {
  int32_t channel;
  if (read_channel("dwaveplay", channel)) ds_start_channel(channel, 0);
}

void cmd_dwaveplayloop() {
  int32_t channel;
  if (read_channel("dwaveplayloop", channel)) ds_start_channel(channel, 1);
}

void cmd_dwavestop() {
  int32_t channel;
  if (read_channel("dwavestop", channel)) ds_stop_channel(channel);
}

void cmd_getcdvol() { store_number("movの第一引数は数字変数です。", get_cd_volume()); }
void cmd_setcdvol() { set_cd_volume(interp::read_number()); }
void cmd_setcdrestorevol() { cd_restore_volume = interp::read_number(); }
void cmd_resetcdrestorevol() { cd_restore_volume = -1; }

void cmd_restorecdvol() {
  if (cd_restore_volume != -1) set_cd_volume(cd_restore_volume);
}

void cmd_delbgmvol() { hide_music_slider = 1; }

void cmd_voicevol() {
  voice_attenuation = read_volume();
  ds_set_channel_attenuation(0, voice_attenuation);
}

void cmd_sevol() {
  effect_attenuation = read_volume();
  for (int c = 1; c < kChannelCount; ++c) ds_set_channel_attenuation(c, effect_attenuation);
}

void cmd_mp3vol() { set_music_attenuation(read_volume()); }

void cmd_getvoicevol() { store_number("getvoicevolの第一引数は数字変数です。", 100 - voice_attenuation); }
void cmd_getsevol() { store_number("getsevolの第一引数は数字変数です。", 100 - effect_attenuation); }

void cmd_chvol() {
  int32_t channel;
  bool ok = read_channel("chvol", channel);
  interp::expect_comma();
  int32_t volume = interp::read_number();
  if (!ok) return;
  if (volume == -1) ds_stop_channel(channel);
  ds_set_channel_attenuation(channel, 100 - volume);
}

void cmd_voltest() {}

void reset_sound() {
  stop_all_sound(true);
  music_state.cd_track = -1;
  music_state.midi_name.clear();
  music_state.stream_name.clear();
  cd_enabled = 1;
  cd_fade_ms = 1000;
  music_fade_ms = 0;
  sound_press_entries.clear();
  reset_effect_settings();
}

void reset_sound_to_start() {
  int32_t cd_fade = cd_fade_ms, music_fade = music_fade_ms;
  cd_fade_ms = music_fade_ms = 0;
  stop_all_sound(true);
  cd_fade_ms = cd_fade;
  music_fade_ms = music_fade;
  close_cd_device();
  music_state.cd_track = -1;
  music_state.midi_name.clear();
  music_state.wave_name.clear();
  music_state.stream_name.clear();
  music_state.stream_saved = 0;
}

void reset_sound_state() {
  cd_fade_ms = music_fade_ms = 0;
  stop_all_sound(true);
  stop_all_channels();
  close_cd_device();
  sound_channels = SoundChannelTable();
  music_state = MusicState();
  cd_fade_disabled = 0;
  reset_volumes();
  reset_sounding();
  reset_sound();
}

void stop_sound_for_winexec() {
  stop_cd();
  close_cd_device();
  stop_wave();
}

void stop_sound_for_load() {
  int32_t cd_fade = cd_fade_ms, music_fade = music_fade_ms;
  cd_fade_ms = music_fade_ms = 0;
  stop_all_sound(false);
  close_cd_device();
  stop_wave();
  for (int c = 0; c < kChannelCount; ++c)
    if (sound_channels.loop[c]) ds_stop_channel(c);
  cd_fade_ms = cd_fade;
  music_fade_ms = music_fade;
}

void stop_sound_at_quit() {
  cd_fade_ms = music_fade_ms = 0;
  stop_all_sound(true);
  stop_all_channels();
  close_cd_device();
  if (cd_restore_volume != -1) set_cd_volume(cd_restore_volume);
}

}  // namespace sound
