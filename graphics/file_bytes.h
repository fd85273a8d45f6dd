// graphics/file_bytes: reading a whole file, or a stretch of one, into memory.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace graphics {

// Largest file or archive entry the picture code reads into memory.
constexpr size_t kMaxFileBytes = size_t(512) << 20;

// Reads the file at a path on disk. False when it cannot be opened or read,
// or is larger than kMaxFileBytes.
bool read_file_bytes(const std::string& path, std::vector<uint8_t>& out);

}  // namespace graphics
