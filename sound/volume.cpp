#include "sound/volume.h"

#include <algorithm>

#include "platform/audio.h"
#include "sound/channels.h"
#include "sound/sounding.h"

namespace sound {

int32_t voice_attenuation = 0;
int32_t effect_attenuation = 0;
int32_t music_attenuation = 0;
int32_t hide_music_slider = 0;
int32_t cd_restore_volume = -1;

namespace {

int32_t cd_volume = kCdVolumeTop;

}  // namespace

int32_t get_voice_attenuation() { return voice_attenuation; }
int32_t get_effect_attenuation() { return effect_attenuation; }
int32_t get_music_attenuation() { return music_attenuation; }

void set_voice_attenuation(int32_t att) {
  voice_attenuation = std::clamp(att, 0, 100);
  ds_set_channel_attenuation(0, voice_attenuation);
}

void set_effect_attenuation(int32_t att) {
  effect_attenuation = std::clamp(att, 0, 100);
  for (int c = 1; c < kChannelCount; ++c) ds_set_channel_attenuation(c, effect_attenuation);
}

int32_t get_cd_volume() { return cd_volume; }

void set_cd_volume(int32_t v) {
  cd_volume = std::clamp(v, 0, kCdVolumeTop);
  apply_cd_volume();
  // The record speaks in attenuations: the share of the range below the top.
  note_volume(kCdTarget, static_cast<int>((kCdVolumeTop - cd_volume) * 100LL / kCdVolumeTop));
}

void apply_cd_volume() {
  platform::audio_set_volume(platform::kCdChannel, static_cast<int>(cd_volume * 128LL / kCdVolumeTop));
}

void reset_volumes() {
  voice_attenuation = effect_attenuation = music_attenuation = 0;
  hide_music_slider = 0;
  cd_restore_volume = -1;
  cd_volume = kCdVolumeTop;
}

}  // namespace sound
