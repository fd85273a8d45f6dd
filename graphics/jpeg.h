// graphics/jpeg: JPEG pictures read within the limits of every picture decoder.
#pragma once
#include <cstddef>
#include <cstdint>

#include "graphics/surface.h"

namespace graphics {

// Decodes a JPEG held in memory into an upright 24-bit picture of the
// JPEG's pixel size (platform::decode_jpeg); CMYK and YCCK pictures are
// turned into colours. False when the data is rejected or the picture is
// larger than kMaxPictureSide or kMaxPicturePixels allow.
bool read_jpeg(const uint8_t* data, size_t size, DibSurface& out);

}  // namespace graphics
