#include "sound/video.h"

#include <algorithm>
#include <vector>

#include "graphics/archive.h"
#include "graphics/image_tag.h"
#include "graphics/surface.h"
#include "interp/error.h"
#include "interp/runloop.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "sound/sounding.h"
#include "sound/volume.h"
#include "text/wait.h"

namespace sound {

int32_t video_playing = 0;
int32_t html_window_active = 0;
VideoStats last_video_stats;

namespace {

static_assert(platform::kVideoAudioRate == platform::kAudioRate, "film sound is read in the device's format");
constexpr int64_t kRate = platform::kVideoAudioRate;

// The picture the window shows while a film plays (screen size).
graphics::DibSurface video_picture;

// Longest sleep between two looks at the message queue.
constexpr uint32_t kPollMs = 5;
// Sound given to the device ahead of what it plays: enough to ride out a
// slow picture, little enough that a click silences the film at once.
constexpr uint32_t kSoundLeadMs = 250;
// Sample frames read from the film at a time.
constexpr int kSoundChunk = 2048;
// The device takes the sound in blocks (about 23 ms); between two blocks the
// sound's clock moves on with the program's clock, but never by more than this.
constexpr int64_t kBetweenBlocksMs = 40;
// A device whose position has not moved for this long has stopped.
constexpr uint32_t kDeviceStallMs = 1000;

struct Playback {
  platform::VideoFile* film = nullptr;
  bool click_ends = false;
  bool stopped = false;  // a click, a reset or stop_film ended it
  // The program's clock at film time `base_ms` (when not paced by the sound).
  uint32_t start = 0;
  int64_t base_ms = 0;
  // The film's sound.
  bool has_sound = false;
  int stream = -1;            // the device's fed stream while the sound is heard
  bool paced = false;         // the film's time is the sound's position
  bool sound_ended = false;   // the last read found no more sound
  int64_t sound_length = -1;  // ms, known once the sound has been read to its end
  int64_t device_pos = -1;    // the position last seen and when it changed
  uint32_t device_pos_at = 0;
  int64_t last_now = 0;  // film time never runs backwards
  std::vector<int16_t> chunk;
};

Playback* current = nullptr;

void close_sound_stream(Playback& p) {
  if (p.stream < 0) return;
  platform::audio_stream_close(p.stream);
  p.stream = -1;
}

// The film's time in ms. Paced by the sound: what has been fed less what
// still waits, moved on between the device's blocks by the program's clock.
// Once the heard sound has run out the program's clock carries on from there.
int64_t film_now(Playback& p) {
  uint32_t now = platform::clock_ms();
  if (p.paced) {
    uint32_t queued = platform::audio_stream_queued_ms(p.stream);
    int64_t pos = last_video_stats.sound_frames_fed * 1000 / kRate - queued;
    if (queued == 0 && p.sound_ended) {
      p.paced = false;
      p.start = now;
      p.base_ms = std::max(p.last_now, pos);
      return p.last_now = p.base_ms;
    }
    if (pos != p.device_pos) {
      p.device_pos = pos;
      p.device_pos_at = now;
    } else if (static_cast<uint32_t>(now - p.device_pos_at) > kDeviceStallMs) {
      // A device that stopped taking sound must not hold the film: the
      // program's clock goes on and the sound is read on it, unheard.
      p.paced = false;
      close_sound_stream(p);
      p.start = now;
      p.base_ms = p.last_now;
      return p.last_now;
    }
    int64_t t = pos + std::min<int64_t>(static_cast<uint32_t>(now - p.device_pos_at), kBetweenBlocksMs);
    return p.last_now = std::max(p.last_now, t);
  }
  int64_t t = p.base_ms + static_cast<uint32_t>(now - p.start);
  return p.last_now = std::max(p.last_now, t);
}

// Reads up to `frames` of the film's sound into p.chunk; notes its end.
int read_sound(Playback& p, int frames) {
  int n = platform::read_video_audio(p.film, p.chunk.data(), frames);
  last_video_stats.sound_frames += n;
  p.sound_ended = n < frames;
  if (p.sound_ended && p.sound_length < 0) {
    p.sound_length = last_video_stats.sound_frames * 1000 / kRate;
    note_length(kFilmTarget, p.sound_length);
  }
  return n;
}

// Keeps the sound going: heard, the device's queue is kept kSoundLeadMs
// ahead; not heard, the sound is read (and let go) up to the film's time,
// so that it costs what it would and its end is known on the clock in use.
void keep_sound(Playback& p) {
  if (!p.has_sound || p.stopped) return;
  if (p.stream >= 0) {
    while (platform::audio_stream_queued_ms(p.stream) < kSoundLeadMs) {
      int n = read_sound(p, kSoundChunk);
      if (n > 0 && !platform::audio_stream_feed(p.stream, p.chunk.data(), static_cast<size_t>(n))) break;
      last_video_stats.sound_frames_fed += n;
      if (p.sound_ended) break;
    }
    return;
  }
  int64_t due = film_now(p) * kRate / 1000;
  while (!p.sound_ended && last_video_stats.sound_frames < due)
    read_sound(p, static_cast<int>(std::min<int64_t>(kSoundChunk, due - last_video_stats.sound_frames)));
}

// The sound has ended (or there is none) and, heard, has been played out.
bool sound_over(Playback& p) {
  if (!p.has_sound) return true;
  if (p.stream >= 0) return p.sound_ended && !p.paced && platform::audio_stream_queued_ms(p.stream) == 0;
  return p.sound_length >= 0 && film_now(p) >= p.sound_length;
}

// Handles the window's messages until the film's time reaches `until_ms`
// and, with `and_sound`, its sound is over. False when the film is to end now.
bool wait_until(Playback& p, int64_t until_ms, bool and_sound = false) {
  while (true) {
    text::pump_one_message();
    if (p.stopped) return false;
    if (p.click_ends && text::click_flag) {
      last_video_stats.ended_by_click = true;
      return false;
    }
    if (interp::menu_reset_request) return false;
    keep_sound(p);
    int64_t left = until_ms - film_now(p);
    if (left <= 0) {
      if (!and_sound || sound_over(p)) return true;
      left = p.stream < 0 && p.sound_length >= 0 ? p.sound_length - film_now(p) : kPollMs;
      if (left <= 0) left = 1;
    }
    platform::sleep_ms(static_cast<uint32_t>(std::min<int64_t>(left, kPollMs)));
  }
}

void show_frame(Playback& p) {
  graphics::DibSurface& s = video_picture;
  if (platform::draw_video_frame(p.film, s.pixels.data(), s.stride, s.width, s.height)) {
    ++last_video_stats.frames_shown;
    platform::present_display();
  }
}

// Starts the film's sound at the music attenuation: on the device when it
// is heard and the clock is real, else only read on the clock in use.
void start_sound(Playback& p, const std::string& log_name) {
  p.has_sound = platform::video_info(p.film).has_audio;
  if (!p.has_sound) return;
  p.chunk.resize(static_cast<size_t>(kSoundChunk) * 2);
  if (!platform::virtual_clock() && platform::audio_start() && platform::audio_heard()) {
    p.stream = platform::audio_stream_open(platform::kVideoAudioRate, 2);
    if (p.stream >= 0) {
      platform::audio_stream_set_volume(p.stream, platform::mixer_volume(music_attenuation));
      p.paced = true;
      last_video_stats.sound_heard = last_video_stats.paced_by_sound = true;
    }
  }
  note_volume(kFilmTarget, music_attenuation);
  note_play(kFilmTarget, log_name, Repeat::length_unknown, -1);
}

}  // namespace

bool play_video_file(const std::string& path, bool click_ends, platform::VideoOpenError& error, std::string& error_text,
                     const std::string& log_name) {
  last_video_stats = VideoStats{};
  Playback p;
  p.film = platform::open_video(path, true, error, error_text);
  if (!p.film) return false;
  p.click_ends = click_ends;

  // The film covers the whole screen; the game's picture stays untouched
  // underneath and comes back when the film ends.
  graphics::DibSurface* game = platform::display_surface();
  int width = game && game->width > 0 ? game->width : 640;
  int height = game && game->height > 0 ? game->height : 480;
  graphics::create_surface(video_picture, width, height);
  platform::set_display_surface(&video_picture);
  platform::present_display();
  video_playing = 1;
  // A click that came before the film does not end it.
  text::click_flag = 0;
  current = &p;

  uint32_t began = platform::clock_ms();
  start_sound(p, log_name.empty() ? path : log_name);
  p.start = platform::clock_ms();
  keep_sound(p);
  int64_t end_ms = 0;
  int64_t time_ms = 0;
  int64_t frame_ms = 33;
  if (double rate = platform::video_info(p.film).frame_rate; rate >= 1 && rate <= 1000)
    frame_ms = static_cast<int64_t>(1000 / rate + 0.5);
  bool more = platform::next_video_frame(p.film, time_ms);
  while (more && !p.stopped) {
    if (!wait_until(p, time_ms)) {
      p.stopped = true;
      break;
    }
    // A picture whose successor is already due is passed over, so that a
    // slow machine keeps the film's time instead of falling behind.
    int64_t late = film_now(p) - time_ms;
    if (late >= frame_ms && last_video_stats.frames_shown > 0) {
      ++last_video_stats.frames_dropped;
    } else {
      show_frame(p);
      last_video_stats.max_late_ms = std::max(last_video_stats.max_late_ms, late);
    }
    end_ms = time_ms + frame_ms;
    more = platform::next_video_frame(p.film, time_ms);
  }
  // The last picture stays for its own duration, and the film lasts until
  // its sound has ended too.
  if (!p.stopped && !wait_until(p, end_ms, true)) p.stopped = true;
  last_video_stats.played_ms = platform::clock_ms() - began;

  current = nullptr;
  close_sound_stream(p);
  if (p.has_sound) {
    // Played out, its sound ends now unless the log's clock saw it end
    // already; cut short, it stops.
    if (p.stopped)
      note_stop(kFilmTarget);
    else
      note_end(kFilmTarget);
  }
  platform::close_video(p.film);
  video_playing = 0;
  text::click_flag = 0;
  platform::set_display_surface(game);
  platform::present_display();
  graphics::create_surface(video_picture, 0, 0);
  return true;
}

void stop_film() {
  if (!current) return;
  current->stopped = true;
  close_sound_stream(*current);
  note_stop(kFilmTarget);
}

void apply_film_attenuation(int32_t att) {
  if (!current || !current->has_sound) return;
  if (current->stream >= 0) platform::audio_stream_set_volume(current->stream, platform::mixer_volume(att));
  note_volume(kFilmTarget, att);
}

bool find_video_file(const std::string& sjis_name, std::string& path, bool& temporary) {
  temporary = false;
  if (platform::game_file_exists(sjis_name)) {
    path = platform::game_path(sjis_name);
    return true;
  }
  std::string copy = sjis_name;
  if (graphics::extract_to_temp(copy)) {
    path = copy;
    temporary = true;
    return true;
  }
  if (graphics::loader_settings.no_load_error) return false;
  interp::report_errorf("ロードエラー", "ファイル%sを開けません。", sjis_name.c_str());
}

void reset_video() {
  current = nullptr;
  video_playing = 0;
  html_window_active = 0;
}

}  // namespace sound
