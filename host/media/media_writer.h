// Writing a joined clip through FFmpeg's libraries. The container and codecs follow the
// file name: .mkv lossless (FFV1 video, FLAC audio), .mp4/.mov H.264 and AAC, .webm VP9 and
// Opus, .webp animated WebP, .gif GIF. The file is written under a temporary name and
// renamed when complete, so a failed render never leaves a file that looks finished.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codec_types.h"
#include "frame_image.h"

namespace zk {

struct MediaWriter {
  std::string path, temporary;
  AVFormatContext* format = nullptr;
  AVCodecContext* video = nullptr;
  AVCodecContext* audio = nullptr;
  AVStream* videoStream = nullptr;
  AVStream* audioStream = nullptr;
  AVFrame* frame = nullptr;
  AVFrame* audioFrame = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  SwrContext* resampler = nullptr;
  int64_t nextVideoPts = 0;
  int64_t nextAudioPts = 0;
  int32_t width = 0, height = 0;
  int32_t sampleRate = 48000;
};

// True when the file name asks for a clip (rather than a picture).
bool IsMediaOutput(const std::string& path);

bool OpenMediaWriter(const std::string& path, int32_t width, int32_t height, double frameRate,
                     bool withAudio, int32_t sampleRate, MediaWriter* writer, std::string* error);
bool WriteMediaFrame(MediaWriter* writer, const FrameImage& frame, std::string* error);
// Interleaved stereo floats at the writer's sample rate; all of it at once.
bool WriteMediaAudio(MediaWriter* writer, const std::vector<float>& samples, std::string* error);
// Flushes the encoders, finishes the file and gives it its name.
bool FinishMediaWriter(MediaWriter* writer, std::string* error);
// Frees everything; a file not finished is removed.
void AbandonMediaWriter(MediaWriter* writer);

}  // namespace zk

namespace zk {

// A JPEG picture (quality about 95) through FFmpeg's encoder, written complete or not at all.
bool WriteJpegFile(const std::string& path, const FrameImage& frame, std::string* error);

}  // namespace zk
