// platform/jpeg: JPEG pictures decoded with libjpeg, straight into a surface.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/surface.h"

namespace platform {

// Decodes a JPEG held in memory into an upright 24-bit picture of the
// JPEG's pixel size; CMYK and YCCK pictures are turned into colours. False
// when libjpeg rejects the data or the picture is wider or taller than
// `max_side` or has more than `max_pixels` pixels (out is then empty or
// left as it was).
bool decode_jpeg(const uint8_t* data, size_t size, int max_side, int64_t max_pixels, DibSurface& out);

}  // namespace platform
