// platform/clock: the millisecond clock and sleeping, real or virtual.
#pragma once
#include <cstdint>

namespace platform {

// Milliseconds since the program started (the multimedia clock).
uint32_t clock_ms();

// Sleeps; on the virtual clock returns at once and moves the clock on.
// sleep_ms(0) yields the processor on the real clock and advances the
// virtual clock by 1 ms, so that a wait polling an empty queue always ends.
void sleep_ms(uint32_t ms);

// --virtual-clock: the clock starts at 0 and advances only by sleeps.
void use_virtual_clock(bool on);
bool virtual_clock();

// Moves the virtual clock forward to t (no effect on the real clock or
// when t is in the past).
void advance_clock_to(uint32_t t);

}  // namespace platform
