#include "audio_mix.h"

namespace zk {

std::vector<float> CrossfadeAudio(const std::vector<float>& a, const std::vector<float>& b,
                                  AudioSpan span, int64_t totalSamples) {
  std::vector<float> out(static_cast<size_t>(totalSamples) * 2, 0.0f);
  const int64_t aFrames = static_cast<int64_t>(a.size() / 2);
  const int64_t bFrames = static_cast<int64_t>(b.size() / 2);
  for (int64_t t = 0; t < totalSamples; ++t) {
    double gainB;
    if (t < span.startSample)
      gainB = 0.0;
    else if (t >= span.startSample + span.lengthSamples)
      gainB = 1.0;
    else
      gainB = static_cast<double>(t - span.startSample) / static_cast<double>(span.lengthSamples);
    const int64_t tb = t - span.startSample;
    for (int c = 0; c < 2; ++c) {
      const double sa = t < aFrames ? a[static_cast<size_t>(t * 2 + c)] : 0.0;
      const double sb = tb >= 0 && tb < bFrames ? b[static_cast<size_t>(tb * 2 + c)] : 0.0;
      out[static_cast<size_t>(t * 2 + c)] = static_cast<float>(sa * (1.0 - gainB) + sb * gainB);
    }
  }
  return out;
}

}  // namespace zk
