// sound/music: MIDI, CD audio and stream music, their fades and loops, and stop_all_sound.
#pragma once
#include <cstdint>
#include <string>

namespace sound {

// The music fields that save files keep (texts at most 255 bytes).
struct MusicState {
  std::string midi_name;    // as the script gave it; empty when no MIDI plays
  std::string wave_name;    // the wave device's sound
  std::string stream_name;  // the current stream music
  int32_t cd_track = -1;    // -1 none (9999 for a moment forces a restart)
  int32_t cd_loop = 0;
  int32_t midi_loop = 0;
  int32_t wave_loop = 0;
  int32_t stream_loop = 0;
  int32_t midi_device = 0;   // 0: no MIDI open
  int32_t stream_saved = 0;  // the stream music is written into save files
};
extern MusicState music_state;

// CD device state and settings.
extern int32_t cd_enabled;  // menu CD-DA再生 オン/オフ; 1 after every reset
extern int32_t cd_open;
extern int32_t cd_playing;
extern int32_t cd_open_failed;
extern int32_t cd_track_count;
extern int32_t cd_not_playing_ticks;
extern int32_t cd_fade_ms;        // cdfadeout; 1000 after every reset
extern int32_t music_fade_ms;     // mp3fadeout; 0 after every reset
extern int32_t cd_fade_disabled;  // "cdfadeoff" in config.txt
extern int32_t music_graph_active;

void play_midi(const std::string& name, int32_t loop);
void stop_midi();
void play_cd_track(int32_t track, int32_t loop);
void stop_cd();
void close_cd_device();
void play_stream_music(const std::string& name, int32_t loop);
void stop_stream_music();
void set_music_attenuation(int32_t att);

// Clears the loop flags and stops CD and MIDI; with effects also a looping
// wave device and the looping channels; then stream music and a film that
// plays (its sound at once).
void stop_all_sound(bool with_effects);

// Every 100 ms timer tick: CD, MIDI, stream and wave device loops.
void poll_music_loops();
// The CD stand-in's end-of-track notice (success).
void on_cd_notify(int32_t code);

// For save files: the fields to write (stream_name only when stream_saved),
// and the playback a loaded game restores: stops everything but one-shot
// effects and restarts CD, MIDI, a looping wave and stream music from `saved`.
MusicState music_fields_to_save();
void restore_music(MusicState saved);

// The menu's CD switch. Switched on again: the CD track that was asked for
// plays again (without a fade, as nothing sounded). Switched off: the CD
// stops and its device closes; the track asked for is kept.
void resume_cd_track();
void stop_and_close_cd();

}  // namespace sound
