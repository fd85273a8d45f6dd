// sound/channels: the wave device, the 50 sound channels, voices and the interface sounds.
#pragma once
#include <cstdint>
#include <string>

namespace sound {

constexpr int kChannelCount = 50;  // 0 voices, 1..49 effects

// The sound channels (one decoded sound each).
struct SoundChannelTable {
  int32_t ready = 0;  // the layer exists (dsound, or the first load)
  int32_t attenuation[kChannelCount] = {};
  int32_t loaded[kChannelCount] = {};
  int32_t loop[kChannelCount] = {};
  int32_t playing[kChannelCount] = {};  // from a start until the channel is stopped
  std::string name[kChannelCount];      // the sound's name as the script gave it
};
extern SoundChannelTable sound_channels;

// Settings.
extern int32_t waves_enabled;       // menu ボリューム オン/オフ; 1 after every reset
extern int32_t wave_demo_mode;      // mode_wave_demo: sounds also in skip mode
extern int32_t dv_errors_off;       // nodv: a missing file for a channel is ignored
extern int32_t voice_cut_on_click;  // a v voice plays on the wave device
extern int32_t wave_loop_active;    // the timer restarts the wave device

// The wave device: one sound at a time.
void play_wave(const std::string& name, int32_t loop);
void stop_wave();
// False when the wave device loops, holds nothing or has run out.
bool wave_is_playing();
void poll_wave_loop();

// The channels.
void create_sound_layer();
void ds_load_channel(int channel, const std::string& name, bool for_play = false);
void ds_play_channel(int channel, const std::string& name, int32_t loop);
void ds_start_channel(int channel, int32_t loop);
void ds_stop_channel(int channel);
void ds_set_channel_attenuation(int channel, int32_t att);

// A click, select or menu sound: channel 10 once the layer exists, else the
// wave device.
void play_system_sound(const std::string& name);

// A word the dispatcher does not know: dv... plays voice\....wav on channel
// 0, v... on the wave device (cut by the next click). False for any other word.
bool play_voice_command(const std::string& word);

// The waits' questions: a voice on the wave device; a voice on channel 0
// still playing after waiting up to `ms` (a voice that ended is stopped).
bool wave_voice_playing();
bool direct_voice_playing(uint32_t ms);
// A left click: stops a v voice.
void cut_voice_on_click();

// Stops the wave device and every channel (quit).
void stop_all_channels();
// Stops a looping wave device and the looping channels; one-shot sounds play out.
void stop_looping_effects();

// Settings back to their start values (start and every full reset).
void reset_effect_settings();

}  // namespace sound
