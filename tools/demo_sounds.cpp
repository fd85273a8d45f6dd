// Writes the demo's own sounds: bgm.mid, a short tune on a piano and a bass
// that loops, and chime.wav, a bell-like chime of 0.6 s. Nothing is taken
// from elsewhere. Build and run from the repository's top folder:
//   g++ -O2 -o /tmp/demo_sounds tools/demo_sounds.cpp && /tmp/demo_sounds examples/demo
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

void put_be(std::string& s, uint32_t v, int n) {
  for (int i = n - 1; i >= 0; --i) s += static_cast<char>(v >> (8 * i));
}
void put_le(std::string& s, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) s += static_cast<char>(v >> (8 * i));
}
void put_vlq(std::string& s, uint32_t v) {
  std::string out(1, static_cast<char>(v & 0x7f));
  while (v >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7f)));
  s += out;
}

// A track of notes one after another: each (key, beats); key 0 is a rest.
std::string track(int channel, int program, int velocity, const int (*notes)[2], int count, bool tempo) {
  std::string t;
  if (tempo) {
    put_vlq(t, 0);
    t += "\xff\x51\x03";
    put_be(t, 600000, 3);  // 100 beats a minute
  }
  put_vlq(t, 0);
  t += static_cast<char>(0xc0 | channel);
  t += static_cast<char>(program);
  uint32_t rest = 0;
  for (int i = 0; i < count; ++i) {
    uint32_t ticks = static_cast<uint32_t>(notes[i][1] * 240);  // 480 ticks a beat, lengths in half beats
    if (notes[i][0] == 0) {
      rest += ticks;
      continue;
    }
    put_vlq(t, rest);
    t += static_cast<char>(0x90 | channel);
    t += static_cast<char>(notes[i][0]);
    t += static_cast<char>(velocity);
    put_vlq(t, ticks);
    t += static_cast<char>(0x80 | channel);
    t += static_cast<char>(notes[i][0]);
    t += '\0';
    rest = 0;
  }
  put_vlq(t, rest);
  t += "\xff\x2f";
  t += '\0';
  std::string chunk = "MTrk";
  put_be(chunk, static_cast<uint32_t>(t.size()), 4);
  return chunk + t;
}

std::string tune() {
  static const int melody[][2] = {{72, 2}, {74, 1}, {76, 1}, {79, 2}, {76, 2}, {74, 2}, {72, 1},
                                  {74, 1}, {76, 4}, {0, 2},  {77, 2}, {76, 1}, {74, 1}, {72, 2},
                                  {69, 2}, {71, 2}, {72, 1}, {74, 1}, {72, 4}, {0, 2}};
  static const int bass[][2] = {{48, 8}, {45, 8}, {41, 8}, {43, 8}, {48, 4}};
  std::string s = "MThd";
  put_be(s, 6, 4);
  put_be(s, 1, 2);  // format 1
  put_be(s, 2, 2);
  put_be(s, 480, 2);
  return s + track(0, 0, 90, melody, sizeof melody / sizeof melody[0], true) +
         track(1, 32, 70, bass, sizeof bass / sizeof bass[0], false);
}

std::string chime() {
  const int rate = 22050, frames = rate * 6 / 10;
  std::string s = "RIFF";
  put_le(s, 36 + frames * 2, 4);
  s += "WAVEfmt ";
  put_le(s, 16, 4);
  put_le(s, 1, 2);
  put_le(s, 1, 2);
  put_le(s, rate, 4);
  put_le(s, rate * 2, 4);
  put_le(s, 2, 2);
  put_le(s, 16, 2);
  s += "data";
  put_le(s, frames * 2, 4);
  for (int i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / rate;
    double v =
        0.6 * std::sin(2 * M_PI * 880 * t) + 0.3 * std::sin(2 * M_PI * 1320 * t) + 0.15 * std::sin(2 * M_PI * 2640 * t);
    v *= std::exp(-6 * t) * std::min(1.0, t * 200);
    put_le(s, static_cast<uint16_t>(static_cast<int16_t>(v * 12000)), 2);
  }
  return s;
}

bool write(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : ".";
  if (!write(folder + "/bgm.mid", tune()) || !write(folder + "/chime.wav", chime())) {
    std::perror("demo_sounds");
    return 1;
  }
  return 0;
}
