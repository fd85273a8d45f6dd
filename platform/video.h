// platform/video: reading films with FFmpeg (demux, decode, scale to 24-bit pictures, resample the sound).
#pragma once
#include <cstdint>
#include <string>

namespace platform {

// An open film: its container, its video decoder and, when it has one that
// decodes, its audio decoder. Opaque; made by open_video, freed by close_video.
struct VideoFile;

// Why a film could not be opened.
enum class VideoOpenError {
  none,
  cannot_open,      // no such file, or no container FFmpeg recognises
  no_video_stream,  // no video stream, or none that can be decoded
  bad_frame_size,   // the frame size is zero or absurd
};

struct VideoInfo {
  int width = 0, height = 0;  // decoded frame size
  int64_t duration_ms = 0;    // the container's length, 0 when unknown
  double frame_rate = 0;      // frames per second, 0 when unknown
  bool has_audio = false;     // an audio stream that decodes
};

// Frames and audio larger than this are refused (width and height each).
constexpr int kMaxVideoSide = 8192;

// Opens a film (a path on disk, UTF-8). `error_text` receives FFmpeg's text
// for the failure. With `want_audio` the first audio stream that decodes is
// opened too and its sound is kept for read_video_audio.
VideoFile* open_video(const std::string& path, bool want_audio, VideoOpenError& error, std::string& error_text);
void close_video(VideoFile* v);
const VideoInfo& video_info(const VideoFile* v);

// Decodes up to the next picture. True and its presentation time (ms from
// the film's start, never before the previous picture's) when there is one;
// false at the end of the film or when the rest cannot be decoded.
bool next_video_frame(VideoFile* v, int64_t& time_ms);

// Scales the last decoded picture into a 24-bit picture (blue, green, red;
// rows top to bottom) of width x height, keeping its aspect (the sample
// aspect ratio included) and centring it between black bars. False when the
// picture cannot be converted (nothing is drawn then).
bool draw_video_frame(VideoFile* v, uint8_t* pixels, int stride, int width, int height);

// The film's sound as 16-bit stereo at kVideoAudioRate samples per second:
// copies up to `frames` sample frames of what has been decoded (decoding
// further packets when more is needed) and returns how many were copied;
// fewer only at the end of the sound.
constexpr int kVideoAudioRate = 44100;
int read_video_audio(VideoFile* v, int16_t* out, int frames);

}  // namespace platform
