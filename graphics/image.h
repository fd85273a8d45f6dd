// graphics/image: the record a loaded image tag fills, and its release.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/surface.h"

namespace graphics {

// Transparency modes of an image.
enum TransMode : int {
  kTransLeftTop = 0,    // colour key = the top-left pixel
  kTransAlpha = 1,      // colours on the left of each cell, mask on the right
  kTransColourKey = 2,  // key from #rrggbb (24-bit) or !n (palette pictures)
  kTransCopy = 3,       // opaque
  kTransRightTop = 4,   // colour key = the top-right pixel of the whole picture
};

// Animation modes of a picture with several cells.
enum AnimMode : int { kAnimLoop = 0, kAnimStop = 1, kAnimPingPong = 2, kAnimManual = 3 };

constexpr int kManualInterval = 0xFFFFFF;  // cell_interval_ms of mode 3

// One picture slot (background, standing picture, sprite, cursor, ...).
// The empty state is what a default-constructed record holds; the colour
// keys survive release_image, as a later tag may rely on them.
struct ImageRecord {
  std::string tag;
  uint32_t last_step_ms = 0;
  int step_direction = 1;
  int key_red = 0, key_green = 0, key_blue = 0;
  int key_index = 0;
  DibSurface surface;            // 24-bit; width 0 = no picture
  std::vector<uint8_t> indices;  // palette index per pixel for palette pictures, else empty
  int trans_mode = kTransCopy;
  int alpha = -1;  // -1 opaque, else 0..255
  int current_cell = 0;
  int cell_count = 1;
  int cell_interval_ms = 0;  // -1: use cell_intervals
  std::vector<int> cell_intervals;
  int anim_mode = kAnimLoop;
};

inline bool has_surface(const ImageRecord& r) { return r.surface.width > 0; }

// Width of one cell (at least 1 cell is assumed whatever cell_count says).
int cell_width(const ImageRecord& r);
// Width of the picture on screen: the cell width, halved in alpha mode.
int visible_width(const ImageRecord& r);
inline int visible_height(const ImageRecord& r) { return r.surface.height; }

// Frees the picture and returns every field but the colour keys to empty.
void release_image(ImageRecord& r);

}  // namespace graphics
