#include "sound/music.h"

#include <cstdio>

#include "platform/audio.h"
#include "platform/cd_folder.h"
#include "platform/clock.h"
#include "sound/channels.h"
#include "sound/media.h"
#include "sound/sounding.h"
#include "sound/video.h"
#include "sound/volume.h"

namespace sound {

MusicState music_state;
int32_t cd_enabled = 1;
int32_t cd_open = 0;
int32_t cd_playing = 0;
int32_t cd_open_failed = 0;
int32_t cd_track_count = 0;
int32_t cd_not_playing_ticks = 0;
int32_t cd_fade_ms = 1000;
int32_t music_fade_ms = 0;
int32_t cd_fade_disabled = 0;
int32_t music_graph_active = 0;

namespace {

int64_t midi_length = -1;
bool cd_notice_pending = false;  // the playing track's end is still to be told

// Holds a fade time at a value for a scope.
struct HeldFade {
  int32_t& slot;
  int32_t saved;
  HeldFade(int32_t& s, int32_t v) : slot(s), saved(s) { slot = v; }
  ~HeldFade() { slot = saved; }
};

void warn_silent(const std::string& name, const std::string& error) {
  std::fprintf(stderr, "orvane: music %s is silent: %s\n", name.c_str(), error.c_str());
}

// The CD counts as playing while enabled, open and not run out.
bool cd_is_playing() { return cd_enabled && cd_open && target_state(kCdTarget) == TargetState::sounding; }

void open_cd_device() {
  if (!cd_enabled) return;
  if (cd_open) close_cd_device();
  cd_track_count = platform::cd_track_count();
  if (cd_track_count <= 0) {
    cd_open_failed = 1;
    return;
  }
  cd_open_failed = 0;
  cd_open = 1;
}

// Plays `track` of the stand-in disc from its start to its end.
void start_cd_track(int32_t track) {
  if (!cd_enabled) return;
  // A folder that is not there does not appear within the half second a
  // drive gets to spin up: one attempt.
  if (!cd_open) open_cd_device();
  if (!cd_open) return;
  if (cd_playing) {
    platform::audio_unload(platform::kCdChannel);
    note_stop(kCdTarget);
    cd_playing = 0;
  }
  if (cd_track_count == 1) return;  // a disc of one (data) track never plays
  if (track > cd_track_count) track = cd_track_count;
  std::string path = platform::cd_track_path(track);
  std::string error = "no file for track " + std::to_string(track);
  int64_t ms = path.empty() ? -1 : platform::audio_load(platform::kCdChannel, path, error);
  if (ms < 0) {
    warn_silent("cd track " + std::to_string(track), error);
    return;
  }
  apply_cd_volume();
  platform::audio_play(platform::kCdChannel, false);
  cd_playing = 1;
  cd_notice_pending = true;
  note_play(kCdTarget, std::to_string(track), music_state.cd_loop ? Repeat::by_program : Repeat::once, ms);
}

void halt_cd() {
  if (cd_enabled && cd_open && cd_playing) {
    platform::audio_unload(platform::kCdChannel);
    note_stop(kCdTarget);
  }
  cd_playing = 0;
  cd_notice_pending = false;
}

void restart_cd_track() {
  HeldFade hold(cd_fade_ms, 0);
  int32_t track = music_state.cd_track;
  music_state.cd_track = 9999;
  play_cd_track(track, 1);
}

void apply_stream_attenuation(int32_t att) {
  platform::audio_set_volume(platform::kStreamChannel, platform::mixer_volume(att));
  note_volume(kStreamTarget, att);
}

}  // namespace

void play_midi(const std::string& name, int32_t loop) {
  stop_midi();
  music_state.midi_loop = 0;
  if (name.empty()) return;
  music_state.midi_name = name.substr(0, 255);
  MediaFile file;
  if (!resolve_media_file(name, file)) return;
  if (!sound_press_step(file, name, PressKind::midi)) return;
  std::string error;
  midi_length = platform::midi_load(file.path, error);
  release_media_file(file);
  if (midi_length < 0) {
    warn_silent(name, error);
    return;
  }
  music_state.midi_device = 1;
  music_state.midi_loop = loop;
  platform::midi_play();
  note_play(kMidiTarget, name, loop ? Repeat::by_program : Repeat::once, midi_length);
}

void stop_midi() {
  if (music_state.midi_device) {
    platform::midi_unload();
    note_stop(kMidiTarget);
  }
  music_state.midi_device = 0;
  music_state.midi_name.clear();
  midi_length = -1;
}

void play_cd_track(int32_t track, int32_t loop) {
  if (track == 0) {
    stop_cd();
    return;
  }
  if (track != music_state.cd_track || !cd_is_playing()) {
    stop_cd();
    music_state.cd_track = track;
    music_state.cd_loop = loop;
    start_cd_track(track);
  }
}

void stop_cd() {
  if (music_state.cd_track == -1) return;
  if (cd_fade_ms <= 0 || cd_fade_disabled || !cd_enabled) {
    halt_cd();
    music_state.cd_track = -1;
    return;
  }
  // The fade blocks: 99 steps down from the volume, the stop, a second of
  // rest, and the volume back for the next track.
  music_state.cd_track = -1;
  const int32_t v = get_cd_volume();
  int64_t level = 99LL * v;
  for (int i = 0; i < 99; ++i) {
    uint32_t t0 = platform::clock_ms();
    set_cd_volume(static_cast<int32_t>(level / 100));
    int32_t left = cd_fade_ms / 100 - static_cast<int32_t>(platform::clock_ms() - t0);
    platform::sleep_ms(left > 1 ? left : 1);
    level -= v;
  }
  halt_cd();
  platform::sleep_ms(1000);
  set_cd_volume(v);
}

void close_cd_device() {
  if (cd_open) halt_cd();
  cd_open = 0;
}

void play_stream_music(const std::string& name, int32_t loop) {
  stop_stream_music();
  music_state.stream_loop = 0;
  if (name.empty()) return;
  music_state.stream_name = name.substr(0, 255);
  MediaFile file;
  if (!resolve_media_file(name, file)) return;
  std::string error;
  int64_t ms = platform::audio_load(platform::kStreamChannel, file.path, error);
  release_media_file(file);
  if (ms < 0) {
    warn_silent(name, error);
    return;
  }
  music_graph_active = 1;
  set_music_attenuation(music_attenuation);
  platform::audio_play(platform::kStreamChannel, false);
  music_state.stream_loop = loop;
  note_play(kStreamTarget, name, loop ? Repeat::by_program : Repeat::once, ms);
}

void stop_stream_music() {
  if (music_state.stream_name.empty() || !music_graph_active) return;
  if (music_fade_ms > 0) {
    const int32_t a0 = music_attenuation;
    int32_t step_time = a0 != 100 ? music_fade_ms / (100 - a0) : 10;
    int32_t step = 1;
    for (int32_t a = a0; a < 100; a += step) {
      uint32_t t0 = platform::clock_ms();
      apply_stream_attenuation(a);
      int32_t left = step_time - static_cast<int32_t>(platform::clock_ms() - t0);
      if (left > 0) {
        platform::sleep_ms(left);
      } else {
        platform::sleep_ms(1);
        step *= 2;
        step_time *= 2;
      }
    }
    platform::audio_halt(platform::kStreamChannel);  // not heard again at a0
    apply_stream_attenuation(a0);
  }
  music_graph_active = 0;
  music_state.stream_loop = 0;
  platform::audio_unload(platform::kStreamChannel);
  note_stop(kStreamTarget);
  music_state.stream_name.clear();
}

void set_music_attenuation(int32_t att) {
  music_attenuation = att;
  if (music_graph_active) apply_stream_attenuation(att);
  apply_film_attenuation(att);
}

void stop_all_sound(bool with_effects) {
  music_state.cd_loop = music_state.midi_loop = music_state.wave_loop = music_state.stream_loop = 0;
  stop_cd();
  stop_midi();
  if (with_effects) stop_looping_effects();
  stop_stream_music();
  stop_film();
}

void poll_music_loops() {
  sweep_ends();
  // The stand-in's end-of-track notice comes with the first tick after the end.
  if (cd_notice_pending && cd_playing && target_state(kCdTarget) == TargetState::ended) {
    cd_notice_pending = false;
    on_cd_notify(1);
  }
  if (music_state.cd_loop && music_state.cd_track != -1 && !cd_is_playing()) {
    if (++cd_not_playing_ticks > 10) {
      cd_not_playing_ticks = 0;
      restart_cd_track();
    }
  }
  if (music_state.midi_loop && music_state.midi_device && target_state(kMidiTarget) == TargetState::ended) {
    platform::midi_play();
    note_play(kMidiTarget, music_state.midi_name, Repeat::by_program, midi_length);
  }
  if (music_state.stream_loop && target_state(kStreamTarget) == TargetState::ended) {
    HeldFade hold(music_fade_ms, 0);
    std::string name = music_state.stream_name;
    play_stream_music(name, 1);
  }
  poll_wave_loop();
}

void on_cd_notify(int32_t code) {
  if (code == 1 && music_state.cd_loop && music_state.cd_track != -1) restart_cd_track();
}

MusicState music_fields_to_save() {
  MusicState s = music_state;
  if (!s.stream_saved) s.stream_name.clear();
  return s;
}

void restore_music(MusicState saved) {
  stop_all_sound(false);
  music_state.stream_saved = saved.stream_saved;
  if (saved.cd_track != -1) play_cd_track(saved.cd_track, saved.cd_loop);
  if (!saved.midi_name.empty()) play_midi(saved.midi_name, saved.midi_loop);
  if (!saved.wave_name.empty() && saved.wave_loop) play_wave(saved.wave_name, 1);
  if (!saved.stream_name.empty()) play_stream_music(saved.stream_name, saved.stream_loop);
}

void resume_cd_track() {
  HeldFade hold(cd_fade_ms, 0);
  if (music_state.cd_track > 0) play_cd_track(music_state.cd_track, music_state.cd_loop);
}

void stop_and_close_cd() {
  halt_cd();
  close_cd_device();
}

}  // namespace sound
