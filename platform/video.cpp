#include "platform/video.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

namespace platform {

// Sound decoded ahead of its reader is kept up to this many sample frames
// (the oldest are dropped past it): 30 s.
constexpr size_t kMaxBufferedAudio = static_cast<size_t>(kVideoAudioRate) * 30;
// Video packets read ahead while looking for sound.
constexpr size_t kMaxQueuedPackets = 2000;
// A picture later than the previous one by more than this is taken as a
// damaged time stamp and shown one frame after it instead.
constexpr int64_t kMaxFrameGapMs = 10000;
// Bilinear scaling with libswscale's quick horizontal pass: a 640x480
// picture into 800x600 is several times faster than its exact filter.
constexpr int kScaleFlags = SWS_FAST_BILINEAR;
// Decoding errors in a row after which the rest of the film is given up.
constexpr int kMaxDecodeErrors = 200;

struct VideoFile {
  AVFormatContext* format = nullptr;
  AVCodecContext* video = nullptr;
  AVCodecContext* audio = nullptr;
  int video_index = -1, audio_index = -1;
  AVFrame* frame = nullptr;    // the last decoded picture
  AVFrame* scratch = nullptr;  // decoded sound
  AVPacket* packet = nullptr;
  std::deque<AVPacket*> video_packets;  // read ahead while decoding sound
  SwsContext* scaler = nullptr;
  SwrContext* resampler = nullptr;
  std::vector<int16_t> pcm;  // resampled sound not yet read, interleaved stereo
  size_t pcm_read = 0;       // sample frames of pcm already read
  VideoInfo info;
  bool have_picture = false;
  bool input_ended = false;  // no more packets
  bool video_ended = false;  // the video decoder is drained
  bool audio_ended = false;  // the audio decoder is drained
  int64_t last_time_ms = -1;
  int64_t frame_ms = 33;  // one frame's duration, for damaged time stamps
  int64_t start_pts = AV_NOPTS_VALUE;
  int drawn_w = 0, drawn_h = 0;         // the box the last picture was scaled into
  int decode_errors = 0;                // in a row
  std::vector<uint8_t> scaled;          // the scaler's output before it is placed
  const uint8_t* drawn_into = nullptr;  // the picture the bars were drawn in
  SwsContext* resizer = nullptr;        // resizes 4:2:0 pictures before conversion
  AVFrame* resized = nullptr;
};

namespace {

AVCodecContext* open_decoder(AVStream* s, bool picture) {
  const AVCodec* codec = avcodec_find_decoder(s->codecpar->codec_id);
  if (!codec) return nullptr;
  AVCodecContext* c = avcodec_alloc_context3(codec);
  if (!c) return nullptr;
  if (avcodec_parameters_to_context(c, s->codecpar) < 0) {
    avcodec_free_context(&c);
    return nullptr;
  }
  c->pkt_timebase = s->time_base;
  AVDictionary* options = nullptr;
  if (picture) {
    // Two cores decode a frame each; a damaged header cannot ask for a giant frame.
    av_dict_set(&options, "threads", "auto", 0);
    av_dict_set_int(&options, "max_pixels", static_cast<int64_t>(kMaxVideoSide) * kMaxVideoSide, 0);
  }
  int rc = avcodec_open2(c, codec, &options);
  av_dict_free(&options);
  if (rc < 0) {
    avcodec_free_context(&c);
    return nullptr;
  }
  return c;
}

bool sane_size(int w, int h) { return w > 0 && h > 0 && w <= kMaxVideoSide && h <= kMaxVideoSide; }

std::string error_string(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

void append_audio(VideoFile* v, const AVFrame* f) {
  if (!v->resampler) {
    AVChannelLayout out = AV_CHANNEL_LAYOUT_STEREO;
    AVChannelLayout in;
    if (f->ch_layout.nb_channels > 0)
      av_channel_layout_copy(&in, &f->ch_layout);
    else
      av_channel_layout_default(&in, v->audio->ch_layout.nb_channels > 0 ? v->audio->ch_layout.nb_channels : 2);
    int rc = swr_alloc_set_opts2(&v->resampler, &out, AV_SAMPLE_FMT_S16, kVideoAudioRate, &in,
                                 static_cast<AVSampleFormat>(f->format), f->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    if (rc < 0 || swr_init(v->resampler) < 0) {
      swr_free(&v->resampler);
      v->audio_ended = true;  // sound that cannot be converted is left out
      return;
    }
  }
  if (f->sample_rate <= 0 || f->nb_samples <= 0) return;
  int room = swr_get_out_samples(v->resampler, f->nb_samples);
  if (room <= 0) return;
  // Drop what nobody read when the buffer is full.
  if (v->pcm_read > 0 && (v->pcm.size() / 2 - v->pcm_read) + room > kMaxBufferedAudio) {
    v->pcm.erase(v->pcm.begin(), v->pcm.begin() + static_cast<ptrdiff_t>(v->pcm_read * 2));
    v->pcm_read = 0;
  }
  if (v->pcm.size() / 2 + room > kMaxBufferedAudio * 2) return;
  size_t at = v->pcm.size();
  v->pcm.resize(at + static_cast<size_t>(room) * 2);
  uint8_t* out = reinterpret_cast<uint8_t*>(v->pcm.data() + at);
  int got = swr_convert(v->resampler, &out, room, const_cast<const uint8_t**>(f->extended_data), f->nb_samples);
  v->pcm.resize(at + static_cast<size_t>(got > 0 ? got : 0) * 2);
}

void drain_audio_decoder(VideoFile* v) {
  while (avcodec_receive_frame(v->audio, v->scratch) >= 0) {
    append_audio(v, v->scratch);
    av_frame_unref(v->scratch);
  }
}

void feed_audio(VideoFile* v, AVPacket* p) {
  if (!v->audio || v->audio_ended) return;
  if (avcodec_send_packet(v->audio, p) == AVERROR(EAGAIN)) {
    drain_audio_decoder(v);
    avcodec_send_packet(v->audio, p);
  }
  drain_audio_decoder(v);
}

// Reads one packet: sound is decoded at once, a video packet is returned
// (the caller owns it). False when no packet is left.
bool read_packet(VideoFile* v, AVPacket*& video_packet) {
  video_packet = nullptr;
  if (v->input_ended) return false;
  int rc = av_read_frame(v->format, v->packet);
  if (rc < 0) {
    v->input_ended = true;
    if (v->audio && !v->audio_ended) {
      feed_audio(v, nullptr);
      v->audio_ended = true;
    }
    return false;
  }
  if (v->packet->stream_index == v->video_index) {
    video_packet = av_packet_alloc();
    if (video_packet) av_packet_move_ref(video_packet, v->packet);
  } else if (v->packet->stream_index == v->audio_index) {
    feed_audio(v, v->packet);
  }
  av_packet_unref(v->packet);
  return true;
}

int64_t frame_time_ms(VideoFile* v, const AVFrame* f) {
  AVStream* s = v->format->streams[v->video_index];
  int64_t pts = f->best_effort_timestamp;
  if (pts == AV_NOPTS_VALUE) return v->last_time_ms < 0 ? 0 : v->last_time_ms + v->frame_ms;
  if (v->start_pts == AV_NOPTS_VALUE)
    v->start_pts = s->start_time != AV_NOPTS_VALUE && s->start_time <= pts ? s->start_time : pts;
  // Both are 64-bit stream values; a damaged one must not overflow.
  if (pts < v->start_pts) pts = v->start_pts;
  int64_t delta = pts - v->start_pts;
  if (delta < 0 || delta > (INT64_C(1) << 50)) delta = 0;
  return av_rescale_q(delta, s->time_base, AVRational{1, 1000});
}

}  // namespace

VideoFile* open_video(const std::string& path, bool want_audio, VideoOpenError& error, std::string& error_text) {
  error = VideoOpenError::none;
  error_text.clear();
  av_log_set_level(AV_LOG_QUIET);
  auto* v = new VideoFile;
  int rc = avformat_open_input(&v->format, path.c_str(), nullptr, nullptr);
  if (rc < 0) {
    error = VideoOpenError::cannot_open;
    error_text = error_string(rc);
    delete v;
    return nullptr;
  }
  rc = avformat_find_stream_info(v->format, nullptr);
  if (rc < 0) {
    error = VideoOpenError::cannot_open;
    error_text = error_string(rc);
    close_video(v);
    return nullptr;
  }
  v->video_index = av_find_best_stream(v->format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (v->video_index >= 0) {
    AVCodecParameters* p = v->format->streams[v->video_index]->codecpar;
    if (!sane_size(p->width, p->height)) {
      error = VideoOpenError::bad_frame_size;
      error_text = "frame size " + std::to_string(p->width) + "x" + std::to_string(p->height);
      close_video(v);
      return nullptr;
    }
    v->video = open_decoder(v->format->streams[v->video_index], true);
  }
  if (!v->video) {
    error = VideoOpenError::no_video_stream;
    error_text = "no video stream that can be decoded";
    close_video(v);
    return nullptr;
  }
  if (want_audio) {
    v->audio_index = av_find_best_stream(v->format, AVMEDIA_TYPE_AUDIO, -1, v->video_index, nullptr, 0);
    if (v->audio_index >= 0) v->audio = open_decoder(v->format->streams[v->audio_index], false);
    if (!v->audio) v->audio_index = -1;
  }
  v->frame = av_frame_alloc();
  v->scratch = av_frame_alloc();
  v->packet = av_packet_alloc();
  if (!v->frame || !v->scratch || !v->packet) {
    error = VideoOpenError::cannot_open;
    error_text = "out of memory";
    close_video(v);
    return nullptr;
  }
  AVStream* s = v->format->streams[v->video_index];
  v->info.width = v->video->width;
  v->info.height = v->video->height;
  AVRational rate = av_guess_frame_rate(v->format, s, nullptr);
  if (rate.num > 0 && rate.den > 0) {
    v->info.frame_rate = av_q2d(rate);
    if (v->info.frame_rate >= 1 && v->info.frame_rate <= 1000)
      v->frame_ms = static_cast<int64_t>(1000 / v->info.frame_rate + 0.5);
  }
  if (v->format->duration > 0 && v->format->duration != AV_NOPTS_VALUE)
    v->info.duration_ms = v->format->duration / 1000;
  v->info.has_audio = v->audio != nullptr;
  return v;
}

void close_video(VideoFile* v) {
  if (!v) return;
  for (AVPacket* p : v->video_packets) av_packet_free(&p);
  sws_freeContext(v->scaler);
  sws_freeContext(v->resizer);
  av_frame_free(&v->resized);
  swr_free(&v->resampler);
  av_frame_free(&v->frame);
  av_frame_free(&v->scratch);
  av_packet_free(&v->packet);
  avcodec_free_context(&v->video);
  avcodec_free_context(&v->audio);
  avformat_close_input(&v->format);
  delete v;
}

const VideoInfo& video_info(const VideoFile* v) { return v->info; }

bool next_video_frame(VideoFile* v, int64_t& time_ms) {
  while (!v->video_ended) {
    int rc = avcodec_receive_frame(v->video, v->frame);
    if (rc >= 0) {
      if (!sane_size(v->frame->width, v->frame->height)) {
        av_frame_unref(v->frame);
        continue;
      }
      int64_t t = frame_time_ms(v, v->frame);
      if (v->last_time_ms >= 0) {
        if (t < v->last_time_ms) t = v->last_time_ms;
        if (t - v->last_time_ms > kMaxFrameGapMs) t = v->last_time_ms + v->frame_ms;
      }
      v->last_time_ms = t;
      v->decode_errors = 0;
      v->have_picture = true;
      time_ms = t;
      return true;
    }
    if (rc == AVERROR_EOF) {
      v->video_ended = true;
      break;
    }
    if (rc != AVERROR(EAGAIN) && ++v->decode_errors > kMaxDecodeErrors) {
      // Damaged pictures are passed over; a decoder that gives nothing
      // else is given up.
      v->video_ended = true;
      break;
    }
    AVPacket* p = nullptr;
    if (!v->video_packets.empty()) {
      p = v->video_packets.front();
      v->video_packets.pop_front();
    } else {
      while (!p && read_packet(v, p)) {
      }
    }
    rc = avcodec_send_packet(v->video, p);  // null: drain at the end
    av_packet_free(&p);
    if (rc < 0 && rc != AVERROR(EAGAIN) && rc != AVERROR_INVALIDDATA && rc != AVERROR_EOF) {
      if (v->input_ended && v->video_packets.empty()) v->video_ended = true;
    }
  }
  v->have_picture = false;
  return false;
}

bool draw_video_frame(VideoFile* v, uint8_t* pixels, int stride, int width, int height) {
  if (!v->have_picture || width <= 0 || height <= 0) return false;
  const AVFrame* f = v->frame;
  // The box of the picture inside width x height: as large as fits with the
  // film's display aspect.
  int64_t dw = f->width, dh = f->height;
  AVRational sar = f->sample_aspect_ratio;
  if (sar.num > 0 && sar.den > 0 && sar.num <= 64 * sar.den && sar.den <= 64 * sar.num) dw = dw * sar.num / sar.den;
  if (dw <= 0) dw = f->width;
  int bw = width, bh = height;
  if (dw * height > dh * width)
    bh = static_cast<int>(std::max<int64_t>(1, dh * width / dw));
  else
    bw = static_cast<int>(std::max<int64_t>(1, dw * height / dh));
  bw = std::min(bw, width);
  bh = std::min(bh, height);
  int bx = (width - bw) / 2, by = (height - bh) / 2;
  // Planar 4:2:0 pictures are resized in their own format first and then
  // converted at the box's size: both steps have quick paths in libswscale,
  // resizing and converting in one step has not.
  auto format = static_cast<AVPixelFormat>(f->format);
  if ((bw != f->width || bh != f->height) && (format == AV_PIX_FMT_YUV420P || format == AV_PIX_FMT_YUVJ420P)) {
    if (!v->resized || v->resized->width != bw || v->resized->height != bh || v->resized->format != format) {
      av_frame_free(&v->resized);
      v->resized = av_frame_alloc();
      if (!v->resized) return false;
      v->resized->width = bw, v->resized->height = bh, v->resized->format = format;
      if (av_frame_get_buffer(v->resized, 0) < 0) {
        av_frame_free(&v->resized);
        return false;
      }
    }
    v->resizer = sws_getCachedContext(v->resizer, f->width, f->height, format, bw, bh, format, kScaleFlags, nullptr,
                                      nullptr, nullptr);
    if (!v->resizer ||
        sws_scale(v->resizer, f->data, f->linesize, 0, f->height, v->resized->data, v->resized->linesize) <= 0)
      return false;
    f = v->resized;
  }
  v->scaler = sws_getCachedContext(v->scaler, f->width, f->height, static_cast<AVPixelFormat>(f->format), bw, bh,
                                   AV_PIX_FMT_BGR24, kScaleFlags, nullptr, nullptr, nullptr);
  if (!v->scaler) return false;
  if (bw != v->drawn_w || bh != v->drawn_h || pixels != v->drawn_into) {
    // The bars: everything outside the box is black.
    for (int y = 0; y < height; ++y) {
      uint8_t* row = pixels + static_cast<size_t>(y) * stride;
      if (y < by || y >= by + bh) {
        std::memset(row, 0, static_cast<size_t>(width) * 3);
      } else {
        std::memset(row, 0, static_cast<size_t>(bx) * 3);
        std::memset(row + static_cast<size_t>(bx + bw) * 3, 0, static_cast<size_t>(width - bx - bw) * 3);
      }
    }
    v->drawn_w = bw;
    v->drawn_h = bh;
    v->drawn_into = pixels;
  }
  // The scaler may write whole blocks past the end of a row, so it writes
  // into a buffer of its own with room to spare, copied into the box.
  int box_stride = (bw * 3 + 63) & ~63;
  size_t need = static_cast<size_t>(box_stride) * bh + 64;
  if (v->scaled.size() < need) v->scaled.resize(need);
  uint8_t* dst[4] = {v->scaled.data(), nullptr, nullptr, nullptr};
  int dst_stride[4] = {box_stride, 0, 0, 0};
  if (sws_scale(v->scaler, f->data, f->linesize, 0, f->height, dst, dst_stride) <= 0) return false;
  for (int y = 0; y < bh; ++y)
    std::memcpy(pixels + static_cast<size_t>(by + y) * stride + static_cast<size_t>(bx) * 3,
                v->scaled.data() + static_cast<size_t>(y) * box_stride, static_cast<size_t>(bw) * 3);
  return true;
}

int read_video_audio(VideoFile* v, int16_t* out, int frames) {
  if (!v->audio || frames <= 0) return 0;
  auto available = [v] { return v->pcm.size() / 2 - v->pcm_read; };
  while (available() < static_cast<size_t>(frames) && !v->input_ended && v->video_packets.size() < kMaxQueuedPackets) {
    AVPacket* p = nullptr;
    if (!read_packet(v, p)) break;
    if (p) v->video_packets.push_back(p);
  }
  size_t n = std::min(available(), static_cast<size_t>(frames));
  std::memcpy(out, v->pcm.data() + v->pcm_read * 2, n * 2 * sizeof(int16_t));
  v->pcm_read += n;
  if (v->pcm_read == v->pcm.size() / 2) {
    v->pcm.clear();
    v->pcm_read = 0;
  } else if (v->pcm_read > kMaxBufferedAudio) {
    v->pcm.erase(v->pcm.begin(), v->pcm.begin() + static_cast<ptrdiff_t>(v->pcm_read * 2));
    v->pcm_read = 0;
  }
  return static_cast<int>(n);
}

}  // namespace platform
