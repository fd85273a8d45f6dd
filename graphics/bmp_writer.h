// graphics/bmp_writer: 24-bit pictures written as BMP files (the authoring tools' output).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/surface.h"

namespace graphics {

// The file's bytes: the 14-byte file header, the 40-byte information header
// (planes 1, 24 bits, no compression, image size, resolution and colour
// counts 0) and the rows bottom-up, each padded to 4 bytes.
std::vector<uint8_t> encode_bmp(const DibSurface& picture);

// Writes the file at a path on disk; false when it cannot be written.
bool write_bmp(const std::string& path, const DibSurface& picture);

}  // namespace graphics
