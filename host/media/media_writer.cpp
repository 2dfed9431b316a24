#include "media_writer.h"

#include <cerrno>
#include <cstdio>

#include "ffmpeg_api.h"
#include "image_files.h"

namespace zk {
namespace {

std::string Extension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

struct Recipe {
  const char* ext;
  const char* muxer;
  const char* videoCodecs[3];
  AVPixelFormat pixelFormat;
  const char* audioCodec;  // null: the format takes no audio
};

const Recipe kRecipes[] = {
    {"mkv", "matroska", {"ffv1", nullptr, nullptr}, AV_PIX_FMT_BGR0, "flac"},
    {"mp4", "mp4", {"libx264", "mpeg4", nullptr}, AV_PIX_FMT_YUV420P, "aac"},
    {"mov", "mov", {"libx264", "mpeg4", nullptr}, AV_PIX_FMT_YUV420P, "aac"},
    {"webm", "webm", {"libvpx-vp9", nullptr, nullptr}, AV_PIX_FMT_YUV420P, "libopus"},
    {"webp", "webp", {"libwebp_anim", "libwebp", nullptr}, AV_PIX_FMT_BGRA, nullptr},
    {"gif", "gif", {"gif", nullptr, nullptr}, AV_PIX_FMT_RGB8, nullptr},
};

const Recipe* FindRecipe(const std::string& path) {
  const std::string ext = Extension(path);
  for (const Recipe& r : kRecipes)
    if (ext == r.ext) return &r;
  return nullptr;
}

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {0};
  av_strerror(code, text, sizeof text);
  return text;
}

bool Drain(MediaWriter* w, AVCodecContext* codec, AVStream* stream, std::string* error) {
  while (true) {
    const int got = avcodec_receive_packet(codec, w->packet);
    if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return true;
    if (got < 0) {
      *error = w->path + ": encoding failed (" + AvError(got) + ")";
      return false;
    }
    av_packet_rescale_ts(w->packet, codec->time_base, stream->time_base);
    w->packet->stream_index = stream->index;
    const int wrote = av_interleaved_write_frame(w->format, w->packet);
    if (wrote < 0) {
      *error = w->path + ": cannot write (" + AvError(wrote) + ")";
      return false;
    }
  }
}

}  // namespace

bool IsMediaOutput(const std::string& path) { return FindRecipe(path) != nullptr; }

bool OpenMediaWriter(const std::string& path, int32_t width, int32_t height, double frameRate,
                     bool withAudio, int32_t sampleRate, MediaWriter* w, std::string* error) {
  *w = MediaWriter{};
  w->path = path;
  w->temporary = path + ".partial";
  w->sampleRate = sampleRate;
  const Recipe* recipe = FindRecipe(path);
  if (recipe == nullptr) return *error = path + ": unknown output format", false;
  if (!LoadFfmpeg(error)) return *error = path + ": " + *error, false;
  av_log_set_level(AV_LOG_QUIET);
  if (avformat_alloc_output_context2(&w->format, nullptr, recipe->muxer, w->temporary.c_str()) <
      0) {
    *error = path + ": cannot make a " + recipe->muxer + " file";
    return false;
  }
  const AVCodec* codec = nullptr;
  for (const char* name : recipe->videoCodecs)
    if (name != nullptr && codec == nullptr) codec = avcodec_find_encoder_by_name(name);
  if (codec == nullptr) {
    *error = path + ": no video encoder for ." + recipe->ext;
    AbandonMediaWriter(w);
    return false;
  }
  AVPixelFormat pix = recipe->pixelFormat;
  if (codec->id == AV_CODEC_ID_WEBP) pix = AV_PIX_FMT_YUV420P;  // the still encoder
  // 4:2:0 needs even sizes: drop the odd last column or row.
  const bool halved = pix == AV_PIX_FMT_YUV420P;
  w->width = halved ? width & ~1 : width;
  w->height = halved ? height & ~1 : height;
  if (w->width < 1 || w->height < 1) {
    *error = path + ": frame too small for this format";
    AbandonMediaWriter(w);
    return false;
  }
  w->video = avcodec_alloc_context3(codec);
  w->video->width = w->width;
  w->video->height = w->height;
  w->video->pix_fmt = pix;
  const AVRational rate = av_d2q(frameRate, 100000);
  w->video->time_base = av_inv_q(rate);
  w->video->framerate = rate;
  w->video->gop_size = 12;
  if (w->format->oformat->flags & AVFMT_GLOBALHEADER)
    w->video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (codec->id == AV_CODEC_ID_H264) av_opt_set(w->video->priv_data, "crf", "18", 0);
  if (std::string(codec->name) == "libwebp_anim")
    av_opt_set(w->video->priv_data, "quality", "70", 0);
  int code = avcodec_open2(w->video, codec, nullptr);
  if (code < 0) {
    *error = path + ": cannot open the " + codec->name + " encoder (" + AvError(code) + ")";
    AbandonMediaWriter(w);
    return false;
  }
  w->videoStream = avformat_new_stream(w->format, nullptr);
  avcodec_parameters_from_context(w->videoStream->codecpar, w->video);
  w->videoStream->time_base = w->video->time_base;

  if (withAudio && recipe->audioCodec != nullptr) {
    const AVCodec* ac = avcodec_find_encoder_by_name(recipe->audioCodec);
    if (ac == nullptr) {
      *error = path + ": no " + recipe->audioCodec + " audio encoder";
      AbandonMediaWriter(w);
      return false;
    }
    w->audio = avcodec_alloc_context3(ac);
    w->audio->sample_rate = sampleRate;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    av_channel_layout_copy(&w->audio->ch_layout, &stereo);
    w->audio->sample_fmt = ac->sample_fmts != nullptr ? ac->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    w->audio->time_base = AVRational{1, sampleRate};
    w->audio->bit_rate = 160000;
    if (w->format->oformat->flags & AVFMT_GLOBALHEADER)
      w->audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    code = avcodec_open2(w->audio, ac, nullptr);
    if (code < 0) {
      *error = path + ": cannot open the audio encoder (" + AvError(code) + ")";
      AbandonMediaWriter(w);
      return false;
    }
    w->audioStream = avformat_new_stream(w->format, nullptr);
    avcodec_parameters_from_context(w->audioStream->codecpar, w->audio);
    w->audioStream->time_base = w->audio->time_base;
    if (swr_alloc_set_opts2(&w->resampler, &w->audio->ch_layout, w->audio->sample_fmt, sampleRate,
                            &stereo, AV_SAMPLE_FMT_FLT, sampleRate, 0, nullptr) < 0 ||
        swr_init(w->resampler) < 0) {
      *error = path + ": cannot convert audio for the encoder";
      AbandonMediaWriter(w);
      return false;
    }
  }
  if (!(w->format->oformat->flags & AVFMT_NOFILE)) {
    code = avio_open(&w->format->pb, w->temporary.c_str(), AVIO_FLAG_WRITE);
    if (code < 0) {
      *error = path + ": cannot write (" + AvError(code) + ")";
      AbandonMediaWriter(w);
      return false;
    }
  }
  code = avformat_write_header(w->format, nullptr);
  if (code < 0) {
    *error = path + ": cannot start the file (" + AvError(code) + ")";
    AbandonMediaWriter(w);
    return false;
  }
  w->frame = av_frame_alloc();
  w->frame->format = pix;
  w->frame->width = w->width;
  w->frame->height = w->height;
  av_frame_get_buffer(w->frame, 0);
  w->packet = av_packet_alloc();
  return true;
}

bool WriteMediaFrame(MediaWriter* w, const FrameImage& f, std::string* error) {
  w->scaler = sws_getCachedContext(w->scaler, w->width, w->height, AV_PIX_FMT_BGR24, w->width,
                                   w->height, static_cast<AVPixelFormat>(w->frame->format),
                                   SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr,
                                   nullptr, nullptr);
  if (w->scaler == nullptr || av_frame_make_writable(w->frame) < 0) {
    *error = w->path + ": cannot convert the frame";
    return false;
  }
  // Our frames keep the bottom row first: read them upwards (the top row of the picture
  // is the last row in memory).
  const uint8_t* top = f.pixels.data() + static_cast<size_t>(f.height - 1) * f.stride;
  const uint8_t* planes[4] = {top, nullptr, nullptr, nullptr};
  const int strides[4] = {-f.stride, 0, 0, 0};
  sws_scale(w->scaler, planes, strides, 0, w->height, w->frame->data, w->frame->linesize);
  w->frame->pts = w->nextVideoPts++;
  if (avcodec_send_frame(w->video, w->frame) < 0) {
    *error = w->path + ": the encoder refused a frame";
    return false;
  }
  return Drain(w, w->video, w->videoStream, error);
}

bool WriteMediaAudio(MediaWriter* w, const std::vector<float>& samples, std::string* error) {
  if (w->audio == nullptr) return true;
  const int frameSize = w->audio->frame_size > 0 ? w->audio->frame_size : 1024;
  const int64_t total = static_cast<int64_t>(samples.size() / 2);
  for (int64_t at = 0; at < total; at += frameSize) {
    const int n = static_cast<int>(std::min<int64_t>(frameSize, total - at));
    AVFrame* frame = av_frame_alloc();
    frame->format = w->audio->sample_fmt;
    av_channel_layout_copy(&frame->ch_layout, &w->audio->ch_layout);
    frame->sample_rate = w->sampleRate;
    frame->nb_samples = (w->audio->frame_size > 0) ? frameSize : n;
    av_frame_get_buffer(frame, 0);
    av_samples_set_silence(frame->extended_data, 0, frame->nb_samples, 2, w->audio->sample_fmt);
    const uint8_t* in[1] = {reinterpret_cast<const uint8_t*>(samples.data() + at * 2)};
    swr_convert(w->resampler, frame->extended_data, n, in, n);
    frame->pts = w->nextAudioPts;
    w->nextAudioPts += frame->nb_samples;
    const int sent = avcodec_send_frame(w->audio, frame);
    av_frame_free(&frame);
    if (sent < 0 || !Drain(w, w->audio, w->audioStream, error)) {
      if (error->empty()) *error = w->path + ": the audio encoder refused samples";
      return false;
    }
  }
  return true;
}

bool FinishMediaWriter(MediaWriter* w, std::string* error) {
  avcodec_send_frame(w->video, nullptr);
  if (!Drain(w, w->video, w->videoStream, error)) return false;
  if (w->audio != nullptr) {
    avcodec_send_frame(w->audio, nullptr);
    if (!Drain(w, w->audio, w->audioStream, error)) return false;
  }
  const int code = av_write_trailer(w->format);
  if (code < 0) {
    *error = w->path + ": cannot finish the file (" + AvError(code) + ")";
    return false;
  }
  if (!(w->format->oformat->flags & AVFMT_NOFILE)) avio_closep(&w->format->pb);
  std::remove(w->path.c_str());
  if (std::rename(w->temporary.c_str(), w->path.c_str()) != 0) {
    *error = w->path + ": cannot write (" + WriteFailureReason(errno) + ")";
    return false;
  }
  w->temporary.clear();
  AbandonMediaWriter(w);
  return true;
}

void AbandonMediaWriter(MediaWriter* w) {
  if (w->format != nullptr && w->format->pb != nullptr &&
      !(w->format->oformat->flags & AVFMT_NOFILE))
    avio_closep(&w->format->pb);
  if (w->video != nullptr) avcodec_free_context(&w->video);
  if (w->audio != nullptr) avcodec_free_context(&w->audio);
  if (w->format != nullptr) avformat_free_context(w->format);
  w->format = nullptr;
  if (w->frame != nullptr) av_frame_free(&w->frame);
  if (w->packet != nullptr) av_packet_free(&w->packet);
  if (w->scaler != nullptr) sws_freeContext(w->scaler);
  w->scaler = nullptr;
  if (w->resampler != nullptr) swr_free(&w->resampler);
  if (!w->temporary.empty()) std::remove(w->temporary.c_str());
  w->temporary.clear();
}

}  // namespace zk

namespace zk {

bool WriteJpegFile(const std::string& path, const FrameImage& f, std::string* error) {
  if (!LoadFfmpeg(error)) return *error = path + ": " + *error, false;
  av_log_set_level(AV_LOG_QUIET);
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
  if (codec == nullptr) return *error = path + ": no JPEG encoder", false;
  AVCodecContext* c = avcodec_alloc_context3(codec);
  c->width = f.width;
  c->height = f.height;
  c->pix_fmt = AV_PIX_FMT_YUVJ444P;
  c->time_base = AVRational{1, 25};
  c->flags |= AV_CODEC_FLAG_QSCALE;
  c->global_quality = FF_QP2LAMBDA * 2;
  bool ok = avcodec_open2(c, codec, nullptr) >= 0;
  AVFrame* frame = av_frame_alloc();
  AVPacket* packet = av_packet_alloc();
  SwsContext* sws = nullptr;
  if (ok) {
    frame->format = c->pix_fmt;
    frame->width = f.width;
    frame->height = f.height;
    frame->quality = c->global_quality;
    ok = av_frame_get_buffer(frame, 0) >= 0;
  }
  if (ok) {
    sws = sws_getContext(f.width, f.height, AV_PIX_FMT_BGR24, f.width, f.height, c->pix_fmt,
                         SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr,
                         nullptr);
    const uint8_t* top = f.pixels.data() + static_cast<size_t>(f.height - 1) * f.stride;
    const uint8_t* planes[4] = {top, nullptr, nullptr, nullptr};
    const int strides[4] = {-f.stride, 0, 0, 0};
    ok = sws != nullptr &&
         sws_scale(sws, planes, strides, 0, f.height, frame->data, frame->linesize) > 0;
  }
  ok = ok && avcodec_send_frame(c, frame) >= 0 && avcodec_send_frame(c, nullptr) >= 0 &&
       avcodec_receive_packet(c, packet) >= 0;
  if (ok) {
    const std::vector<uint8_t> bytes(packet->data, packet->data + packet->size);
    ok = WriteFileAtomically(path, bytes, error);
  } else {
    *error = path + ": JPEG encoding failed";
  }
  sws_freeContext(sws);
  av_packet_free(&packet);
  av_frame_free(&frame);
  avcodec_free_context(&c);
  return ok;
}

}  // namespace zk
