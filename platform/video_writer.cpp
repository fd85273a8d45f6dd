#include "platform/video_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <cmath>
#include <vector>

namespace platform {

namespace {

struct Writer {
  AVFormatContext* format = nullptr;
  AVCodecContext* video = nullptr;
  AVCodecContext* audio = nullptr;
  AVStream* video_stream = nullptr;
  AVStream* audio_stream = nullptr;
  AVFrame* frame = nullptr;
  AVFrame* sound = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  bool header_written = false;

  ~Writer() {
    sws_freeContext(scaler);
    av_frame_free(&frame);
    av_frame_free(&sound);
    av_packet_free(&packet);
    avcodec_free_context(&video);
    avcodec_free_context(&audio);
    if (format) {
      if (format->pb) avio_closep(&format->pb);
      avformat_free_context(format);
    }
  }
};

bool fail(std::string& error, const std::string& what, int code = 0) {
  error = what;
  if (code < 0) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    error += std::string(": ") + text;
  }
  return false;
}

// Sends a frame (null: the end) and writes every packet the encoder gives.
int encode(Writer& w, AVCodecContext* c, AVStream* s, AVFrame* f) {
  int rc = avcodec_send_frame(c, f);
  if (rc < 0) return rc;
  while ((rc = avcodec_receive_packet(c, w.packet)) >= 0) {
    av_packet_rescale_ts(w.packet, c->time_base, s->time_base);
    w.packet->stream_index = s->index;
    rc = av_interleaved_write_frame(w.format, w.packet);
    if (rc < 0) return rc;
  }
  return rc == AVERROR(EAGAIN) || rc == AVERROR_EOF ? 0 : rc;
}

}  // namespace

bool film_encoder_available(const std::string& codec) { return avcodec_find_encoder_by_name(codec.c_str()) != nullptr; }

bool write_film(const std::string& path, const FilmSpec& spec, FilmPainter paint, void* user, std::string& error) {
  av_log_set_level(AV_LOG_QUIET);
  Writer w;
  int rc = avformat_alloc_output_context2(&w.format, nullptr, nullptr, path.c_str());
  if (rc < 0 || !w.format) return fail(error, "no container for " + path, rc);
  const AVCodec* vc = avcodec_find_encoder_by_name(spec.codec.c_str());
  if (!vc) return fail(error, "no encoder " + spec.codec);
  w.video = avcodec_alloc_context3(vc);
  w.video->width = spec.width;
  w.video->height = spec.height;
  w.video->time_base = AVRational{1, spec.fps};
  w.video->framerate = AVRational{spec.fps, 1};
  w.video->pix_fmt = AV_PIX_FMT_YUV420P;
  w.video->bit_rate = spec.bit_rate;
  w.video->gop_size = spec.fps;
  if (spec.codec == "mpeg1video" || spec.codec == "mpeg2video") w.video->max_b_frames = 0;
  if (w.format->oformat->flags & AVFMT_GLOBALHEADER) w.video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  AVDictionary* options = nullptr;
  if (spec.codec == "libx264") av_dict_set(&options, "preset", "veryfast", 0);
  rc = avcodec_open2(w.video, vc, &options);
  av_dict_free(&options);
  if (rc < 0) return fail(error, "cannot open encoder " + spec.codec, rc);
  w.video_stream = avformat_new_stream(w.format, nullptr);
  avcodec_parameters_from_context(w.video_stream->codecpar, w.video);
  w.video_stream->time_base = w.video->time_base;

  if (spec.tone_hz > 0) {
    const AVCodec* ac = avcodec_find_encoder(AV_CODEC_ID_MP2);
    if (!ac) return fail(error, "no MP2 encoder");
    w.audio = avcodec_alloc_context3(ac);
    w.audio->sample_fmt = AV_SAMPLE_FMT_S16;
    w.audio->sample_rate = 44100;
    w.audio->bit_rate = 128000;
    av_channel_layout_default(&w.audio->ch_layout, 2);
    w.audio->time_base = AVRational{1, 44100};
    if (w.format->oformat->flags & AVFMT_GLOBALHEADER) w.audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    rc = avcodec_open2(w.audio, ac, nullptr);
    if (rc < 0) return fail(error, "cannot open the MP2 encoder", rc);
    w.audio_stream = avformat_new_stream(w.format, nullptr);
    avcodec_parameters_from_context(w.audio_stream->codecpar, w.audio);
    w.audio_stream->time_base = w.audio->time_base;
  }

  if (!(w.format->oformat->flags & AVFMT_NOFILE)) {
    rc = avio_open(&w.format->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (rc < 0) return fail(error, "cannot write " + path, rc);
  }
  rc = avformat_write_header(w.format, nullptr);
  if (rc < 0) return fail(error, "cannot write the header", rc);

  w.frame = av_frame_alloc();
  w.packet = av_packet_alloc();
  w.frame->format = AV_PIX_FMT_YUV420P;
  w.frame->width = spec.width;
  w.frame->height = spec.height;
  if (av_frame_get_buffer(w.frame, 0) < 0) return fail(error, "out of memory");
  w.scaler = sws_getContext(spec.width, spec.height, AV_PIX_FMT_BGR24, spec.width, spec.height, AV_PIX_FMT_YUV420P,
                            SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!w.scaler) return fail(error, "no converter");
  int stride = (spec.width * 3 + 3) & ~3;
  std::vector<uint8_t> picture(static_cast<size_t>(stride) * spec.height);

  int64_t samples_written = 0;
  if (w.audio) {
    w.sound = av_frame_alloc();
    w.sound->format = AV_SAMPLE_FMT_S16;
    w.sound->sample_rate = 44100;
    w.sound->nb_samples = w.audio->frame_size;
    av_channel_layout_copy(&w.sound->ch_layout, &w.audio->ch_layout);
    if (av_frame_get_buffer(w.sound, 0) < 0) return fail(error, "out of memory");
  }

  for (int i = 0; i < spec.frames; ++i) {
    paint(i, picture.data(), stride, spec.width, spec.height, user);
    if (av_frame_make_writable(w.frame) < 0) return fail(error, "out of memory");
    const uint8_t* src[1] = {picture.data()};
    int src_stride[1] = {stride};
    sws_scale(w.scaler, src, src_stride, 0, spec.height, w.frame->data, w.frame->linesize);
    w.frame->pts = i;
    rc = encode(w, w.video, w.video_stream, w.frame);
    if (rc < 0) return fail(error, "encoding failed", rc);
    // Sound up to the end of this picture.
    int64_t sound_end = static_cast<int64_t>(i + 1) * 44100 / spec.fps;
    while (w.audio && samples_written < sound_end) {
      if (av_frame_make_writable(w.sound) < 0) return fail(error, "out of memory");
      auto* s = reinterpret_cast<int16_t*>(w.sound->data[0]);
      for (int k = 0; k < w.sound->nb_samples; ++k) {
        double t = static_cast<double>(samples_written + k) / 44100;
        auto value = static_cast<int16_t>(8000 * std::sin(2 * M_PI * spec.tone_hz * t));
        s[2 * k] = s[2 * k + 1] = value;
      }
      w.sound->pts = samples_written;
      samples_written += w.sound->nb_samples;
      rc = encode(w, w.audio, w.audio_stream, w.sound);
      if (rc < 0) return fail(error, "sound encoding failed", rc);
    }
  }
  rc = encode(w, w.video, w.video_stream, nullptr);
  if (rc >= 0 && w.audio) rc = encode(w, w.audio, w.audio_stream, nullptr);
  if (rc < 0) return fail(error, "encoding failed", rc);
  rc = av_write_trailer(w.format);
  if (rc < 0) return fail(error, "cannot finish " + path, rc);
  return true;
}

}  // namespace platform
