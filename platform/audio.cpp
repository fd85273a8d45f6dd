#include "platform/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/mode.h"

namespace platform {

namespace {

constexpr int kRate = kAudioRate;
constexpr int kBytesPerFrame = 4;  // 16-bit stereo

enum class Device { unopened, open, failed };
Device device = Device::unopened;
bool heard = false;

Mix_Chunk* loaded[kMixerChannels] = {};
std::atomic<bool> end_notice[kMixerChannels];

Mix_Music* midi_music = nullptr;
std::vector<uint8_t> midi_bytes;  // the music reads its file from here while it plays

struct FedStream {
  SDL_AudioStream* stream = nullptr;
  int volume = MIX_MAX_VOLUME;
  int channels = 2;
};
constexpr int kFedStreams = 4;
FedStream fed[kFedStreams];
std::mutex fed_lock;
std::vector<uint8_t> fed_scratch;

void SDLCALL on_channel_finished(int channel) {
  if (channel >= 0 && channel < kMixerChannels) end_notice[channel] = true;
}

// Runs on the mixer's thread after the channels are mixed: adds the fed streams.
void SDLCALL mix_fed_streams(void*, Uint8* out, int len) {
  std::lock_guard<std::mutex> hold(fed_lock);
  for (FedStream& s : fed) {
    if (!s.stream) continue;
    if (fed_scratch.size() < static_cast<size_t>(len)) fed_scratch.resize(len);
    int got = SDL_AudioStreamGet(s.stream, fed_scratch.data(), len);
    if (got > 0) SDL_MixAudioFormat(out, fed_scratch.data(), AUDIO_S16SYS, got, s.volume);
  }
}

bool open_mixer(const char* driver) {
  if (driver) SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(kMixerChannels);
  Mix_ChannelFinished(on_channel_finished);
  Mix_SetPostMix(mix_fed_streams, nullptr);
  return true;
}

const char* sound_font() {
  static const char* const kFonts[] = {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                                       "/usr/share/sounds/sf2/TimGM6mb.sf2"};
  struct stat st;
  for (const char* f : kFonts)
    if (stat(f, &st) == 0) return f;
  return nullptr;
}

bool read_whole_file(const std::string& path, std::vector<uint8_t>& out, std::string& error) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  struct stat st;
  if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode) || static_cast<uint64_t>(st.st_size) > kMaxSoundFileBytes) {
    std::fclose(f);
    error = path + " is no regular file of at most 64 MiB";
    return false;
  }
  out.resize(static_cast<size_t>(st.st_size));
  size_t n = out.empty() ? 0 : std::fread(out.data(), 1, out.size(), f);
  std::fclose(f);
  out.resize(n);
  return true;
}

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
void put_le32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// A RIFF WAVE whose sizes claim more than the file holds is cut to what it
// holds, so that the decoder neither reserves nor expects the missing bytes.
void trim_wave_sizes(std::vector<uint8_t>& b) {
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0) return;
  put_le32(b.data() + 4, static_cast<uint32_t>(b.size() - 8));
  size_t at = 12;
  while (at + 8 <= b.size()) {
    uint64_t length = le32(b.data() + at + 4);
    uint64_t room = b.size() - at - 8;
    if (length > room) {
      put_le32(b.data() + at + 4, static_cast<uint32_t>(room));
      return;
    }
    at += 8 + length + (length & 1);
  }
}

bool channel_ok(int channel) { return channel >= 0 && channel < kMixerChannels; }

// Variable-length quantity of a MIDI track: at most four bytes.
bool read_vlq(const uint8_t*& p, const uint8_t* end, uint32_t& v) {
  v = 0;
  for (int i = 0; i < 4; ++i) {
    if (p >= end) return false;
    uint8_t b = *p++;
    v = (v << 7) | (b & 0x7f);
    if (!(b & 0x80)) return true;
  }
  return false;
}

uint32_t be32(const uint8_t* p) { return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

}  // namespace

bool audio_start() {
  if (device != Device::unopened) return device == Device::open;
  for (auto& n : end_notice) n = false;
  Mix_Init(MIX_INIT_FLAC | MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_MID | MIX_INIT_OPUS);
  heard = !headless && open_mixer(nullptr);
  if (!headless && !heard)
    std::fprintf(stderr, "orvane: no audio device (%s); the game runs silently\n", SDL_GetError());
  if (!heard && !open_mixer("dummy")) {
    std::fprintf(stderr, "orvane: no audio (%s); sounds are silent\n", SDL_GetError());
    device = Device::failed;
    return false;
  }
  if (const char* font = sound_font()) Mix_SetSoundFonts(font);
  device = Device::open;
  return true;
}

bool audio_heard() { return device == Device::open && heard; }

void audio_stop() {
  if (device != Device::open) {
    device = Device::unopened;
    return;
  }
  Mix_HaltChannel(-1);
  for (int c = 0; c < kMixerChannels; ++c) audio_unload(c);
  midi_unload();
  for (int i = 0; i < kFedStreams; ++i) audio_stream_close(i);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device = Device::unopened;
}

bool audio_restart_with_driver(const char* driver) {
  audio_stop();
  for (auto& n : end_notice) n = false;
  if (!open_mixer(driver)) {
    device = Device::failed;
    return false;
  }
  device = Device::open;
  heard = true;
  return true;
}

int64_t audio_load(int channel, const std::string& path, std::string& error) {
  if (!channel_ok(channel)) {
    error = "no such channel";
    return -1;
  }
  audio_unload(channel);
  if (!audio_start()) {
    error = "no audio";
    return -1;
  }
  std::vector<uint8_t> bytes;
  if (!read_whole_file(path, bytes, error)) return -1;
  trim_wave_sizes(bytes);
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  Mix_Chunk* chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
  if (!chunk || chunk->alen == 0) {
    if (chunk) Mix_FreeChunk(chunk);
    error = "cannot decode " + path + ": " + (chunk ? "no samples" : Mix_GetError());
    return -1;
  }
  loaded[channel] = chunk;
  return static_cast<int64_t>(chunk->alen) * 1000 / (kRate * kBytesPerFrame);
}

void audio_play(int channel, bool loop) {
  if (!channel_ok(channel) || !loaded[channel]) return;
  end_notice[channel] = false;
  Mix_PlayChannel(channel, loaded[channel], loop ? -1 : 0);
}

void audio_halt(int channel) {
  if (!channel_ok(channel) || device != Device::open) return;
  if (Mix_Playing(channel)) Mix_HaltChannel(channel);
  end_notice[channel] = false;
}

void audio_unload(int channel) {
  if (!channel_ok(channel) || !loaded[channel]) return;
  audio_halt(channel);
  Mix_FreeChunk(loaded[channel]);
  loaded[channel] = nullptr;
}

void audio_set_volume(int channel, int volume) {
  if (channel_ok(channel) && device == Device::open) Mix_Volume(channel, std::clamp(volume, 0, MIX_MAX_VOLUME));
}

bool audio_playing(int channel) { return channel_ok(channel) && device == Device::open && Mix_Playing(channel); }

bool audio_take_end_notice(int channel) { return channel_ok(channel) && end_notice[channel].exchange(false); }

int mixer_volume(int attenuation) {
  if (attenuation <= 0) return MIX_MAX_VOLUME;
  if (attenuation >= 100) return 0;
  // -25 x att hundredths of a decibel: amplitude 10^(-att / 80).
  return static_cast<int>(std::lround(MIX_MAX_VOLUME * std::pow(10.0, -attenuation / 80.0)));
}

int64_t midi_length_ms(std::string_view bytes) {
  const uint8_t* b = reinterpret_cast<const uint8_t*>(bytes.data());
  const uint8_t* end = b + bytes.size();
  if (bytes.size() < 14 || std::memcmp(b, "MThd", 4) != 0 || be32(b + 4) < 6) return -1;
  uint64_t header_length = be32(b + 4);
  if (header_length > bytes.size() - 8) return -1;
  uint32_t division = b[12] << 8 | b[13];
  if (division == 0) return -1;
  struct Tempo {
    uint64_t tick;
    uint32_t us_per_quarter;
  };
  std::vector<Tempo> tempos;
  uint64_t last_tick = 0;
  int tracks = 0;
  const uint8_t* p = b + 8 + header_length;
  while (end - p >= 8) {
    uint64_t length = be32(p + 4);
    bool is_track = std::memcmp(p, "MTrk", 4) == 0;
    p += 8;
    if (length > static_cast<uint64_t>(end - p)) return -1;
    const uint8_t* q = p;
    const uint8_t* track_end = p + length;
    p = track_end;
    if (!is_track) continue;
    ++tracks;
    uint64_t tick = 0;
    uint8_t status = 0;
    while (q < track_end) {
      uint32_t delta;
      if (!read_vlq(q, track_end, delta)) return -1;
      tick += delta;
      if (q >= track_end) return -1;
      uint8_t s = *q;
      if (s & 0x80) {
        ++q;
        if (s < 0xf0) status = s;
      } else {
        if (!status) return -1;  // running status with nothing to run on
        s = status;
      }
      if (s == 0xff) {
        if (q >= track_end) return -1;
        uint8_t type = *q++;
        uint32_t n;
        if (!read_vlq(q, track_end, n) || n > static_cast<uint64_t>(track_end - q)) return -1;
        if (type == 0x51 && n == 3) {
          if (tempos.size() >= 1000000) return -1;
          tempos.push_back({tick, static_cast<uint32_t>(q[0] << 16 | q[1] << 8 | q[2])});
        }
        q += n;
        if (type == 0x2f) break;
      } else if (s == 0xf0 || s == 0xf7) {
        uint32_t n;
        if (!read_vlq(q, track_end, n) || n > static_cast<uint64_t>(track_end - q)) return -1;
        q += n;
      } else if (s >= 0xf0) {
        return -1;
      } else {
        int data = (s & 0xf0) == 0xc0 || (s & 0xf0) == 0xd0 ? 1 : 2;
        if (track_end - q < data) return -1;
        q += data;
      }
    }
    last_tick = std::max(last_tick, tick);
  }
  if (!tracks) return -1;
  if (division & 0x8000) {
    int fps = -static_cast<int8_t>(division >> 8);
    int per_frame = division & 0xff;
    if (fps <= 0 || per_frame == 0) return -1;
    return static_cast<int64_t>(last_tick * 1000 / (static_cast<uint64_t>(fps) * per_frame));
  }
  std::stable_sort(tempos.begin(), tempos.end(), [](const Tempo& x, const Tempo& y) { return x.tick < y.tick; });
  // Microseconds: ticks x us_per_quarter / division, segment by segment.
  long double us = 0;
  uint64_t at = 0;
  uint32_t tempo = 500000;
  for (const Tempo& t : tempos) {
    if (t.tick >= last_tick) break;
    us += static_cast<long double>(t.tick - at) * tempo / division;
    at = t.tick;
    tempo = t.us_per_quarter;
  }
  us += static_cast<long double>(last_tick - at) * tempo / division;
  return static_cast<int64_t>(us / 1000);
}

int64_t midi_load(const std::string& path, std::string& error) {
  midi_unload();
  std::vector<uint8_t> bytes;
  if (!read_whole_file(path, bytes, error)) return -1;
  int64_t ms = midi_length_ms(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (ms < 0) {
    error = path + " is no standard MIDI file";
    return -1;
  }
  // Only a heard device renders MIDI: the synthesiser loads its sound font
  // for every piece, which a silent run need not pay for.
  if (audio_start() && heard) {
    midi_bytes = std::move(bytes);
    SDL_RWops* rw = SDL_RWFromConstMem(midi_bytes.data(), static_cast<int>(midi_bytes.size()));
    midi_music = rw ? Mix_LoadMUS_RW(rw, 1) : nullptr;
    if (!midi_music) std::fprintf(stderr, "orvane: cannot play the MIDI file %s: %s\n", path.c_str(), Mix_GetError());
  }
  return ms;
}

void midi_play() {
  if (midi_music) Mix_PlayMusic(midi_music, 0);
}

void midi_unload() {
  if (!midi_music) return;
  Mix_HaltMusic();
  Mix_FreeMusic(midi_music);
  midi_music = nullptr;
  midi_bytes.clear();
}

int audio_stream_open(int rate, int channels) {
  if (!audio_start() || rate < 1000 || rate > 384000 || channels < 1 || channels > 2) return -1;
  std::lock_guard<std::mutex> hold(fed_lock);
  for (int i = 0; i < kFedStreams; ++i) {
    if (fed[i].stream) continue;
    fed[i].stream = SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(channels), rate, AUDIO_S16SYS, 2, kRate);
    fed[i].volume = MIX_MAX_VOLUME;
    fed[i].channels = channels;
    return fed[i].stream ? i : -1;
  }
  return -1;
}

bool audio_stream_feed(int id, const int16_t* samples, size_t frames) {
  if (id < 0 || id >= kFedStreams) return false;
  std::lock_guard<std::mutex> hold(fed_lock);
  SDL_AudioStream* s = fed[id].stream;
  if (!s) return false;
  if (SDL_AudioStreamAvailable(s) > 30 * kRate * kBytesPerFrame) return false;
  if (frames > static_cast<size_t>(30 * kRate)) return false;
  return SDL_AudioStreamPut(s, samples, static_cast<int>(frames * fed[id].channels * sizeof(int16_t))) == 0;
}

uint32_t audio_stream_queued_ms(int id) {
  if (id < 0 || id >= kFedStreams) return 0;
  std::lock_guard<std::mutex> hold(fed_lock);
  if (!fed[id].stream) return 0;
  return static_cast<uint32_t>(static_cast<uint64_t>(SDL_AudioStreamAvailable(fed[id].stream)) * 1000 /
                               (kRate * kBytesPerFrame));
}

void audio_stream_set_volume(int id, int volume) {
  if (id < 0 || id >= kFedStreams) return;
  std::lock_guard<std::mutex> hold(fed_lock);
  fed[id].volume = std::clamp(volume, 0, MIX_MAX_VOLUME);
}

void audio_stream_close(int id) {
  if (id < 0 || id >= kFedStreams) return;
  std::lock_guard<std::mutex> hold(fed_lock);
  if (fed[id].stream) SDL_FreeAudioStream(fed[id].stream);
  fed[id].stream = nullptr;
}

}  // namespace platform
