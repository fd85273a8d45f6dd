// platform/audio: the audio device, the mixer's channels, MIDI music and streams the caller feeds.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Mixer channels: 0..49 the sound channels, then one each for the wave
// device, the CD stand-in and stream music, so that all of them can sound
// together with MIDI (which has the mixer's music stream to itself).
constexpr int kSoundChannels = 50;
constexpr int kWaveDeviceChannel = 50;
constexpr int kCdChannel = 51;
constexpr int kStreamChannel = 52;
constexpr int kMixerChannels = 53;

// The device's format: 44.1 kHz, 16-bit signed samples, stereo.
constexpr int kAudioRate = 44100;

// Opens the device on first use, in that format. Headless runs,
// and machines where no device opens, use SDL's "dummy" driver: everything
// is decoded and every decision runs, nothing is heard. False only when
// not even that opens (then every sound is silent and has no length).
bool audio_start();
// True when the mixer sends its output to a real driver.
bool audio_heard();
// Closes the mixer and frees every loaded sound (at exit).
void audio_stop();
// Reopens with the named SDL driver ("disk", "dummy", ...) as a heard
// output. For tests of the real audio path.
bool audio_restart_with_driver(const char* driver);

// Files above this size are refused as sounds (a guard against allocations
// no game needs).
constexpr size_t kMaxSoundFileBytes = 64u << 20;

// Decodes a file (WAV in any encoding the mixer reads, also Ogg, FLAC, MP3,
// Opus) into the channel, replacing what it held. A WAV whose data length
// runs past the end of the file is cut at the end. Returns the decoded
// length in ms, or -1 with `error` set when the file cannot be read or
// decoded (the channel is then empty).
int64_t audio_load(int channel, const std::string& path, std::string& error);
// Starts the loaded sound from its beginning; `loop` repeats it without end.
void audio_play(int channel, bool loop);
// Stops the channel and frees its sound.
void audio_unload(int channel);
// Stops playback; the sound stays loaded.
void audio_halt(int channel);
// Mixer volume 0..128 of the channel.
void audio_set_volume(int channel, int volume);
// True while the mixer is playing the channel.
bool audio_playing(int channel);
// True once after the channel ran out by itself (the mixer's end notice).
bool audio_take_end_notice(int channel);

// An attenuation (0 full .. 100 silent: -25 x att hundredths of a decibel)
// as a mixer volume 0..128.
int mixer_volume(int attenuation);

// MIDI through the General MIDI sound font, on the mixer's music stream.
// Loading checks the file and returns its length in ms (-1 and `error` for
// a file that is no standard MIDI file).
int64_t midi_load(const std::string& path, std::string& error);
void midi_play();
void midi_unload();
// The length in ms of standard MIDI file bytes (tempo changes followed), or
// -1 when they are no standard MIDI file.
int64_t midi_length_ms(std::string_view bytes);

// PCM streams that the caller feeds (video sound): 16-bit signed samples,
// interleaved, at any rate and 1 or 2 channels; converted and mixed over
// the channels. At most 4 at once. Up to 30 s may wait unplayed; feeding
// more drops the excess.
int audio_stream_open(int rate, int channels);  // an id, or -1
bool audio_stream_feed(int id, const int16_t* samples, size_t frames);
uint32_t audio_stream_queued_ms(int id);  // fed but not yet played
void audio_stream_set_volume(int id, int volume);
void audio_stream_close(int id);

}  // namespace platform
