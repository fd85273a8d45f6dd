// platform/screenshot: 24-bit pictures written as PNG files (libpng).
#pragma once
#include <string>

namespace platform {

struct DibSurface;

// Writes the picture as an 8-bit RGB PNG; false when the file cannot be
// written or the picture is empty.
bool write_png(const DibSurface& surface, const std::string& path);

}  // namespace platform
