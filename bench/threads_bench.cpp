// zelkor's frames on several threads: a batch of 1920x1080 frames of a transition without
// frame-to-frame state, rendered the way `zelkor render --threads N` renders them. The
// frames per second with 2 threads against 1 show how far the frames run side by side.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_modules.h"
#include "effect_host.h"
#include "parallel_frames.h"
#include "sample_scenes.h"

namespace {

void RenderBatch(benchmark::State& state, const std::string& module) {
  const int32_t threads = static_cast<int32_t>(state.range(0));
  zk::HostedEffect effect;
  std::string error;
  if (!zk::OpenEffect(zk::ModulePath(BenchModuleDir(), module), &effect, &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  const zk::FrameImage a = zk::DrawSunsetLake(1920, 1080), b = zk::DrawLighthouseCoast(1920, 1080);
  constexpr int64_t kFrames = 8;
  std::vector<zk::FrameImage> outs(kFrames, zk::MakeFrameImage(1920, 1080));
  const zk::RenderChoices choices = zk::ModuleDefaultChoices(effect.info);
  for (auto _ : state) {
    zk::ForEachFrameInParallel(kFrames, threads, [&](int64_t i) {
      zk::RenderEffectFrame(effect, a, b, static_cast<float>(i + 1) / (kFrames + 1), choices,
                            &outs[static_cast<size_t>(i)]);
    });
    benchmark::DoNotOptimize(outs.data());
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations() * kFrames),
                                             benchmark::Counter::kIsRate);
  zk::CloseEffect(&effect);
}
BENCHMARK_CAPTURE(RenderBatch, waves, std::string("waves"))
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(RenderBatch, crossfade, std::string("crossfade"))
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
