// fuzz_cursor_files: cursor (.cur, .ico) files through the cursor reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/cursor_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::CursorImage image;
  if (!platform::read_cursor_file(data, size, image)) return 0;
  if (image.width <= 0 || image.height <= 0 || image.argb.size() != size_t(image.width) * image.height ||
      image.hot_x < 0 || image.hot_y < 0 || image.hot_x >= image.width || image.hot_y >= image.height)
    std::abort();
  return 0;
}
