// The options of zelkor render, read once for still renders and for joins of clips.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "effect_host.h"
#include "settings_options.h"

namespace zk {

struct RenderArgs {
  std::string effect, from, to, out;
  std::vector<float> progress;
  RenderChoices choices;
  // --variant and --extra as given (numbers or the module's names); empty: the module's
  // default. Read into `choices` by SetHostWords once the module is open.
  std::string variantWord, extraWord;
  SettingsOptions settings;
  bool verbose = false;
  bool quiet = false;
  // Joining clips: the transition's length and start (seconds; offset below 0: over the
  // end of A), and how long a still shows outside the transition.
  double duration = -1;
  double offset = -1;
  double stillDuration = 2.0;
  // --seed: effects with noise draw it from this seed instead of the clock.
  int32_t threads = 0;  // 0: all cores where the effect allows it
  bool fixedNoise = false;
  uint32_t noiseSeed = 0;
};

// Hands a fixed noise seed to the modules of this process (they read ZELKOR_NOISE_SEED).
void SetNoiseSeedVariable(uint32_t seed);
// Sets an environment variable the modules read.
void SetModuleVariable(const char* name, const std::string& value);

// Reads the render options; false with a one-line message on anything malformed.
bool ParseRenderArgs(const std::vector<std::string>& args, RenderArgs* r, std::string* error);

// The variant and extra words of `choices`: the module's defaults, or what was given.
bool SetHostWords(const HostedEffect& effect, RenderArgs* r, std::string* error);

// True when the inputs or the output call for FFmpeg's libraries: inputs other than BMP,
// or a join (a clip as output, or --duration).
bool IsMediaJob(const RenderArgs& r);
bool IsClipPath(const std::string& path);

// Joins two clips or pictures with the open effect (native build with FFmpeg).
int RunJoin(const RenderArgs& r, HostedEffect& effect);
// Reads a picture of any format FFmpeg knows as a frame of the given size (0: its own).
// Writes a single frame by its file name: .bmp, .png, and with FFmpeg also .jpg/.jpeg.
bool WritePicture(const std::string& path, const FrameImage& frame, std::string* error);
bool LoadPicture(const std::string& path, int32_t width, int32_t height, FrameImage* frame,
                 std::string* error);

}  // namespace zk
