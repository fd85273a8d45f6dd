#include "graphics/draw_image.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/blend.h"

namespace graphics {

namespace {

// The pixel as one number, for key comparisons.
inline uint32_t pixel_at(const uint8_t* p) {
  return p[0] | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
}

// How a row is drawn; chosen once per call, never per pixel.
enum class RowKind { Copy, CopyAlpha, Key, KeyAlpha, IndexKey, IndexKeyAlpha, Mask, MaskAlpha };

// Scratch for one row of masks or weights (the program is single-threaded).
std::vector<uint8_t>& scratch(size_t n) {
  static std::vector<uint8_t> buffer;
  if (buffer.size() < n) buffer.resize(n);
  return buffer;
}

// mask[3i..3i+2] = 0xff where the pixel differs from the key, else 0.
void key_mask_row(uint8_t* mask, const uint8_t* s, int n, uint32_t key) {
  for (int i = 0; i < n; ++i) {
    uint8_t m = static_cast<uint8_t>(-static_cast<int>(pixel_at(s + 3 * i) != key));
    mask[3 * i] = mask[3 * i + 1] = mask[3 * i + 2] = m;
  }
}

void index_mask_row(uint8_t* mask, const uint8_t* idx, int n, uint8_t key) {
  for (int i = 0; i < n; ++i) {
    uint8_t m = static_cast<uint8_t>(-static_cast<int>(idx[i] != key));
    mask[3 * i] = mask[3 * i + 1] = mask[3 * i + 2] = m;
  }
}

}  // namespace

void draw_image(const ImageRecord& src, DibSurface& dst, const Rect* clip, int x, int y) {
  const DibSurface& s = src.surface;
  if (!has_surface(src) || dst.width <= 0 || dst.height <= 0) return;
  int mode = src.trans_mode;
  int cw = cell_width(src);
  int vw = mode == kTransAlpha ? cw / 2 : cw;
  if (vw <= 0 || src.current_cell < 0) return;
  // A cell number past the picture (the cell command does not check it)
  // draws what lies inside the picture, which may be nothing.
  int64_t origin = int64_t(src.current_cell) * cw;
  int64_t avail = s.width - origin - (mode == kTransAlpha ? vw : 0);
  if (avail <= 0) return;
  int64_t width = std::min<int64_t>(vw, avail);

  int64_t left = 0, top = 0, right = dst.width - 1, bottom = dst.height - 1;
  if (clip) {
    left = std::max(clip->left, 0);
    top = std::max(clip->top, 0);
    right = std::min(clip->right, dst.width - 1);
    bottom = std::min(clip->bottom, dst.height - 1);
  }
  int64_t x0 = std::max<int64_t>(x, left), x1 = std::min<int64_t>(int64_t(x) + width - 1, right);
  int64_t y0 = std::max<int64_t>(y, top), y1 = std::min<int64_t>(int64_t(y) + s.height - 1, bottom);
  if (x0 > x1 || y0 > y1) return;
  int n = static_cast<int>(x1 - x0 + 1);
  int sx = static_cast<int>(origin + (x0 - x));
  int sy = static_cast<int>(y0 - y);
  size_t bytes = size_t(n) * 3;

  int a = src.alpha == -1 ? 255 : std::clamp(src.alpha, 0, 255);
  bool indexed = !src.indices.empty();
  uint32_t key = 0;
  uint8_t key_index = 0;
  RowKind kind;
  switch (mode) {
    case kTransAlpha:
      kind = a == 255 ? RowKind::Mask : RowKind::MaskAlpha;
      break;
    case kTransLeftTop:
    case kTransRightTop:
    case kTransColourKey: {
      int kx = mode == kTransRightTop ? s.width - 1 : 0;
      if (indexed) {
        key_index = mode == kTransColourKey ? static_cast<uint8_t>(src.key_index) : src.indices[kx];
        kind = a == 255 ? RowKind::IndexKey : RowKind::IndexKeyAlpha;
      } else {
        key = mode == kTransColourKey
                  ? uint32_t(src.key_blue & 255) | uint32_t(src.key_green & 255) << 8 |
                        uint32_t(src.key_red & 255) << 16
                  : pixel_at(s.row(0) + 3 * kx);
        kind = a == 255 ? RowKind::Key : RowKind::KeyAlpha;
      }
      break;
    }
    default:
      kind = a == 255 ? RowKind::Copy : RowKind::CopyAlpha;
      break;
  }

  const uint8_t (*t)[256] = blend_table().t;
  uint8_t* work = kind == RowKind::Copy || kind == RowKind::CopyAlpha ? nullptr : scratch(bytes).data();
  for (int64_t yy = y0; yy <= y1; ++yy, ++sy) {
    const uint8_t* sp = s.row(sy) + size_t(sx) * 3;
    uint8_t* dp = dst.row(static_cast<int>(yy)) + size_t(x0) * 3;
    switch (kind) {
      case RowKind::Copy:
        std::memcpy(dp, sp, bytes);
        break;
      case RowKind::CopyAlpha:
        blend_row_const(dp, sp, static_cast<uint8_t>(a), bytes);
        break;
      case RowKind::Key:
        key_mask_row(work, sp, n, key);
        select_row(dp, sp, work, bytes);
        break;
      case RowKind::KeyAlpha:
        key_mask_row(work, sp, n, key);
        for (size_t i = 0; i < bytes; ++i) work[i] &= static_cast<uint8_t>(a);
        blend_row(dp, sp, work, bytes);
        break;
      case RowKind::IndexKey:
        index_mask_row(work, src.indices.data() + size_t(sy) * s.width + sx, n, key_index);
        select_row(dp, sp, work, bytes);
        break;
      case RowKind::IndexKeyAlpha:
        index_mask_row(work, src.indices.data() + size_t(sy) * s.width + sx, n, key_index);
        for (size_t i = 0; i < bytes; ++i) work[i] &= static_cast<uint8_t>(a);
        blend_row(dp, sp, work, bytes);
        break;
      case RowKind::Mask: {
        // Black mask = opaque, white = transparent: weight 255 - m.
        const uint8_t* mp = sp + size_t(vw) * 3;
        for (int i = 0; i < n; ++i) {
          uint8_t w = static_cast<uint8_t>(255 - mp[3 * i]);
          work[3 * i] = work[3 * i + 1] = work[3 * i + 2] = w;
        }
        blend_row(dp, sp, work, bytes);
        break;
      }
      case RowKind::MaskAlpha: {
        const uint8_t* mp = sp + size_t(vw) * 3;
        for (int i = 0; i < n; ++i) {
          uint8_t w = t[255 - mp[3 * i]][a];
          work[3 * i] = work[3 * i + 1] = work[3 * i + 2] = w;
        }
        blend_row(dp, sp, work, bytes);
        break;
      }
    }
  }
}

}  // namespace graphics
