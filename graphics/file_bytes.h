// graphics/file_bytes: the largest file the picture code reads into memory, and reading one whole.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_io.h"

namespace graphics {

// Largest file or archive entry the picture code reads into memory.
constexpr size_t kMaxFileBytes = size_t(512) << 20;

// Reads the file at a path on disk. False when it cannot be opened or read,
// or is larger than kMaxFileBytes.
inline bool read_file_bytes(const std::string& path, std::vector<uint8_t>& out) {
  return platform::read_whole_file(path, kMaxFileBytes, out);
}

}  // namespace graphics
