#include "sound/channels.h"

#include <cstdio>

#include "platform/audio.h"
#include "platform/clock.h"
#include "sound/media.h"
#include "sound/music.h"
#include "sound/sounding.h"
#include "sound/volume.h"
#include "text/wait.h"

namespace sound {

SoundChannelTable sound_channels;
int32_t waves_enabled = 1;
int32_t wave_demo_mode = 0;
int32_t dv_errors_off = 0;
int32_t voice_cut_on_click = 0;
int32_t wave_loop_active = 0;

namespace {

bool sounds_allowed() { return waves_enabled && !(text::skip_mode && !wave_demo_mode); }

bool channel_ok(int channel) { return channel >= 0 && channel < kChannelCount; }

// Decodes the file onto a mixer channel; -1 (with a warning) when it cannot.
int64_t load_file(int mixer_channel, const MediaFile& file, const std::string& name) {
  std::string error;
  int64_t ms = platform::audio_load(mixer_channel, file.path, error);
  if (ms < 0) std::fprintf(stderr, "orvane: sound %s is silent: %s\n", name.c_str(), error.c_str());
  return ms;
}

int64_t wave_length = -1;                    // ms of the wave device's sound
int64_t channel_length[kChannelCount] = {};  // ms of each channel's sound

}  // namespace

void play_wave(const std::string& name, int32_t loop) {
  stop_wave();
  if (name.empty() || !sounds_allowed()) return;
  MediaFile file;
  if (!resolve_media_file(name, file)) return;
  if (!sound_press_step(file, name, PressKind::wave)) return;
  music_state.wave_loop = loop;
  music_state.wave_name = name.substr(0, 255);
  wave_loop_active = 0;
  wave_length = load_file(platform::kWaveDeviceChannel, file, name);
  release_media_file(file);
  wave_loop_active = loop;
  if (wave_length < 0) return;
  platform::audio_play(platform::kWaveDeviceChannel, false);
  note_play(kWaveTarget, name, loop ? Repeat::by_program : Repeat::once, wave_length);
}

void stop_wave() {
  wave_loop_active = 0;
  platform::audio_unload(platform::kWaveDeviceChannel);
  note_stop(kWaveTarget);
  wave_length = -1;
  music_state.wave_name.clear();
}

bool wave_is_playing() { return !wave_loop_active && target_state(kWaveTarget) == TargetState::sounding; }

void poll_wave_loop() {
  if (wave_loop_active != 1 || wave_length < 0) return;
  sweep_ends();
  if (target_state(kWaveTarget) != TargetState::ended) return;
  platform::audio_play(platform::kWaveDeviceChannel, false);
  note_play(kWaveTarget, music_state.wave_name, Repeat::by_program, wave_length);
}

void create_sound_layer() {
  if (sound_channels.ready) return;
  if (!platform::audio_start()) return;
  sound_channels.ready = 1;
  // Nothing is loaded yet, and every start sets its channel's attenuation
  // again: nothing to apply or record.
  for (int c = 0; c < kChannelCount; ++c) sound_channels.attenuation[c] = 0;
}

void ds_load_channel(int channel, const std::string& name, bool for_play) {
  if (!channel_ok(channel)) return;
  ds_stop_channel(channel);
  if (name.empty() || !sounds_allowed()) return;
  MediaFile file;
  if (!resolve_media_file(name, file, for_play && dv_errors_off)) return;
  if (!sound_press_step(file, name, PressKind::wave)) return;
  create_sound_layer();
  int64_t ms = sound_channels.ready ? load_file(channel, file, name) : -1;
  release_media_file(file);
  if (ms < 0) return;
  sound_channels.loaded[channel] = 1;
  sound_channels.name[channel] = name;
  channel_length[channel] = ms;
}

void ds_play_channel(int channel, const std::string& name, int32_t loop) {
  ds_load_channel(channel, name, true);
  ds_start_channel(channel, loop);
}

void ds_start_channel(int channel, int32_t loop) {
  if (!channel_ok(channel)) return;
  sound_channels.loop[channel] = loop;
  sound_channels.playing[channel] = 1;
  ds_set_channel_attenuation(channel, channel == 0 ? voice_attenuation : effect_attenuation);
  if (!sound_channels.loaded[channel]) return;
  platform::audio_play(channel, loop != 0);
  note_play(channel_target(channel), sound_channels.name[channel], loop ? Repeat::by_mixer : Repeat::once,
            channel_length[channel]);
}

void ds_stop_channel(int channel) {
  if (!channel_ok(channel)) return;
  sound_channels.playing[channel] = 0;
  if (!sound_channels.loaded[channel]) return;
  sound_channels.loaded[channel] = 0;
  platform::audio_unload(channel);
  note_stop(channel_target(channel));
}

void ds_set_channel_attenuation(int channel, int32_t att) {
  if (!channel_ok(channel)) return;
  sound_channels.attenuation[channel] = att;
  if (sound_channels.loaded[channel]) platform::audio_set_volume(channel, platform::mixer_volume(att));
  note_volume(channel_target(channel), att);
}

void play_system_sound(const std::string& name) {
  if (sound_channels.ready)
    ds_play_channel(10, name, 0);
  else
    play_wave(name, 0);
}

bool play_voice_command(const std::string& word) {
  auto is = [&](size_t i, char c) { return word.size() > i && (word[i] == c || word[i] == c - 32); };
  if (is(0, 'd') && is(1, 'v')) {
    ds_play_channel(0, "voice\\" + word.substr(2) + ".wav", 0);
    return true;
  }
  if (is(0, 'v')) {
    voice_cut_on_click = 1;
    play_wave("voice\\" + word.substr(1) + ".wav", 0);
    return true;
  }
  return false;
}

bool wave_voice_playing() { return wave_is_playing(); }

bool direct_voice_playing(uint32_t ms) {
  if (!sound_channels.playing[0]) return false;
  sweep_ends();
  TargetState state = target_state(channel_target(0));
  if (state == TargetState::sounding) {
    if (sound_channels.loop[0]) {
      platform::sleep_ms(ms);
      return true;
    }
    uint32_t left = target_end(channel_target(0)) - platform::clock_ms();
    platform::sleep_ms(left < ms ? left : ms);
    if (left >= ms) return true;
    sweep_ends();
  }
  ds_stop_channel(0);
  return false;
}

void cut_voice_on_click() {
  if (!voice_cut_on_click) return;
  stop_wave();
  voice_cut_on_click = 0;
}

void stop_all_channels() {
  stop_wave();
  for (int c = 0; c < kChannelCount; ++c) ds_stop_channel(c);
}

void stop_looping_effects() {
  if (wave_loop_active) stop_wave();
  for (int c = 0; c < kChannelCount; ++c)
    if (sound_channels.loop[c]) ds_stop_channel(c);
}

void reset_effect_settings() {
  waves_enabled = 1;
  wave_demo_mode = 0;
  dv_errors_off = 0;
  voice_cut_on_click = 0;
}

}  // namespace sound
