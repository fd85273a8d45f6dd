#include "graphics/effect_kinds.h"

#include <algorithm>
#include <cstring>

#include "graphics/blend.h"
#include "graphics/effect.h"
#include "graphics/image_tag.h"
#include "graphics/screen.h"
#include "graphics/simd.h"
#include "graphics/window_picture.h"
#include "platform/clock.h"

namespace graphics {

namespace {

bool empty_rect(const Rect& r) { return r.left > r.right || r.top > r.bottom; }

uint32_t since(uint32_t began) { return platform::clock_ms() - began; }

void sleep_until(uint32_t began, int64_t ms) {
  uint32_t elapsed = since(began);
  if (ms > int64_t(elapsed)) platform::sleep_ms(uint32_t(std::min<int64_t>(ms - elapsed, UINT32_MAX)));
}

// The end of a fixed-length step: one message, then the rest of its time.
void finish_step(uint32_t began, int64_t step_ms) {
  pump_effect_message();
  sleep_until(began, step_ms);
}

// The level after a step of a time-driven kind (10, 15, 18): `levels`
// levels span the duration from the effect's start, so slow steps take
// larger strides and the whole lasts the duration whatever the steps cost
// (and whatever the duration, not only multiples of the level count). A
// step faster than one level waits for the next level's moment.
int next_level(uint32_t start, int64_t duration, int levels, int level) {
  if (duration <= 0) return level + 1024;
  int64_t reached = int64_t(since(start)) * levels / duration;
  if (reached > level) return int(std::min<int64_t>(reached, level + 1024));
  sleep_until(start, ((int64_t(level) + 1) * duration + levels - 1) / levels);
  return level + 1;
}

void copy_pixel_column(DibSurface& dst, const DibSurface& src, int x, int top, int bottom) {
  for (int y = top; y <= bottom; ++y) std::memcpy(dst.row(y) + size_t(x) * 3, src.row(y) + size_t(x) * 3, 3);
}

void copy_pixel_row(DibSurface& dst, const DibSurface& src, int y, int left, int right) {
  std::memcpy(dst.row(y) + size_t(left) * 3, src.row(y) + size_t(left) * 3, size_t(right - left + 1) * 3);
}

// Kinds 2-5: 16 steps, each bringing every 16th column (row) of the rect.
void blinds(int kind, int duration, const Rect& r) {
  const Screen& s = TheScreen;
  bool columns = kind == 2 || kind == 3;
  bool forward = kind == 2 || kind == 4;
  for (int i = 0; i < 16; ++i) {
    uint32_t began = platform::clock_ms();
    int k = forward ? i : 15 - i;
    if (!empty_rect(r)) {
      if (columns)
        for (int y = r.top; y <= r.bottom; ++y) {
          const uint8_t* src = s.work.row(y);
          uint8_t* dst = WindowPicture.row(y);
          for (int x = r.left + k; x <= r.right; x += 16) std::memcpy(dst + size_t(x) * 3, src + size_t(x) * 3, 3);
        }
      else
        for (int y = r.top + k; y <= r.bottom; y += 16) copy_pixel_row(WindowPicture, s.work, y, r.left, r.right);
    }
    show_window_picture();
    finish_step(began, duration / 16);
  }
}

// Kinds 6-9: sweeps of 24 lines spread 23 apart, 24 lines further each step.
void staggered_blinds(int kind, int duration, const Rect& r) {
  const Screen& s = TheScreen;
  bool columns = kind == 6 || kind == 7;
  bool forward = kind == 6 || kind == 8;
  int64_t last = columns ? int64_t(s.width) * 1170 / 640 - 1 : int64_t(s.height) * 1010 / 480 - 1;
  int64_t step_ms = columns ? int64_t(duration) * s.width / 30720 : int64_t(duration) * s.height / 20160;
  for (int64_t at = forward ? 0 : last; forward ? at <= last : at >= 0; at += forward ? 24 : -24) {
    uint32_t began = platform::clock_ms();
    for (int j = 0; j < 24 && !empty_rect(r); ++j) {
      int64_t line = at - 23 * j;
      if (columns && line >= r.left && line <= r.right)
        copy_pixel_column(WindowPicture, s.work, int(line), r.top, r.bottom);
      if (!columns && line >= r.top && line <= r.bottom)
        copy_pixel_row(WindowPicture, s.work, int(line), r.left, r.right);
    }
    show_window_picture();
    finish_step(began, step_ms);
  }
}

// Kind 10: the level k grows with the time spent, so slow steps are
// larger and the whole takes the duration.
void crossfade(int duration, const Rect& r) {
  Screen& s = TheScreen;
  copy_rect(s.scratch, s.display, r.left, r.top, r.right, r.bottom);
  int k = duration > 0 ? 1 : 255;  // no time at all: one step to the end
  uint32_t start = platform::clock_ms();
  for (int parity = 1;; parity ^= 1) {
    if (!empty_rect(r)) {
      crossfade_step(s.scratch, s.display, s.work, r, k, parity);
      copy_rect(WindowPicture, s.scratch, r.left, r.top, r.right, r.bottom);
    }
    show_window_picture();
    pump_effect_message();
    if (k == 255) break;
    k = std::min(next_level(start, duration, 256, k), 255);
  }
}

// Kinds 11-14: the window's content moves 8 columns (6 rows) a step and the
// new picture's next strip enters at the edge.
void scroll(int kind, int duration) {
  const Screen& s = TheScreen;
  DibSurface& w = WindowPicture;
  int W = s.width, H = s.height;
  if (kind == 11 || kind == 12) {
    int64_t step_ms = int64_t(duration) * W / 51200;
    size_t shift = 24, bytes = size_t(W) * 3 - shift;
    for (int n = kind == 11 ? W - 8 : 0; kind == 11 ? n >= 0 : n < W - 7; n += kind == 11 ? -8 : 8) {
      uint32_t began = platform::clock_ms();
      int to = kind == 11 ? 0 : W - 8;
      for (int y = 0; y < H; ++y) {
        uint8_t* row = w.row(y);
        if (kind == 11)
          std::memmove(row + shift, row, bytes);
        else
          std::memmove(row, row + shift, bytes);
        std::memcpy(row + size_t(to) * 3, s.work.row(y) + size_t(n) * 3, shift);
      }
      show_window_picture();
      finish_step(began, step_ms);
    }
    return;
  }
  int64_t step_ms = int64_t(duration) * H / 38400;
  size_t row_bytes = size_t(W) * 3;
  for (int n = kind == 13 ? H - 6 : 0; kind == 13 ? n >= 0 : n < H - 5; n += kind == 13 ? -6 : 6) {
    uint32_t began = platform::clock_ms();
    if (kind == 13) {
      for (int y = H - 1; y >= 6; --y) std::memcpy(w.row(y), w.row(y - 6), row_bytes);
      for (int i = 0; i < 6; ++i) std::memcpy(w.row(i), s.work.row(n + i), row_bytes);
    } else {
      for (int y = 0; y + 6 < H; ++y) std::memcpy(w.row(y), w.row(y + 6), row_bytes);
      for (int i = 0; i < 6; ++i) std::memcpy(w.row(H - 6 + i), s.work.row(n + i), row_bytes);
    }
    show_window_picture();
    finish_step(began, step_ms);
  }
}

// Kind 15: pixels come in by the mask's value, dark first; a pixel that
// came in is never visited again (its pixels are kept in value order).
void mask_wipe(int duration, const std::string& mask_tag, const Rect& r) {
  Screen& s = TheScreen;
  DibSurface mask;
  tile_mask(mask_tag, s.width, s.height, mask);
  auto value = [&mask](int x, int y) { return mask.row(y)[size_t(x) * 3]; };
  // Pixels of the rect by mask value: a counting sort, so each step takes
  // only the values it passes.
  std::vector<uint32_t> start(257, 0);
  std::vector<uint32_t> order;
  if (!empty_rect(r)) {
    for (int y = r.top; y <= r.bottom; ++y)
      for (int x = r.left; x <= r.right; ++x) ++start[value(x, y) + 1];
    for (int v = 0; v < 256; ++v) start[v + 1] += start[v];
    order.resize(start[256]);
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    for (int y = r.top; y <= r.bottom; ++y)
      for (int x = r.left; x <= r.right; ++x) order[fill[value(x, y)]++] = uint32_t(y) * s.width + x;
  }
  int done = -1;  // values up to this one have come in
  uint32_t began = platform::clock_ms();
  for (int t = 1; t <= 254;) {
    for (int v = done + 1; v <= t && !order.empty(); ++v)
      for (uint32_t i = start[v]; i < start[v + 1]; ++i) {
        int x = int(order[i] % s.width), y = int(order[i] / s.width);
        std::memcpy(s.display.row(y) + size_t(x) * 3, s.work.row(y) + size_t(x) * 3, 3);
      }
    done = std::max(done, t);
    copy_rect(WindowPicture, s.display, r.left, r.top, r.right, r.bottom);
    show_window_picture();
    pump_effect_message();
    t = next_level(began, duration, 256, t);
  }
}

// Kinds 16, 17: block sizes growing (old picture) or shrinking (new one).
void mosaic(int kind, int duration) {
  Screen& s = TheScreen;
  static const int kSizes[6] = {5, 10, 20, 40, 80, 160};
  if (kind == 16) std::memcpy(s.scratch.pixels.data(), s.display.pixels.data(), s.display.pixels.size());
  for (int i = 0; i < 6; ++i) {
    uint32_t began = platform::clock_ms();
    if (kind == 16) {
      mosaic_fill(s.display, s.scratch, kSizes[i]);
      std::memcpy(WindowPicture.pixels.data(), s.display.pixels.data(), s.display.pixels.size());
    } else {
      // Drawn on the window only: the display outside the rectangle being
      // shown keeps its picture, and the final copy shows the new one.
      mosaic_fill(WindowPicture, s.work, kSizes[5 - i]);
    }
    show_window_picture();
    finish_step(began, duration / 10);
  }
}

// Kind 18: each pixel fades over 255 levels, starting at its mask value.
void mask_crossfade(int duration, const std::string& mask_tag, const Rect& r) {
  Screen& s = TheScreen;
  DibSurface mask;
  tile_mask(mask_tag, s.width, s.height, mask);
  copy_rect(s.scratch, s.display, r.left, r.top, r.right, r.bottom);  // the old picture
  uint32_t start = platform::clock_ms();
  for (int t = 1; t < 512;) {
    if (!empty_rect(r)) {
      mask_crossfade_step(s.display, s.scratch, s.work, mask, r, t);
      copy_rect(WindowPicture, s.display, r.left, r.top, r.right, r.bottom);
    }
    show_window_picture();
    pump_effect_message();
    t = next_level(start, duration, 512, t);
  }
}

// Kind 90: the picture stays as it is for the duration.
void hold(int duration) {
  Screen& s = TheScreen;
  for (int i = 0; i < 10; ++i) {
    uint32_t began = platform::clock_ms();
    // Up to one message per screen row: the queue is drained, and an
    // empty queue ends the pumping at once.
    for (int y = 0; y < s.height && pump_effect_message(); ++y) {
    }
    std::memcpy(WindowPicture.pixels.data(), s.display.pixels.data(), s.display.pixels.size());
    std::memcpy(s.scratch.pixels.data(), s.display.pixels.data(), s.display.pixels.size());
    show_window_picture();
    sleep_until(began, duration / 10);
  }
}

}  // namespace

void crossfade_step(DibSurface& out, const DibSurface& old, const DibSurface& neu, const Rect& r, int level,
                    int parity) {
  const auto& t = blend_table().t;
  const uint8_t* keep = t[255 - level];
  const uint8_t* take = t[level];
  size_t first = size_t(r.left) * 3, end = size_t(r.right + 1) * 3;
  for (int y = r.top; y <= r.bottom; ++y) {
    uint8_t* o = out.row(y);
    const uint8_t* a = old.row(y);
    const uint8_t* b = neu.row(y);
    size_t i = first + ((first & 1) != size_t(parity));
#if defined(__SSE2__)
    // Sixteen bytes at a time from an offset of the right parity: the
    // even lanes of each block are the ones to change.
    __m128i w = _mm_set1_epi8(static_cast<char>(level));
    __m128i lanes = _mm_set1_epi16(0x00ff);
    for (; i + 16 <= end; i += 16) {
      __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
      __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
      __m128i vo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(o + i));
      __m128i mixed = blend16(vb, va, w);
      __m128i r16 = _mm_or_si128(_mm_and_si128(lanes, mixed), _mm_andnot_si128(lanes, vo));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o + i), r16);
    }
#endif
    for (; i < end; i += 2) o[i] = static_cast<uint8_t>(keep[a[i]] + take[b[i]]);
  }
}

void tile_mask(const std::string& tag, int width, int height, DibSurface& mask) {
  create_surface(mask, width, height);
  ImageRecord m;
  load_image_tag(m, tag);
  if (!has_surface(m)) return;  // a silent miss: as black
  int vw = visible_width(m), vh = visible_height(m);
  int cell = std::clamp(m.current_cell, 0, std::max(m.cell_count, 1) - 1);
  int64_t x0 = int64_t(cell) * cell_width(m);
  if (vw <= 0 || vh <= 0 || x0 + vw > m.surface.width) return;
  for (int y = 0; y < height; ++y) {
    const uint8_t* src = m.surface.row(y % vh) + x0 * 3;
    uint8_t* dst = mask.row(y);
    for (int x = 0; x < width; ++x) std::memset(dst + size_t(x) * 3, src[size_t(x % vw) * 3], 3);
  }
}

namespace {

// w = max(t - m, 0) for t <= 255; for t > 255 (u = t - 255),
// w = 255 - max(m - u, 0), which is min(t - m, 255).
void fade_weights(uint8_t* w, const uint8_t* m, size_t n, int t) {
  bool late = t > 255;
  if (late && t - 255 > 255) {
    std::memset(w, 255, n);
    return;
  }
  uint8_t level = uint8_t(late ? t - 255 : t);
  size_t i = 0;
#if defined(__SSE2__)
  __m128i vl = _mm_set1_epi8(static_cast<char>(level)), all = _mm_set1_epi8(static_cast<char>(255));
  for (; i + 16 <= n; i += 16) {
    __m128i vm = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + i));
    __m128i r = late ? _mm_sub_epi8(all, _mm_subs_epu8(vm, vl)) : _mm_subs_epu8(vl, vm);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(w + i), r);
  }
#endif
  for (; i < n; ++i)
    w[i] = late ? uint8_t(255 - (m[i] > level ? m[i] - level : 0)) : uint8_t(m[i] < level ? level - m[i] : 0);
}

}  // namespace

void mask_crossfade_step(DibSurface& out, const DibSurface& old, const DibSurface& neu, const DibSurface& mask,
                         const Rect& r, int t) {
  // Every pixel is T[new][w] + T[old][255 - w] with w = t - m limited to
  // 0..255: w = 255 is the new pixel itself (a finished one), w = 0 the old
  // one (not begun: the display still holds it), so one blend per row does
  // all three cases.
  size_t n = size_t(r.right - r.left + 1) * 3;
  std::vector<uint8_t> weights(n);
  for (int y = r.top; y <= r.bottom; ++y) {
    size_t at = size_t(r.left) * 3;
    fade_weights(weights.data(), mask.row(y) + at, n, t);
    std::memcpy(out.row(y) + at, old.row(y) + at, n);
    blend_row(out.row(y) + at, neu.row(y) + at, weights.data(), n);
  }
}

void mosaic_fill(DibSurface& dst, const DibSurface& src, int size) {
  int W = dst.width, H = dst.height;
  if (size <= 0 || W <= 0) return;
  std::vector<uint8_t> band(size_t(W) * 3);
  for (int bottom = H - 1; bottom >= 0; bottom -= size) {
    const uint8_t* s = src.row(bottom);
    for (int x0 = 0; x0 < W; x0 += size) {
      int x1 = std::min(W, x0 + size);
      for (int x = x0; x < x1; ++x) std::memcpy(band.data() + size_t(x) * 3, s + size_t(x0) * 3, 3);
    }
    for (int y = std::max(0, bottom - size + 1); y <= bottom; ++y) std::memcpy(dst.row(y), band.data(), band.size());
  }
}

bool run_effect_kind(int kind, int duration, const std::string& mask, const Rect& r) {
  begin_window_drawing();
  switch (kind) {
    case 2:
    case 3:
    case 4:
    case 5: blinds(kind, duration, r); break;
    case 6:
    case 7:
    case 8:
    case 9: staggered_blinds(kind, duration, r); break;
    case 10: crossfade(duration, r); break;
    case 11:
    case 12:
    case 13:
    case 14: scroll(kind, duration); break;
    case 15: mask_wipe(duration, mask, r); break;
    case 16:
    case 17: mosaic(kind, duration); break;
    case 18: mask_crossfade(duration, mask, r); break;
    case 90: hold(duration); break;
    default: break;
  }
  if (kind != 16 && kind != 90) return true;
  if (effect_settings.blank_ms > 0) platform::sleep_ms(uint32_t(effect_settings.blank_ms));
  mark_whole_screen();
  end_window_drawing();
  return false;
}

}  // namespace graphics
