// graphics/bmp: the BMP reader (1, 4, 8, 16, 24 and 32 bits per pixel, RLE and bit fields).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/surface.h"

namespace graphics {

// Largest picture any decoder makes, in pixels.
constexpr int64_t kMaxPicturePixels = int64_t(1) << 26;
constexpr int kMaxPictureSide = 32767;
// Largest BMP file whose picture fits these limits: the headers, a palette
// and rows of 32-bit pixels, with room to spare.
constexpr size_t kMaxBmpBytes = size_t(4) * kMaxPicturePixels + (size_t(1) << 20);

// Reads a BMP file held in memory: the 14-byte file header at 0, the
// information header at 14 (40 bytes or longer, or the 12 bytes of OS/2
// 1.x), the palette after it (and after the colour masks of BI_BITFIELDS
// with a 40-byte header), then the pixels: where the file header's pixel
// offset says when that lies past the palette inside the file, else right
// after the palette entries. Uncompressed, RLE8, RLE4 and BI_BITFIELDS
// (16 and 32 bits) pictures are read; other compressions stay black, and an
// alpha channel is left out. Palette pictures come out as colours in `out`
// and as their palette indices, one byte per pixel, in `indices` (left
// empty for other depths). False for anything that is not such a picture or
// does not fit in the bytes given.
bool read_bmp(const uint8_t* data, size_t size, DibSurface& out, std::vector<uint8_t>& indices);

}  // namespace graphics
