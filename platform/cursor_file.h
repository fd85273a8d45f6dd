// platform/cursor_file: Windows cursor files (.cur) read into pointer cursors.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// One cursor picture: rows top to bottom, 0xAARRGGBB pixels.
struct CursorImage {
  int width = 0, height = 0;
  int hot_x = 0, hot_y = 0;
  std::vector<uint32_t> argb;
};

// Reads the first picture of a .cur (or .ico) file held in memory: the icon
// directory, then a BMP (1, 4, 8, 24 or 32 bits with the AND mask) or PNG
// image. Every offset and size is checked against the data; false on any
// fault.
bool read_cursor_file(const uint8_t* data, size_t size, CursorImage& out);

// Loads the file and makes it the window's pointer; false when it cannot
// be read. use_arrow_cursor goes back to the standard arrow.
bool use_cursor_file(const std::string& path);
void use_arrow_cursor();
// Sets the loaded cursor again (the window procedure does this while the
// pointer is over the client area).
void reapply_cursor();
void release_cursor();

}  // namespace platform
