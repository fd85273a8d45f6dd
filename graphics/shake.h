// graphics/shake: the screen shakes (quake, quakex, quakey) and the zoom flash (flushout, yugami).
#pragma once

namespace graphics {

// duration/100 steps of 100 ms, the picture at a random offset of up to
// 3 x amplitude each way.
void quake(int amplitude, int duration);
// count swings of shrinking amplitude (16k, k = count .. 1), horizontal or
// vertical, 16 positions each.
void quake_swing(bool vertical, int count, int duration);
// The picture zooms into a white flash over the duration; display, work and
// background end white.
void flush_out(int duration);

// The shakes' generator back at its first seed.
void reset_shake();

}  // namespace graphics
