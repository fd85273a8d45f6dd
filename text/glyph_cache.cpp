#include "text/glyph_cache.h"

#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

namespace text {

namespace {

// The canvas every glyph is rendered into; grown when a larger size comes.
platform::GlyphCanvas canvas;

// Cached coverage lives in blocks that never move, so a map from the key to
// a pointer stays valid while the cache grows. Past kCacheLimit bytes the
// whole cache is dropped: glyphs come back by rendering again.
constexpr size_t kBlockSize = 256 * 1024;
constexpr size_t kCacheLimit = 64 * 1024 * 1024;

std::vector<std::unique_ptr<uint8_t[]>> blocks;
size_t block_used = kBlockSize;  // bytes used in the last block
size_t cache_bytes = 0;
std::unordered_map<uint64_t, const uint8_t*> entries;

bool size_ok(const platform::GlyphFont& font) {
  return font.glyph_width >= 1 && font.glyph_height >= 1 && font.glyph_width <= platform::kMaxGlyphSize &&
         font.glyph_height <= platform::kMaxGlyphSize;
}

// Face (8 bits, -1 stored as 0), width and height (11 bits each), bold, the two bytes.
uint64_t cache_key(const platform::GlyphFont& font, uint8_t first, uint8_t second) {
  uint64_t face = static_cast<uint64_t>(font.face + 1) & 0xff;
  return face << 39 | static_cast<uint64_t>(font.glyph_width) << 28 | static_cast<uint64_t>(font.glyph_height) << 17 |
         static_cast<uint64_t>(font.bold) << 16 | static_cast<uint64_t>(first) << 8 | second;
}

uint8_t* cache_space(size_t n) {
  if (n > kBlockSize) {
    blocks.push_back(std::make_unique<uint8_t[]>(n));
    uint8_t* p = blocks.back().get();
    // Keep filling the previous block: move the big one before it.
    if (blocks.size() >= 2) std::swap(blocks[blocks.size() - 1], blocks[blocks.size() - 2]);
    return p;
  }
  if (block_used + n > kBlockSize) {
    blocks.push_back(std::make_unique<uint8_t[]>(kBlockSize));
    block_used = 0;
  }
  uint8_t* p = blocks.back().get() + block_used;
  block_used += n;
  return p;
}

}  // namespace

void reduce_glyph(const platform::GlyphCanvas& src, int glyph_width, int glyph_height, uint8_t* coverage) {
  const size_t stride = static_cast<size_t>(src.width);
  for (int y = 0; y < glyph_height; y++) {
    const uint8_t* r0 = src.pixels.data() + static_cast<size_t>(3 * y) * stride;
    const uint8_t* r1 = r0 + stride;
    const uint8_t* r2 = r1 + stride;
    uint8_t* out = coverage + static_cast<size_t>(y) * glyph_width;
    for (int x = 0; x < glyph_width; x++) {
      int c = 3 * x;
      unsigned top = r0[c] + 2u * r0[c + 1] + r0[c + 2];
      unsigned mid = r1[c] + 2u * r1[c + 1] + r1[c + 2];
      unsigned bottom = r2[c] + 2u * r2[c + 1] + r2[c + 2];
      out[x] = static_cast<uint8_t>((top + 2 * mid + bottom) / 16);
    }
  }
}

bool render_glyph_coverage(const platform::GlyphFont& font, uint8_t first, uint8_t second, uint8_t* coverage) {
  if (!size_ok(font)) return false;
  platform::draw_glyph_item(canvas, font, first, second);
  reduce_glyph(canvas, font.glyph_width, font.glyph_height, coverage);
  return true;
}

const uint8_t* glyph_coverage(const platform::GlyphFont& font, uint8_t first, uint8_t second) {
  if (!size_ok(font)) return nullptr;
  uint64_t key = cache_key(font, first, second);
  auto it = entries.find(key);
  if (it != entries.end()) return it->second;
  size_t n = static_cast<size_t>(font.glyph_width) * font.glyph_height;
  if (cache_bytes + n > kCacheLimit) clear_glyph_cache();
  uint8_t* space = cache_space(n);
  cache_bytes += n;
  render_glyph_coverage(font, first, second, space);
  entries.emplace(key, space);
  return space;
}

void clear_glyph_cache() {
  entries.clear();
  blocks.clear();
  block_used = kBlockSize;
  cache_bytes = 0;
}

size_t glyph_cache_entries() { return entries.size(); }

}  // namespace text
