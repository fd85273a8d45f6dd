// graphics/jpeg: JPEG decoding through libjpeg, straight into a surface.
#pragma once
#include <cstddef>
#include <cstdint>

#include "graphics/surface.h"

namespace graphics {

// Decodes a JPEG held in memory into an upright 24-bit picture of the
// JPEG's pixel size; CMYK and YCCK pictures are turned into colours. False
// when libjpeg rejects the data.
bool read_jpeg(const uint8_t* data, size_t size, DibSurface& out);

}  // namespace graphics
