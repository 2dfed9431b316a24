// Frames per second of every module, one render call at a time through vxDLLApplyEffect,
// on the two sample scenes at 720x576 and 1920x1080.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_cases.h"
#include "bench_modules.h"
#include "effect_host.h"

namespace {

void RenderCase(benchmark::State& state, const BenchCase& c, int32_t width, int32_t height,
                float progress) {
  zk::HostedEffect effect;
  std::string error;
  if (!zk::OpenEffect(zk::ModulePath(BenchModuleDir(), c.module), &effect, &error) ||
      !zk::ApplySettingsOptions(c.settings, &effect, &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  // The words a host passes when the user chose none: the module's own defaults.
  const zk::RenderChoices choices = zk::ModuleDefaultChoices(effect.info);
  const BenchScenes& s = BenchScenesOf(width, height);
  zk::FrameImage out = zk::MakeFrameImage(width, height);
  int64_t frame = 0;
  if (c.sequence) {
    // The first frame builds what the effect keeps for the whole transition (firestorm's
    // cooling map, say): a cost paid once, not per frame.
    zk::RenderEffectFrame(effect, s.a, s.b, 0.0f, choices, &out);
    ++frame;
  }
  for (auto _ : state) {
    // Stateful effects see a transition of 100 frames going round, as a host plays it.
    const float p = c.sequence ? static_cast<float>(frame % kSequenceFrames) /
                                     static_cast<float>(kSequenceFrames - 1)
                               : progress;
    zk::RenderEffectFrame(effect, s.a, s.b, p, choices, &out);
    benchmark::DoNotOptimize(out.pixels.data());
    ++frame;
  }
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  zk::CloseEffect(&effect);
}

void RegisterAll() {
  for (const BenchCase& c : BenchCases(BenchModuleDir())) {
    for (int32_t width : {720, 1920}) {
      const int32_t height = width == 720 ? 576 : 1080;
      const std::vector<float> points =
          c.sequence ? std::vector<float>{0.0f} : std::vector<float>{0.25f, 0.5f, 0.75f};
      for (float p : points) {
        std::string name =
            c.module + "/" + c.label + "/" + std::to_string(width) + "x" + std::to_string(height);
        name += c.sequence ? "/sequence" : "/p=" + std::to_string(p).substr(0, 4);
        benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(
            name.c_str(),
            [c, width, height, p](benchmark::State& st) { RenderCase(st, c, width, height, p); });
        b->Unit(benchmark::kMillisecond)->UseRealTime();
        // A stateful effect's cost changes along the transition (chars' glow grows with the
        // characters on screen): time exactly the frames after the first of one pass.
        if (c.sequence) b->Iterations(kSequenceFrames - 1);
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
