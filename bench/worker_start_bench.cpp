// How long after a render call begins its worker thread starts on a slice, while the calling
// thread works: every banded render pays this once a call before the second core helps, so
// a frame of T milliseconds on one thread takes at least (T + this) / 2 on two. Arguments:
// the slice's microseconds, the milliseconds both threads idle before each call (a host
// playing frames in real time leaves the cores idle between them), and whether the call has
// a crew (parked between calls outside Windows) or starts a thread for its pass.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "slice_runner.h"

namespace {

using Clock = std::chrono::steady_clock;

void WorkerStart(benchmark::State& state) {
  const std::chrono::microseconds slice(static_cast<int64_t>(state.range(0)));
  const std::chrono::milliseconds idle(static_cast<int64_t>(state.range(1)));
  const bool crew = state.range(2) != 0;
  std::vector<double> delays;
  int64_t late = 0;
  for (auto _ : state) {
    if (idle.count() > 0) {
      state.PauseTiming();
      std::this_thread::sleep_for(idle);
      state.ResumeTiming();
    }
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<int64_t> startedNs{-1};
    const Clock::time_point called = Clock::now();
    const zk::SliceCrewScope scope(crew ? zk::kCrewPixels : 0, 2);
    zk::RunSlices(2, 2, [&](int32_t) {
      const Clock::time_point begun = Clock::now();
      if (std::this_thread::get_id() != caller) {
        startedNs = std::chrono::duration_cast<std::chrono::nanoseconds>(begun - called).count();
      }
      while (Clock::now() - begun < slice) {
      }
    });
    const int64_t ns = startedNs.load();
    if (ns < 0) {
      ++late;  // the caller did both slices before the worker ran
    } else {
      delays.push_back(static_cast<double>(ns) / 1000.0);
    }
  }
  if (!delays.empty()) {
    std::sort(delays.begin(), delays.end());
    state.counters["start_us_median"] = delays[delays.size() / 2];
    state.counters["start_us_p90"] = delays[delays.size() * 9 / 10];
  }
  state.counters["calls_done_alone"] = static_cast<double>(late);
}
// Each of the two slices keeps a thread busy this many microseconds.
BENCHMARK(WorkerStart)
    ->ArgNames({"slice_us", "idle_ms", "crew"})
    ->Args({4000, 0, 0})
    ->Args({4000, 3, 0})
    ->Args({4000, 3, 1})
    ->Args({16000, 3, 0})
    ->Args({16000, 3, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
