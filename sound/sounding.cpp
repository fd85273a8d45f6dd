#include "sound/sounding.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/sjis.h"

namespace sound {

namespace {

struct TargetRecord {
  TargetState state = TargetState::idle;
  Repeat repeat = Repeat::once;
  uint32_t start = 0;
  int64_t length = 0;
  int att = -1;  // last logged attenuation; -1 until the first
};
TargetRecord targets[kTargetCount];
platform::FileHandle log_file;

std::string target_name(int t) {
  switch (t) {
    case kMidiTarget: return "midi";
    case kCdTarget: return "cd";
    case kStreamTarget: return "stream";
    case kWaveTarget: return "wave";
    case kFilmTarget: return "film";
    default: return "ch" + std::to_string(t - kChannelTarget0);
  }
}

void write_line(uint32_t ms, const std::string& text) {
  if (!log_file) return;
  platform::write_text(log_file, std::to_string(ms) + " " + std::string(text.c_str()) + "\n");
  platform::flush_file(log_file);
}

bool valid(int t) { return t >= 0 && t < kTargetCount; }

}  // namespace

bool open_audio_log(const std::string& path) {
  close_audio_log();
  if (path.empty()) return true;
  log_file = platform::open_file(path, platform::OpenMode::write);
  return bool(log_file);
}

void close_audio_log() { platform::close_file(log_file); }

uint32_t target_end(int t) {
  if (!valid(t)) return 0;
  const TargetRecord& r = targets[t];
  return static_cast<uint32_t>(r.start + std::max<int64_t>(r.length, 0));
}

void sweep_ends() {
  const uint32_t now = platform::clock_ms();
  while (true) {
    int first = -1;
    for (int t = 0; t < kTargetCount; ++t) {
      const TargetRecord& r = targets[t];
      if (r.state != TargetState::sounding || r.repeat == Repeat::by_mixer || r.repeat == Repeat::length_unknown)
        continue;
      if (static_cast<int32_t>(now - target_end(t)) < 0) continue;
      if (first < 0 || static_cast<int32_t>(target_end(t) - target_end(first)) < 0) first = t;
    }
    if (first < 0) return;
    targets[first].state = TargetState::ended;
    write_line(target_end(first), "end " + target_name(first));
  }
}

TargetState target_state(int t) {
  sweep_ends();
  return valid(t) ? targets[t].state : TargetState::idle;
}

void note_play(int t, const std::string& name, Repeat repeat, int64_t length_ms) {
  if (!valid(t)) return;
  sweep_ends();
  TargetRecord& r = targets[t];
  r.state = TargetState::sounding;
  r.repeat = repeat;
  r.start = platform::clock_ms();
  r.length = length_ms;
  write_line(r.start, "play " + target_name(t) + " " + platform::sjis_to_utf8(name) +
                          (repeat == Repeat::once || repeat == Repeat::length_unknown ? " once" : " loop"));
}

void note_length(int t, int64_t length_ms) {
  if (!valid(t)) return;
  TargetRecord& r = targets[t];
  if (r.state != TargetState::sounding || r.repeat != Repeat::length_unknown) return;
  r.repeat = Repeat::once;
  r.length = length_ms;
  sweep_ends();
}

void note_end(int t) {
  if (!valid(t)) return;
  sweep_ends();
  TargetRecord& r = targets[t];
  if (r.state == TargetState::sounding) write_line(platform::clock_ms(), "end " + target_name(t));
  r.state = TargetState::ended;
}

void note_stop(int t) {
  if (!valid(t)) return;
  sweep_ends();
  TargetRecord& r = targets[t];
  if (r.state == TargetState::sounding) write_line(platform::clock_ms(), "stop " + target_name(t));
  r.state = TargetState::idle;
}

void note_volume(int t, int att) {
  if (!valid(t)) return;
  att = std::clamp(att, 0, 100);
  sweep_ends();
  if (targets[t].att == att) return;
  // The first setting of a target at full volume is where every target
  // starts: not a change.
  bool first_at_full = targets[t].att < 0 && att == 0;
  targets[t].att = att;
  if (!first_at_full) write_line(platform::clock_ms(), "volume " + target_name(t) + " " + std::to_string(att));
}

void note_exit() {
  sweep_ends();
  for (int t = 0; t < kTargetCount; ++t)
    if (targets[t].state == TargetState::sounding) note_stop(t);
  close_audio_log();
}

void reset_sounding() {
  for (auto& r : targets) r = TargetRecord{};
}

}  // namespace sound
