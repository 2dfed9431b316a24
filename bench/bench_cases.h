// The cases every render benchmark times: each module with its defaults, and the settings
// the README's speed table discusses (presets and choices that cost the most).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sample_scenes.h"
#include "settings_options.h"

struct BenchCase {
  std::string module;
  std::string label;
  zk::SettingsOptions settings;
  bool sequence;  // the effect carries state: render rising progress frame after frame
};

// Frames of the transition a stateful case goes round, as a host plays it.
constexpr int64_t kSequenceFrames = 100;

// The cases of the modules found in `moduleDir`.
std::vector<BenchCase> BenchCases(const std::string& moduleDir);

struct BenchScenes {
  zk::FrameImage a, b;
};
// The two sample scenes at 720x576 or 1920x1080, drawn once.
const BenchScenes& BenchScenesOf(int32_t width, int32_t height);
