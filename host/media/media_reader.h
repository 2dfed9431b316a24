// Reading clips and pictures through FFmpeg's libraries: video frames as the host hands
// them to a module (24-bit, bottom row first, rows padded), scaled to fit a target size,
// and the audio as interleaved stereo floats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codec_types.h"
#include "frame_image.h"
#include "join_plan.h"

namespace zk {

struct MediaReader {
  std::string path;
  AVFormatContext* format = nullptr;
  AVCodecContext* decoder = nullptr;
  AVFrame* decoded = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  int stream = -1;
  bool hasAudio = false;
  bool drained = false;
  int32_t width = 0;  // the picture's own size
  int32_t height = 0;
  ClipFacts facts;
  // Frames at the target size: the latest handed out, and one decoded ahead.
  FrameImage current, pending;
  double currentSeconds = -1, pendingSeconds = -1;
  bool haveCurrent = false, havePending = false;
  double startSeconds = 0;
};

// Opens a clip or picture and counts its frames. False with a one-line reason.
bool OpenMedia(const std::string& path, MediaReader* reader, std::string* error);
void CloseMedia(MediaReader* reader);

// The frame showing at `seconds` since the clip's start (the latest whose time has come;
// a still always gives its picture), scaled to fit width x height with black bars.
// Frames must be asked for in rising time.
bool MediaFrameAt(MediaReader* reader, double seconds, int32_t width, int32_t height,
                  FrameImage* frame, std::string* error);

// All of the file's audio as interleaved stereo floats at `sampleRate`; empty without audio.
bool ReadAllAudio(const std::string& path, int32_t sampleRate, std::vector<float>* samples,
                  std::string* error);

}  // namespace zk
