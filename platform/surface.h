// platform/surface: 24-bit pictures in memory (the screen's and the images').
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// A 24-bit picture: rows top to bottom, each pixel three bytes in the order
// blue, green, red, each row padded to a multiple of 4 bytes.
struct DibSurface {
  int width = 0;
  int height = 0;
  int stride = 0;  // bytes per row
  std::vector<uint8_t> pixels;

  uint8_t* row(int y) { return pixels.data() + static_cast<size_t>(y) * stride; }
  const uint8_t* row(int y) const { return pixels.data() + static_cast<size_t>(y) * stride; }
};

// Allocates a black picture of the given size (0 x 0 frees it).
void create_surface(DibSurface& s, int width, int height);

}  // namespace platform
