// sound/video: playing a film over the game's picture and waiting until it ends.
#pragma once
#include <cstdint>
#include <string>

#include "platform/video.h"

namespace sound {

// 1 while a film or the HTML page is shown: the window then shows the
// film's picture instead of the game's.
extern int32_t video_playing;
// 1 while `ie` waits for the page to be left.
extern int32_t html_window_active;

// How the last film went (timing programs and tests).
struct VideoStats {
  int frames_shown = 0;
  int frames_dropped = 0;  // decoded too late to be shown in their time
  uint32_t played_ms = 0;  // clock time from the first picture to the end
  bool ended_by_click = false;
};
extern VideoStats last_video_stats;

// Plays the film at `path` (on disk, UTF-8) over the screen, letterboxed,
// until its end or, with click_ends, a click. The pictures keep the film's
// times on the program's clock; the window's messages are handled all along.
// False when the film cannot be played (then nothing was shown).
bool play_video_file(const std::string& path, bool click_ends, platform::VideoOpenError& error,
                     std::string& error_text);

// The film a scenario names (Shift-JIS): on disk, or else extracted from the
// archives into a temporary file (`temporary` set; the caller deletes it).
// A missing file is the load error box, unless load errors are suppressed:
// then false.
bool find_video_file(const std::string& sjis_name, std::string& path, bool& temporary);

// Start and restart: nothing is playing.
void reset_video();

}  // namespace sound
