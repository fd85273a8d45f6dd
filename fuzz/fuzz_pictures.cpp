// fuzz_pictures: picture files through the BMP, JPEG and SPB readers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "graphics/bmp.h"
#include "graphics/jpeg.h"
#include "graphics/spb.h"

namespace {

// A picture read is whole: its rows hold every pixel, its indices one byte each.
void check(bool ok, const graphics::DibSurface& s, const std::vector<uint8_t>* indices) {
  if (!ok) return;
  if (s.width <= 0 || s.height <= 0 || s.pixels.size() < size_t(s.height) * s.width * 3) std::abort();
  if (indices && !indices->empty() && indices->size() != size_t(s.width) * s.height) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  graphics::DibSurface s;
  std::vector<uint8_t> indices;
  check(graphics::read_bmp(data, size, s, indices), s, &indices);
  check(graphics::read_jpeg(data, size, s), s, nullptr);
  check(graphics::read_spb(data, size, s), s, nullptr);
  return 0;
}
