// interp/random: the scenario's random number generator (rnd, rnd2).
#pragma once
#include <cstdint>

namespace interp {

// Seeds the generator; start-up and restart pass platform::clock_ms().
void seed_random(uint32_t seed);

// One draw: 0..32767 (the C library's linear congruential generator).
int32_t draw_random();

}  // namespace interp
