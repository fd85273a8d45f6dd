// platform/video_writer: writing films of generated pictures with FFmpeg (the demo's film, test and timing films).
#pragma once
#include <cstdint>
#include <string>

namespace platform {

struct FilmSpec {
  int width = 160, height = 120;
  int fps = 30;
  int frames = 30;
  // An encoder of libavcodec: "mpeg4", "mpeg1video", "libx264", ...; the
  // container follows the file's extension (.avi, .mpg, .mp4, .mkv).
  std::string codec = "mpeg4";
  int bit_rate = 400000;
  // Hz of a sine tone on an MP2 sound track; 0: no sound track.
  int tone_hz = 0;
};

// Paints picture `index` (0-based) as 24-bit blue, green, red rows.
using FilmPainter = void (*)(int index, uint8_t* pixels, int stride, int width, int height, void* user);

// Encodes spec.frames pictures into the file. False with a reason when the
// encoder or the container is missing or a write fails.
bool write_film(const std::string& path, const FilmSpec& spec, FilmPainter paint, void* user, std::string& error);

// True when libavcodec has an encoder of this name.
bool film_encoder_available(const std::string& codec);

}  // namespace platform
