#include "graphics/draw_image.h"

#include <algorithm>
#include <cstring>

#include "graphics/blend.h"
#include "graphics/draw_rows.h"

namespace graphics {

namespace {

// The pixel as one number, for key comparisons.
inline uint32_t pixel_at(const uint8_t* p) { return p[0] | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16); }

// How a row is drawn; chosen once per call, never per pixel.
enum class RowKind { Copy, CopyAlpha, Key, IndexKey, Mask };

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

  const Rect limits = clamp_rect(clip, dst.width, dst.height);
  const int64_t left = limits.left, top = limits.top, right = limits.right, bottom = limits.bottom;
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
    case kTransAlpha: kind = RowKind::Mask; break;
    case kTransLeftTop:
    case kTransRightTop:
    case kTransColourKey: {
      int kx = mode == kTransRightTop ? s.width - 1 : 0;
      if (indexed) {
        key_index = mode == kTransColourKey ? static_cast<uint8_t>(src.key_index) : src.indices[kx];
        kind = RowKind::IndexKey;
      } else {
        key = mode == kTransColourKey ? uint32_t(src.key_blue & 255) | uint32_t(src.key_green & 255) << 8 |
                                            uint32_t(src.key_red & 255) << 16
                                      : pixel_at(s.row(0) + 3 * kx);
        kind = RowKind::Key;
      }
      break;
    }
    default: kind = a == 255 ? RowKind::Copy : RowKind::CopyAlpha; break;
  }

  for (int64_t yy = y0; yy <= y1; ++yy, ++sy) {
    const uint8_t* sp = s.row(sy) + size_t(sx) * 3;
    uint8_t* dp = dst.row(static_cast<int>(yy)) + size_t(x0) * 3;
    switch (kind) {
      case RowKind::Copy: std::memcpy(dp, sp, bytes); break;
      case RowKind::CopyAlpha: blend_row_const(dp, sp, static_cast<uint8_t>(a), bytes); break;
      case RowKind::Key: draw_key_row(dp, sp, n, key, a); break;
      case RowKind::IndexKey:
        draw_index_key_row(dp, sp, src.indices.data() + size_t(sy) * s.width + sx, n, key_index, a);
        break;
      case RowKind::Mask: draw_alpha_row(dp, sp, sp + size_t(vw) * 3, n, a); break;
    }
  }
}

}  // namespace graphics
