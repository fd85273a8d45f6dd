#include "graphics/bmp.h"

#include <bit>
#include <cstring>

namespace graphics {

namespace {

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

enum : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

// One colour channel of a BI_BITFIELDS pixel: its mask, and the value
// scaled to 0..255 as the 5-bit channels of plain 16-bit pictures are.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t top = 0;  // the mask shifted down
  uint8_t of(uint32_t v) const { return top ? static_cast<uint8_t>(uint64_t((v & mask) >> shift) * 255 / top) : 0; }
};

Channel channel(uint32_t mask) {
  Channel c;
  c.mask = mask;
  c.shift = mask ? std::countr_zero(mask) : 0;
  c.top = mask >> c.shift;
  return c;
}

// The picture's pixels as palette indices, from an RLE8 or RLE4 stream.
// Runs and absolute runs past a row's end are cut there; pixels a delta or
// an early end of line skips keep index 0.
void decode_rle(const uint8_t* p, size_t n, int width, int height, bool four_bits, std::vector<uint8_t>& rows) {
  size_t at = 0;
  int64_t x = 0, y = 0;  // y counts stored rows, bottom first
  auto put = [&](int index) {
    if (x < width && y < height) rows[size_t(y) * width + size_t(x)] = static_cast<uint8_t>(index);
    ++x;
  };
  while (at + 2 <= n && y < height) {
    int count = p[at], value = p[at + 1];
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count && x < width; ++i) put(four_bits ? (i % 2 ? value & 15 : value >> 4) : value);
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of picture
      return;
    } else if (value == 2) {  // delta: right and up
      if (at + 2 > n) return;
      x += p[at];
      y += p[at + 1];
      at += 2;
    } else {  // absolute run of `value` pixels, padded to 16 bits
      size_t bytes = four_bits ? (size_t(value) + 1) / 2 : size_t(value);
      if (at + bytes > n) return;
      for (int i = 0; i < value && x < width; ++i)
        put(four_bits ? (i % 2 ? p[at + i / 2] & 15 : p[at + i / 2] >> 4) : p[at + i]);
      at += (bytes + 1) & ~size_t(1);
    }
  }
}

}  // namespace

bool read_bmp(const uint8_t* data, size_t size, DibSurface& out, std::vector<uint8_t>& indices) {
  indices.clear();
  if (size < 18 || data[0] != 'B' || data[1] != 'M') return false;
  const uint8_t* info = data + 14;
  uint32_t header_size = le32(info);
  int32_t width, height;
  int bits;
  uint32_t compression = kRgb, colours_used = 0;
  size_t palette_entry = 4;
  if (header_size == 12) {
    // OS/2 1.x: 16-bit sizes, no compression, a palette of 3-byte entries.
    if (size < 26) return false;
    width = le16(info + 4);
    height = le16(info + 6);
    bits = le16(info + 10);
    palette_entry = 3;
  } else {
    if (size < 54) return false;
    width = static_cast<int32_t>(le32(info + 4));
    height = static_cast<int32_t>(le32(info + 8));
    bits = le16(info + 14);
    compression = le32(info + 16);
    colours_used = le32(info + 32);
    // Headers longer than 40 bytes (as current tools write) put the palette
    // further on; reading it at 54 regardless would take header bytes as colours.
    if (header_size < 40 || header_size > 124) header_size = 40;
  }
  bool top_down = height < 0;
  int64_t h64 = top_down ? -int64_t(height) : height;
  if (width <= 0 || h64 <= 0 || width > kMaxPictureSide || h64 > kMaxPictureSide ||
      int64_t(width) * h64 > kMaxPicturePixels)
    return false;
  int h = static_cast<int>(h64);
  int palette_length = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
  if (palette_length == 0 && bits != 16 && bits != 24 && bits != 32) return false;

  // BI_BITFIELDS: the masks end the information header of 52 bytes and more
  // (V4, V5); after a 40-byte one they follow it. OS/2 2.x headers (64
  // bytes) use the number 3 for another compression.
  bool bitfields =
      (compression == kBitFields || compression == kAlphaBitFields) && (bits == 16 || bits == 32) && header_size != 64;
  uint64_t palette_at = 14 + uint64_t(header_size);
  Channel red, green, blue;
  if (bitfields) {
    const uint8_t* masks = info + 40;
    if (header_size == 40) palette_at += compression == kAlphaBitFields ? 16 : 12;
    if (palette_at > size || 14 + 52 > size) return false;
    red = channel(le32(masks)), green = channel(le32(masks + 4)), blue = channel(le32(masks + 8));
  }

  uint64_t entries = colours_used ? colours_used : palette_length;
  if (palette_at + entries * palette_entry > size) return false;
  uint8_t palette[256][4] = {};
  for (uint64_t i = 0; i < entries && i < uint64_t(palette_length); ++i)
    std::memcpy(palette[i], data + palette_at + i * palette_entry, 3);
  uint64_t pixels_at = palette_at + entries * palette_entry;
  // The file header's pixel offset, where it points past the palette into
  // the file (a file may leave a gap); else the pixels follow the palette.
  if (uint32_t offset = le32(data + 10); offset >= pixels_at && offset < size) pixels_at = offset;

  create_surface(out, width, h);
  if (palette_length) {
    // Pixels never read hold index 0, which shows as the first palette colour.
    indices.assign(size_t(width) * h, 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < width; ++x) std::memcpy(out.row(y) + 3 * x, palette[0], 3);
  }
  if ((compression == kRle8 && bits == 8) || (compression == kRle4 && bits == 4)) {
    std::vector<uint8_t> stored(size_t(width) * h, 0);
    decode_rle(data + pixels_at, size - pixels_at, width, h, bits == 4, stored);
    for (int r = 0; r < h; ++r) {
      int y = top_down ? r : h - 1 - r;
      const uint8_t* src = stored.data() + size_t(r) * width;
      std::memcpy(indices.data() + size_t(y) * width, src, width);
      for (int x = 0; x < width; ++x) std::memcpy(out.row(y) + 3 * x, palette[src[x]], 3);
    }
    return true;
  }
  if (compression != kRgb && !bitfields) return true;  // other compressions stay black
  size_t stride = ((size_t(bits) * width + 31) / 32) * 4;
  size_t available = size - pixels_at;
  for (int r = 0; r < h; ++r) {
    // Stored rows run bottom-up unless the height is negative.
    size_t at = size_t(r) * stride;
    if (at + stride > available) break;  // a short file leaves the rest black
    const uint8_t* src = data + pixels_at + at;
    int y = top_down ? r : h - 1 - r;
    uint8_t* dst = out.row(y);
    if (bitfields) {
      for (int x = 0; x < width; ++x) {
        uint32_t v = bits == 16 ? le16(src + 2 * x) : le32(src + 4 * x);
        dst[3 * x] = blue.of(v), dst[3 * x + 1] = green.of(v), dst[3 * x + 2] = red.of(v);
      }
      continue;
    }
    switch (bits) {
      case 24: std::memcpy(dst, src, size_t(width) * 3); break;
      case 32:
        for (int x = 0; x < width; ++x) std::memcpy(dst + 3 * x, src + 4 * x, 3);
        break;
      case 16:
        for (int x = 0; x < width; ++x) {
          unsigned v = le16(src + 2 * x);
          dst[3 * x] = static_cast<uint8_t>((v & 31) * 255 / 31);
          dst[3 * x + 1] = static_cast<uint8_t>((v >> 5 & 31) * 255 / 31);
          dst[3 * x + 2] = static_cast<uint8_t>((v >> 10 & 31) * 255 / 31);
        }
        break;
      default: {
        uint8_t* idx = indices.data() + size_t(y) * width;
        for (int x = 0; x < width; ++x) {
          int i;
          if (bits == 8)
            i = src[x];
          else if (bits == 4)
            i = src[x / 2] >> (x % 2 ? 0 : 4) & 15;
          else
            i = src[x / 8] >> (7 - x % 8) & 1;
          idx[x] = static_cast<uint8_t>(i);
          std::memcpy(dst + 3 * x, palette[i], 3);
        }
        break;
      }
    }
  }
  return true;
}

}  // namespace graphics
