// sound/volume: the voice, effect and music attenuations, and the CD volume.
#pragma once
#include <cstdint>

namespace sound {

// 0 (full) .. 100 (silent); scripts see 100 minus these. Kept for the whole
// run (a reset leaves them); the environment file stores them.
extern int32_t voice_attenuation;   // channel 0
extern int32_t effect_attenuation;  // channels 1..49
extern int32_t music_attenuation;   // stream music and video sound
extern int32_t hide_music_slider;   // delbgmvol: the volume dialog's music slider is disabled
extern int32_t cd_restore_volume;   // set at exit when not -1

// For the volume dialog and the environment file: each setter stores the
// attenuation (clamped to 0..100) and applies it at once, as the dialog's
// sliders do (voice to channel 0, effects to channels 1..49, music to the
// stream and the video sound).
int32_t get_voice_attenuation();
int32_t get_effect_attenuation();
int32_t get_music_attenuation();
void set_voice_attenuation(int32_t att);
void set_effect_attenuation(int32_t att);
// set_music_attenuation is music's own (sound/music.h).

// The CD stand-in's volume control, in the raw units of a mixer line
// (0..65535; the stand-in starts at full). get_cd_volume reads it,
// set_cd_volume sets it (below 0 becomes 0, above 65535 the top).
constexpr int32_t kCdVolumeTop = 65535;
int32_t get_cd_volume();
void set_cd_volume(int32_t v);
// Applies the CD volume to the CD channel (after a track is loaded).
void apply_cd_volume();

// Back to the start of the program (tests): full volumes, no restore value.
void reset_volumes();

}  // namespace sound
