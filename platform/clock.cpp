#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace platform {

namespace {
using Clock = std::chrono::steady_clock;
const Clock::time_point start_time = Clock::now();
bool virtual_on = false;
uint32_t virtual_now = 0;
}  // namespace

uint32_t clock_ms() {
  if (virtual_on) return virtual_now;
  auto elapsed = Clock::now() - start_time;
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void sleep_ms(uint32_t ms) {
  if (virtual_on) {
    virtual_now += ms == 0 ? 1 : ms;
    return;
  }
  if (ms == 0)
    std::this_thread::yield();
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void use_virtual_clock(bool on) {
  virtual_on = on;
  virtual_now = 0;
}

bool virtual_clock() { return virtual_on; }

void advance_clock_to(uint32_t t) {
  if (virtual_on && t > virtual_now) virtual_now = t;
}

}  // namespace platform
