// dwave of a 1 s 44.1 kHz 16-bit stereo WAV (lookup, decoding into the
// channel, start), with the file's pages dropped from the cache before each
// run (cold) and left there (warm), each beside a plain read of the same
// file in the same state. Silent: SDL's dummy driver.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/mode.h"
#include "sound/channels.h"

namespace {

void write_wav(const char* path) {
  const uint32_t frames = 44100, data = frames * 4;
  std::string s = "RIFF";
  auto le = [&](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) s += static_cast<char>(v >> (8 * i));
  };
  le(36 + data, 4);
  s += "WAVEfmt ";
  le(16, 4), le(1, 2), le(2, 2), le(44100, 4), le(176400, 4), le(4, 2), le(16, 2);
  s += "data";
  le(data, 4);
  for (uint32_t i = 0; i < frames; ++i) {
    auto v = static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 0.0627)));
    le(v, 2), le(v, 2);
  }
  FILE* f = std::fopen(path, "wb");
  std::fwrite(s.data(), 1, s.size(), f);
  std::fclose(f);
}

// Drops the file's pages from the page cache (written back first).
void make_cold(const char* path) {
  int fd = open(path, O_RDONLY);
  fdatasync(fd);
  posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  close(fd);
}

void read_file(const char* path) {
  std::vector<char> buffer(1 << 20);
  FILE* f = std::fopen(path, "rb");
  while (std::fread(buffer.data(), 1, buffer.size(), f) > 0) {
  }
  std::fclose(f);
}

// Median ms of `runs` runs, each preceded (outside the timing) by `before`.
double median_ms(int runs, const std::function<void()>& before, const std::function<void()>& run) {
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    before();
    auto start = std::chrono::steady_clock::now();
    run();
    t.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

}  // namespace

int main() {
  char folder[] = "/var/tmp/orvane-bench-XXXXXX";
  if (!mkdtemp(folder) || chdir(folder) != 0) return 1;
  write_wav("a.wav");
  platform::headless = true;
  platform::audio_start();
  const int runs = 41;
  auto nothing = [] {};
  auto cold = [] { make_cold("a.wav"); };
  auto dwave = [] { sound::ds_play_channel(1, "a.wav", 0); };
  auto read = [] { read_file("a.wav"); };
  dwave();
  double dwave_warm = median_ms(runs, nothing, dwave);
  double read_warm = median_ms(runs, nothing, read);
  double dwave_cold = median_ms(runs, cold, dwave);
  double read_cold = median_ms(runs, cold, read);
  std::printf("dwave of a 1 s 44.1 kHz stereo WAV (176 KB), median of %d runs\n", runs);
  std::printf("  warm cache: dwave %.3f ms, reading the file %.3f ms (x%.1f)\n", dwave_warm, read_warm,
              dwave_warm / read_warm);
  std::printf("  cold cache: dwave %.3f ms, reading the file %.3f ms (x%.1f)\n", dwave_cold, read_cold,
              dwave_cold / read_cold);
  std::printf("  a frame at 60 Hz: 16.7 ms\n");
  sound::stop_all_channels();
  platform::audio_stop();
  unlink("a.wav");
  rmdir(folder);
  return 0;
}
