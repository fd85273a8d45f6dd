// graphics/surface: 24-bit pictures in memory, the platform's, under the names the picture code uses.
#pragma once
#include "platform/surface.h"

namespace graphics {

using platform::create_surface;
using platform::DibSurface;

}  // namespace graphics
