#include "platform/cursor_file.h"

#include <SDL.h>
#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/mode.h"

namespace platform {

namespace {

// Pictures larger than this are not cursors; refusing them bounds the memory
// an untrusted file can ask for.
constexpr int kMaxSide = 1024;

uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

bool read_png(const uint8_t* data, size_t size, CursorImage& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return false;
  if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide) {
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB words
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.argb.assign(static_cast<size_t>(out.width) * out.height, 0);
  if (!png_image_finish_read(&image, nullptr, out.argb.data(), out.width * 4, nullptr)) {
    png_image_free(&image);
    return false;
  }
  return true;
}

bool read_bmp(const uint8_t* data, size_t size, CursorImage& out) {
  if (size < 40) return false;
  uint32_t header = u32(data);
  if (header < 40 || header > size) return false;
  int32_t width = static_cast<int32_t>(u32(data + 4));
  int32_t height2 = static_cast<int32_t>(u32(data + 8));
  int bits = u16(data + 14);
  uint32_t compression = u32(data + 16);
  uint32_t colours_used = u32(data + 32);
  // The height counts the colour rows and the mask rows together.
  if (width <= 0 || width > kMaxSide || height2 <= 0 || height2 > 2 * kMaxSide) return false;
  int height = height2 / 2;
  if (height <= 0) return false;
  if (compression != 0 && !(compression == 3 && bits == 32)) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  size_t palette_entries = 0;
  if (bits <= 8) {
    palette_entries = colours_used ? colours_used : (1u << bits);
    if (palette_entries > 256) return false;
  }
  size_t pos = header;
  // BI_BITFIELDS with a 40-byte header carries three masks after it; the
  // pixels are taken as plain BGRA, as cursors store them.
  if (compression == 3 && header == 40) pos += 12;
  const uint8_t* palette = data + pos;
  pos += palette_entries * 4;
  size_t colour_stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
  size_t mask_stride = ((static_cast<size_t>(width) + 31) / 32) * 4;
  size_t colour_bytes = colour_stride * height;
  if (pos > size || size - pos < colour_bytes) return false;
  const uint8_t* colour = data + pos;
  pos += colour_bytes;
  // The AND mask may be missing from 32-bit pictures that carry alpha.
  const uint8_t* mask = (size - pos >= mask_stride * height) ? data + pos : nullptr;

  out.width = width;
  out.height = height;
  out.argb.assign(static_cast<size_t>(width) * height, 0);
  bool any_alpha = false;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = colour + colour_stride * (height - 1 - y);  // stored bottom-up
    for (int x = 0; x < width; ++x) {
      uint32_t b = 0, g = 0, r = 0, a = 255;
      if (bits == 32) {
        b = row[x * 4];
        g = row[x * 4 + 1];
        r = row[x * 4 + 2];
        a = row[x * 4 + 3];
        if (a) any_alpha = true;
      } else if (bits == 24) {
        b = row[x * 3];
        g = row[x * 3 + 1];
        r = row[x * 3 + 2];
      } else {
        size_t bit = static_cast<size_t>(x) * bits;
        unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= palette_entries) index = 0;
        b = palette[index * 4];
        g = palette[index * 4 + 1];
        r = palette[index * 4 + 2];
      }
      out.argb[static_cast<size_t>(y) * width + x] = a << 24 | r << 16 | g << 8 | b;
    }
  }
  if (bits == 32 && any_alpha) return true;
  if (!mask) return bits != 32;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = mask + mask_stride * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      uint32_t& p = out.argb[static_cast<size_t>(y) * width + x];
      bool transparent = (row[x / 8] >> (7 - x % 8)) & 1;
      // Mask set: the screen shows through (inverting pixels become clear).
      p = transparent ? 0 : (p | 0xff000000u);
    }
  }
  return true;
}

SDL_Cursor* custom = nullptr;

}  // namespace

bool read_cursor_file(const uint8_t* data, size_t size, CursorImage& out) {
  out = CursorImage{};
  if (!data || size < 6 + 16) return false;
  uint16_t type = u16(data + 2);
  uint16_t count = u16(data + 4);
  if (u16(data) != 0 || (type != 1 && type != 2) || count == 0) return false;
  const uint8_t* entry = data + 6;
  uint32_t bytes = u32(entry + 8);
  uint32_t offset = u32(entry + 12);
  if (offset > size || bytes > size - offset || bytes == 0) return false;
  const uint8_t* image = data + offset;
  bool ok = bytes >= 8 && std::memcmp(image, "\x89PNG\r\n\x1a\n", 8) == 0 ? read_png(image, bytes, out)
                                                                          : read_bmp(image, bytes, out);
  if (!ok) {
    out = CursorImage{};
    return false;
  }
  if (type == 2) {
    out.hot_x = u16(entry + 4);
    out.hot_y = u16(entry + 6);
  }
  if (out.hot_x >= out.width) out.hot_x = out.width - 1;
  if (out.hot_y >= out.height) out.hot_y = out.height - 1;
  return true;
}

bool use_cursor_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  CursorImage image;
  if (!read_cursor_file(data.data(), data.size(), image)) return false;
  if (headless || !SDL_WasInit(SDL_INIT_VIDEO)) return true;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(image.argb.data(), image.width, image.height, 32, image.width * 4,
                                                      SDL_PIXELFORMAT_ARGB8888);
  if (!s) return false;
  SDL_Cursor* c = SDL_CreateColorCursor(s, image.hot_x, image.hot_y);
  SDL_FreeSurface(s);
  if (!c) return false;
  release_cursor();
  custom = c;
  SDL_SetCursor(custom);
  return true;
}

void use_arrow_cursor() {
  if (headless || !SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_SetCursor(SDL_GetDefaultCursor());
  release_cursor();
}

void reapply_cursor() {
  if (custom && SDL_GetCursor() != custom) SDL_SetCursor(custom);
}

void release_cursor() {
  if (!custom) return;
  if (SDL_GetCursor() == custom) SDL_SetCursor(SDL_GetDefaultCursor());
  SDL_FreeCursor(custom);
  custom = nullptr;
}

}  // namespace platform
