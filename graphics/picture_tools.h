// graphics/picture_tools: the authoring tools: alpha pictures from black and white renderings, cutting, chaining,
// statistics, convgif.
#pragma once
#include <string>

#include "graphics/surface.h"

namespace graphics {

// The alpha picture of bw2a and bw2a2: `on_black` and `on_white` (same size)
// give the mask ((white sum) - (black sum)) / 3, 0 where they are equal;
// columns fully transparent on both sides and rows fully transparent at the
// top are trimmed; colours on the left, mask on the right.
void make_alpha_picture(const DibSurface& on_black, const DibSurface& on_white, DibSurface& out);

void cmd_bw2a();      // bw2a "name": name_b.bmp and name_w.bmp to out\name.bmp
void cmd_bw2a2();     // bw2a2 "name": name_b.bmp on a white partner
void cmd_bmpcut();    // bmpcut "tag", columns, rows
void cmd_chainbmp();  // chainbmp "file.bmp": appended to out.bmp
void cmd_grptest();   // grptest "tag": neighbour differences to out.txt
void cmd_convgif();   // convgif "file": onto the background surface

}  // namespace graphics
