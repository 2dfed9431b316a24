// The audio of a join: A, then both crossfaded over the transition, then B. Samples are
// interleaved stereo floats at one rate; a clip without audio counts as silence.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zk {

struct AudioSpan {
  int64_t startSample;    // where the transition starts
  int64_t lengthSamples;  // how long it lasts
};

// out has `totalSamples` frames; A plays from sample 0, B from span.startSample. Gains run
// linearly from A to B across the span.
std::vector<float> CrossfadeAudio(const std::vector<float>& a, const std::vector<float>& b,
                                  AudioSpan span, int64_t totalSamples);

}  // namespace zk
