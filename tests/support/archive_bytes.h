// tests/support/archive_bytes: little- and big-endian fields and "arc.zpk" archives built in memory, for the tests
// and the fuzz drivers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

inline void put_le(std::vector<uint8_t>& v, uint32_t x, int n) {
  for (int i = 0; i < n; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}
inline void put_be(std::vector<uint8_t>& v, uint32_t x, int n) {
  for (int i = n - 1; i >= 0; --i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

// One entry: its name, its kind (0 stored, 2 LZSS), its bytes as stored and
// its length once expanded.
struct ZpkEntry {
  std::string name;
  int kind;
  std::vector<uint8_t> data;
  uint32_t expanded;
};

// The archive: entry count, directory size, the directory, then the data.
inline std::vector<uint8_t> make_zpk(const std::vector<ZpkEntry>& entries) {
  std::vector<uint8_t> dir;
  uint32_t offset = 0;
  for (const auto& e : entries) {
    dir.insert(dir.end(), e.name.begin(), e.name.end());
    dir.push_back(0);
    dir.push_back(static_cast<uint8_t>(e.kind));
    put_be(dir, offset, 4);
    put_be(dir, uint32_t(e.data.size()), 4);
    put_be(dir, e.expanded, 4);
    offset += uint32_t(e.data.size());
  }
  std::vector<uint8_t> f;
  put_be(f, uint32_t(entries.size()), 2);
  put_be(f, 6 + uint32_t(dir.size()), 4);
  f.insert(f.end(), dir.begin(), dir.end());
  for (const auto& e : entries) f.insert(f.end(), e.data.begin(), e.data.end());
  return f;
}

}  // namespace testsupport
