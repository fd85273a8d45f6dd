#include "tests/sound/sound_files.h"

#include <cmath>

namespace soundtest {

namespace {

void le(std::string& s, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i));
}
void be(std::string& s, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) s += static_cast<char>(v >> (8 * i));
}
void vlq(std::string& s, uint32_t v) {
  std::string out(1, static_cast<char>(v & 0x7f));
  while (v >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7f)));
  s += out;
}

}  // namespace

std::string wav_file(int ms, int rate, int channels) {
  uint32_t frames = static_cast<uint32_t>(static_cast<int64_t>(rate) * ms / 1000);
  uint32_t data = frames * channels * 2;
  std::string s = "RIFF";
  le(s, 36 + data, 4);
  s += "WAVEfmt ";
  le(s, 16, 4);
  le(s, 1, 2);
  le(s, channels, 2);
  le(s, rate, 4);
  le(s, rate * channels * 2, 4);
  le(s, channels * 2, 2);
  le(s, 16, 2);
  s += "data";
  le(s, data, 4);
  for (uint32_t i = 0; i < frames; ++i) {
    int16_t v = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
    for (int c = 0; c < channels; ++c) le(s, static_cast<uint16_t>(v), 2);
  }
  return s;
}

std::string midi_file(int ms) {
  std::string track;
  vlq(track, 0);
  track += "\xff\x51\x03";
  be(track, 500000, 3);  // 120 beats a minute: a tick is 500000 / 480 us
  vlq(track, 0);
  track += '\xc0';  // program 0
  track += '\0';
  vlq(track, 0);
  track += "\x90\x3c\x60";
  vlq(track, static_cast<uint32_t>(static_cast<int64_t>(ms) * 480 / 500));
  track += "\x3c";  // running status: note on at velocity 0 ends the note
  track += '\0';
  vlq(track, 0);
  track += "\xff\x2f";
  track += '\0';
  std::string s = "MThd";
  be(s, 6, 4);
  be(s, 0, 2);
  be(s, 1, 2);
  be(s, 480, 2);
  s += "MTrk";
  be(s, static_cast<uint32_t>(track.size()), 4);
  return s + track;
}

}  // namespace soundtest
