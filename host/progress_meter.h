// A one-line progress bar on standard error for long renders: frames done, frames per
// second and time left. Silent when standard error is not a terminal or when asked.
#pragma once

#include <chrono>
#include <cstdint>

namespace zk {

struct ProgressMeter {
  int64_t total = 0;
  bool enabled = false;
  std::chrono::steady_clock::time_point start;
  std::chrono::steady_clock::time_point lastDrawn;
};

ProgressMeter StartProgressMeter(int64_t total, bool quiet);
void UpdateProgressMeter(ProgressMeter* meter, int64_t done);
void FinishProgressMeter(ProgressMeter* meter);

}  // namespace zk
