// graphics/spb: the SPB picture format (a bit stream of per-plane deltas).
#pragma once
#include <cstddef>
#include <cstdint>

#include "graphics/surface.h"

namespace graphics {

// Decodes an SPB stream: 16-bit width and height, then the blue, green and
// red planes, each as a start value and groups of four deltas walking the
// rows in alternating directions. False for a zero size, a picture too large,
// or a stream too short to hold the picture it announces.
bool read_spb(const uint8_t* data, size_t size, DibSurface& out);

}  // namespace graphics
