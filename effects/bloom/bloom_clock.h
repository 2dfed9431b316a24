// The one place the bloom module reads the clock. Setting ZELKOR_NOISE_SEED to a whole
// number N makes the module read N seconds instead of the calendar time, so a render of
// the noise modes can be repeated exactly (zelkor render --seed N sets it).
#pragma once

namespace zk {

constexpr const char* kNoiseSeedVariable = "ZELKOR_NOISE_SEED";

double NoiseClockSeconds();

}  // namespace zk
