#include "media_reader.h"

#include <cmath>
#include <cstring>

#include "ffmpeg_api.h"

namespace zk {
namespace {

// A few header bytes can claim a picture of gigabytes: the decoders refuse pictures past
// this many pixels (an 8K UHD frame fits) before they allocate them.
constexpr int64_t kMaxPixels = 8192LL * 8192 / 2;

// Reads the streams with every decoder held to kMaxPixels.
int FindStreamInfo(AVFormatContext* format) {
  std::vector<AVDictionary*> options(format->nb_streams, nullptr);
  for (AVDictionary*& d : options) av_dict_set_int(&d, "max_pixels", kMaxPixels, 0);
  const int code = avformat_find_stream_info(format, options.empty() ? nullptr : options.data());
  for (AVDictionary*& d : options) av_dict_free(&d);
  return code;
}

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {0};
  av_strerror(code, text, sizeof text);
  return text;
}

bool OpenDecoder(AVFormatContext* format, AVMediaType type, int* stream, AVCodecContext** decoder,
                 std::string* error) {
  const AVCodec* codec = nullptr;
  *stream = av_find_best_stream(format, type, -1, -1, &codec, 0);
  if (*stream < 0 || codec == nullptr) return false;
  AVCodecContext* c = avcodec_alloc_context3(codec);
  if (c != nullptr) c->max_pixels = kMaxPixels;
  if (c == nullptr || avcodec_parameters_to_context(c, format->streams[*stream]->codecpar) < 0 ||
      avcodec_open2(c, codec, nullptr) < 0) {
    avcodec_free_context(&c);
    *error = std::string("cannot open the ") + codec->name + " decoder";
    return false;
  }
  *decoder = c;
  return true;
}

// Counts the video packets: containers do not always say how many frames they hold.
int64_t CountVideoPackets(const std::string& path, int stream) {
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return 0;
  int64_t count = 0;
  if (FindStreamInfo(format) >= 0) {
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(format, packet) >= 0) {
      if (packet->stream_index == stream) ++count;
      av_packet_unref(packet);
    }
    av_packet_free(&packet);
  }
  avformat_close_input(&format);
  return count;
}

// Decodes the next video frame; false at the end of the stream.
bool DecodeNext(MediaReader* r, std::string* error) {
  while (true) {
    const int got = avcodec_receive_frame(r->decoder, r->decoded);
    if (got == 0) return true;
    if (got == AVERROR_EOF) return false;
    if (got != AVERROR(EAGAIN)) {
      *error = r->path + ": " + AvError(got);
      return false;
    }
    if (r->drained) return false;
    const int read = av_read_frame(r->format, r->packet);
    if (read < 0) {
      r->drained = true;
      avcodec_send_packet(r->decoder, nullptr);
      continue;
    }
    if (r->packet->stream_index == r->stream) {
      const int sent = avcodec_send_packet(r->decoder, r->packet);
      if (sent < 0 && sent != AVERROR(EAGAIN)) {
        av_packet_unref(r->packet);
        *error = r->path + ": " + AvError(sent);
        return false;
      }
    }
    av_packet_unref(r->packet);
  }
}

// The decoded frame into a target-size frame: scaled to fit, centred, black around it.
bool ConvertDecoded(MediaReader* r, int32_t width, int32_t height, FrameImage* out,
                    std::string* error) {
  const AVFrame* f = r->decoded;
  double scale =
      std::min(static_cast<double>(width) / f->width, static_cast<double>(height) / f->height);
  int32_t fitW = std::max(1, static_cast<int32_t>(std::lround(f->width * scale)));
  int32_t fitH = std::max(1, static_cast<int32_t>(std::lround(f->height * scale)));
  if (f->width == width && f->height == height) {
    fitW = width;
    fitH = height;
  }
  fitW = std::min(fitW, width);
  fitH = std::min(fitH, height);
  r->scaler = sws_getCachedContext(
      r->scaler, f->width, f->height, static_cast<AVPixelFormat>(f->format), fitW, fitH,
      AV_PIX_FMT_BGR24, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr,
      nullptr);
  if (r->scaler == nullptr) {
    *error = r->path + ": cannot convert its pixel format";
    return false;
  }
  *out = MakeFrameImage(width, height);
  const int32_t left = (width - fitW) / 2, top = (height - fitH) / 2;
  // Picture line 0 is the top; our frames keep the bottom row first, so write upwards.
  uint8_t* firstLine = PixelAt(*out, left, height - 1 - top);
  uint8_t* planes[4] = {firstLine, nullptr, nullptr, nullptr};
  int strides[4] = {-out->stride, 0, 0, 0};
  sws_scale(r->scaler, f->data, f->linesize, 0, f->height, planes, strides);
  return true;
}

double FrameSeconds(const MediaReader* r) {
  const AVStream* s = r->format->streams[r->stream];
  int64_t ts = r->decoded->best_effort_timestamp;
  if (ts == AV_NOPTS_VALUE) ts = r->decoded->pts;
  if (ts == AV_NOPTS_VALUE) return 0;
  return static_cast<double>(ts) * av_q2d(s->time_base) - r->startSeconds;
}

}  // namespace

bool OpenMedia(const std::string& path, MediaReader* r, std::string* error) {
  CloseMedia(r);
  r->path = path;
  if (!LoadFfmpeg(error)) return *error = path + ": " + *error, false;
  av_log_set_level(AV_LOG_QUIET);
  int code = avformat_open_input(&r->format, path.c_str(), nullptr, nullptr);
  if (code < 0) {
    *error = path + ": cannot open (" + AvError(code) + ")";
    return false;
  }
  if (FindStreamInfo(r->format) < 0) {
    *error = path + ": cannot read its streams";
    CloseMedia(r);
    return false;
  }
  std::string why;
  if (!OpenDecoder(r->format, AVMEDIA_TYPE_VIDEO, &r->stream, &r->decoder, &why)) {
    *error = path + ": " + (why.empty() ? "no picture in it" : why);
    CloseMedia(r);
    return false;
  }
  const AVStream* s = r->format->streams[r->stream];
  r->width = r->decoder->width;
  r->height = r->decoder->height;
  if (r->width <= 0 || r->height <= 0) {
    *error = path + ": no picture size (damaged, or larger than " + std::to_string(kMaxPixels) +
             " pixels)";
    CloseMedia(r);
    return false;
  }
  if (r->width > 16384 || r->height > 16384) {
    *error = path + ": picture size " + std::to_string(r->width) + "x" + std::to_string(r->height) +
             " is not usable";
    CloseMedia(r);
    return false;
  }
  r->startSeconds = s->start_time != AV_NOPTS_VALUE ? s->start_time * av_q2d(s->time_base) : 0.0;
  r->hasAudio = av_find_best_stream(r->format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0) >= 0;
  const int64_t frames = CountVideoPackets(path, r->stream);
  AVRational rate = s->avg_frame_rate.num > 0 ? s->avg_frame_rate : s->r_frame_rate;
  r->facts.frameCount = frames;
  r->facts.frameRate = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0.0;
  r->facts.still = frames <= 1;
  if (frames < 1) {
    *error = path + ": no frames in it";
    CloseMedia(r);
    return false;
  }
  r->decoded = av_frame_alloc();
  r->packet = av_packet_alloc();
  return true;
}

void CloseMedia(MediaReader* r) {
  if (r->scaler != nullptr) sws_freeContext(r->scaler);
  if (r->decoder != nullptr) avcodec_free_context(&r->decoder);
  if (r->format != nullptr) avformat_close_input(&r->format);
  if (r->decoded != nullptr) av_frame_free(&r->decoded);
  if (r->packet != nullptr) av_packet_free(&r->packet);
  const std::string path = r->path;
  *r = MediaReader{};
  r->path = path;
}

bool MediaFrameAt(MediaReader* r, double seconds, int32_t width, int32_t height, FrameImage* frame,
                  std::string* error) {
  // A still decodes once and shows forever; clips step forward to the frame due.
  while (true) {
    if (!r->havePending) {
      if (r->facts.still && r->haveCurrent) break;
      error->clear();
      if (!DecodeNext(r, error)) {
        if (!error->empty()) return false;
        break;  // the stream ended: the last frame stays
      }
      if (!ConvertDecoded(r, width, height, &r->pending, error)) return false;
      r->pendingSeconds = FrameSeconds(r);
      r->havePending = true;
    }
    if (!r->haveCurrent || r->pendingSeconds <= seconds + 1e-6) {
      std::swap(r->current, r->pending);
      r->currentSeconds = r->pendingSeconds;
      r->haveCurrent = true;
      r->havePending = false;
      continue;
    }
    break;
  }
  if (!r->haveCurrent) {
    *error = r->path + ": no frame could be decoded";
    return false;
  }
  *frame = r->current;
  return true;
}

bool ReadAllAudio(const std::string& path, int32_t sampleRate, std::vector<float>* samples,
                  std::string* error) {
  samples->clear();
  if (!LoadFfmpeg(error)) return *error = path + ": " + *error, false;
  AVFormatContext* format = nullptr;
  const int code = avformat_open_input(&format, path.c_str(), nullptr, nullptr);
  if (code < 0) {
    *error = path + ": cannot open (" + AvError(code) + ")";
    return false;
  }
  bool ok = true;
  AVCodecContext* decoder = nullptr;
  int stream = -1;
  std::string why;
  if (FindStreamInfo(format) < 0 ||
      !OpenDecoder(format, AVMEDIA_TYPE_AUDIO, &stream, &decoder, &why)) {
    avformat_close_input(&format);
    if (!why.empty()) *error = path + ": " + why;
    return why.empty();  // no audio is not an error
  }
  SwrContext* resampler = nullptr;
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  if (swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_FLT, sampleRate, &decoder->ch_layout,
                          decoder->sample_fmt, decoder->sample_rate, 0, nullptr) < 0 ||
      swr_init(resampler) < 0) {
    *error = path + ": cannot resample its audio";
    ok = false;
  }
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  auto drain = [&]() {
    while (avcodec_receive_frame(decoder, frame) == 0) {
      const int room = swr_get_out_samples(resampler, frame->nb_samples) + 16;
      const size_t at = samples->size();
      samples->resize(at + static_cast<size_t>(room) * 2);
      uint8_t* out[1] = {reinterpret_cast<uint8_t*>(samples->data() + at)};
      const int n =
          swr_convert(resampler, out, room, const_cast<const uint8_t**>(frame->extended_data),
                      frame->nb_samples);
      samples->resize(at + static_cast<size_t>(std::max(n, 0)) * 2);
    }
  };
  while (ok && av_read_frame(format, packet) >= 0) {
    if (packet->stream_index == stream && avcodec_send_packet(decoder, packet) >= 0) drain();
    av_packet_unref(packet);
  }
  if (ok) {
    avcodec_send_packet(decoder, nullptr);
    drain();
    // What the resampler still holds.
    const int room = swr_get_out_samples(resampler, 0) + 16;
    const size_t at = samples->size();
    samples->resize(at + static_cast<size_t>(room) * 2);
    uint8_t* out[1] = {reinterpret_cast<uint8_t*>(samples->data() + at)};
    const int n = swr_convert(resampler, out, room, nullptr, 0);
    samples->resize(at + static_cast<size_t>(std::max(n, 0)) * 2);
  }
  av_frame_free(&frame);
  av_packet_free(&packet);
  swr_free(&resampler);
  avcodec_free_context(&decoder);
  avformat_close_input(&format);
  return ok;
}

}  // namespace zk
