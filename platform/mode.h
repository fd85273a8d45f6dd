// platform/mode: how this run meets the outside world (window or headless).
#pragma once

namespace platform {

// True with --headless: no window, no audio device, no message boxes.
// Error boxes go to standard error instead.
extern bool headless;

}  // namespace platform
