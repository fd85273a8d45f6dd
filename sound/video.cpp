#include "sound/video.h"

#include <algorithm>

#include "graphics/archive.h"
#include "graphics/image_tag.h"
#include "graphics/surface.h"
#include "interp/error.h"
#include "interp/runloop.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "text/wait.h"

namespace sound {

int32_t video_playing = 0;
int32_t html_window_active = 0;
VideoStats last_video_stats;

namespace {

// The picture the window shows while a film plays (screen size).
graphics::DibSurface video_picture;

// Longest sleep between two looks at the message queue.
constexpr uint32_t kPollMs = 5;

struct Playback {
  platform::VideoFile* film = nullptr;
  bool click_ends = false;
  uint32_t start = 0;
  bool stopped = false;  // a click or a reset ended it
};

uint32_t elapsed(const Playback& p) { return platform::clock_ms() - p.start; }

// Handles the window's messages until the film's clock reaches `until_ms`.
// False when the film is to end now.
bool wait_until(Playback& p, int64_t until_ms) {
  while (true) {
    text::pump_one_message();
    if (p.click_ends && text::click_flag) {
      last_video_stats.ended_by_click = true;
      return false;
    }
    if (interp::menu_reset_request) return false;
    int64_t left = until_ms - static_cast<int64_t>(elapsed(p));
    if (left <= 0) return true;
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

}  // namespace

bool play_video_file(const std::string& path, bool click_ends, platform::VideoOpenError& error,
                     std::string& error_text) {
  last_video_stats = VideoStats{};
  Playback p;
  p.film = platform::open_video(path, false, error, error_text);
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

  p.start = platform::clock_ms();
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
    if (static_cast<int64_t>(elapsed(p)) >= time_ms + frame_ms && last_video_stats.frames_shown > 0)
      ++last_video_stats.frames_dropped;
    else
      show_frame(p);
    end_ms = time_ms + frame_ms;
    more = platform::next_video_frame(p.film, time_ms);
  }
  // The last picture stays for its own duration.
  if (!p.stopped && !wait_until(p, end_ms)) p.stopped = true;
  last_video_stats.played_ms = elapsed(p);

  platform::close_video(p.film);
  video_playing = 0;
  text::click_flag = 0;
  platform::set_display_surface(game);
  platform::present_display();
  graphics::create_surface(video_picture, 0, 0);
  return true;
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
  video_playing = 0;
  html_window_active = 0;
}

}  // namespace sound
