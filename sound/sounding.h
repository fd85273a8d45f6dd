// sound/sounding: what sounds on each target, when it runs out, and the --audio-log record of it.
#pragma once
#include <cstdint>
#include <string>

namespace sound {

// The places a sound plays on: the three music sources, the wave device,
// the 50 sound channels and the sound of a film.
enum Target : int {
  kMidiTarget = 0,
  kCdTarget,
  kStreamTarget,
  kWaveTarget,
  kChannelTarget0,
  kFilmTarget = kChannelTarget0 + 50,
  kTargetCount
};
inline int channel_target(int channel) { return kChannelTarget0 + channel; }

// How a started sound ends: by itself after its length (once), never (the
// mixer repeats it: a looping channel), or after its length with the
// program restarting it (the polled loops of MIDI, CD, stream, wave device),
// or once with a length not known yet (a film's sound, decoded as it
// plays): it ends when note_length gives its length.
enum class Repeat { once, by_mixer, by_program, length_unknown };

enum class TargetState { idle, sounding, ended };

// Opens the record (one UTF-8 line per change, flushed at once). Empty:
// no record. False when the file cannot be written.
bool open_audio_log(const std::string& path);
void close_audio_log();

// A sound of `length_ms` starts now. `name` (Shift-JIS) is logged as UTF-8.
void note_play(int target, const std::string& name, Repeat repeat, int64_t length_ms);
// The target's sound (length_unknown) turns out to last `length_ms` from
// its start: it ends then, once.
void note_length(int target, int64_t length_ms);
// The target's sound has run out now: "end" when it still sounded.
void note_end(int target);
// The program stops the target: "stop" when it still sounded.
void note_stop(int target);
// The target's attenuation (0..100) is now `att`: "volume" when it changed.
void note_volume(int target, int att);

// Logs "end" for every sound that ran out by now, at the moment it ran out,
// earliest first. Every note_ function calls it before logging.
void sweep_ends();
TargetState target_state(int target);  // sweeps first
// The moment the target's current pass runs out (start + length).
uint32_t target_end(int target);

// At exit: everything still sounding logs "stop"; the record is closed.
void note_exit();

// Forgets every target's state (tests); the record stays open.
void reset_sounding();

}  // namespace sound
