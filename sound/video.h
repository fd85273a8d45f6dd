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
  int64_t max_late_ms = 0;       // the latest a shown picture came after its time
  bool sound_heard = false;      // its sound went to the audio device
  bool paced_by_sound = false;   // and its pictures followed the sound's clock
  int64_t sound_frames = 0;      // sample frames of its sound read (device rate)
  int64_t sound_frames_fed = 0;  // of them, given to the audio device
};
extern VideoStats last_video_stats;

// Plays the film at `path` (on disk, UTF-8) over the screen, letterboxed,
// until its end or, with click_ends, a click. A film with sound plays it at
// the music attenuation and ends when both its pictures and its sound have
// ended; `log_name` (Shift-JIS, the name the script gave) names the sound in
// the audio log. When the sound is heard the pictures follow the sound's
// clock, else the program's clock (virtual clock runs never use the audio
// device's pace). The window's messages are handled all along. False when
// the film cannot be played (then nothing was shown).
bool play_video_file(const std::string& path, bool click_ends, platform::VideoOpenError& error, std::string& error_text,
                     const std::string& log_name = "");

// stop_all_sound's part: a film that plays ends now, its sound at once.
void stop_film();
// The music attenuation changed: a film's sound follows it.
void apply_film_attenuation(int32_t att);

// The film a scenario names (Shift-JIS): on disk, or else extracted from the
// archives into a temporary file (`temporary` set; the caller deletes it).
// A missing file is the load error box, unless load errors are suppressed:
// then false.
bool find_video_file(const std::string& sjis_name, std::string& path, bool& temporary);

// Start and restart: nothing is playing.
void reset_video();

}  // namespace sound
