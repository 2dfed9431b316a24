// Frames per second of every module, one render call at a time through vxDLLApplyEffect,
// on the two sample scenes at 720x576 and 1920x1080.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_modules.h"
#include "effect_host.h"
#include "sample_scenes.h"
#include "settings_options.h"

namespace {

constexpr int64_t kSequenceFrames = 100;

struct Case {
  std::string module;
  std::string label;
  zk::SettingsOptions settings;
  bool sequence;  // the effect carries state: render rising progress frame after frame
};

struct Scenes {
  zk::FrameImage a, b;
};

const Scenes& ScenesOf(int32_t width, int32_t height) {
  static Scenes pal{zk::DrawSunsetLake(720, 576), zk::DrawLighthouseCoast(720, 576)};
  static Scenes hd{zk::DrawSunsetLake(1920, 1080), zk::DrawLighthouseCoast(1920, 1080)};
  return width == 720 && height == 576 ? pal : hd;
}

bool IsStateful(const std::string& m) {
  return m == "dream" || m == "chars" || m == "firestorm" || m == "airport";
}

void RenderCase(benchmark::State& state, const Case& c, int32_t width, int32_t height,
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
  const Scenes& s = ScenesOf(width, height);
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

std::vector<Case> Cases() {
  std::vector<Case> cases;
  for (const std::string& m : zk::ListModuleNames(BenchModuleDir())) {
    cases.push_back({m, "default", {}, IsStateful(m)});
  }
  auto add = [&](const std::string& m, const std::string& label, zk::SettingsOptions o) {
    for (const std::string& have : zk::ListModuleNames(BenchModuleDir()))
      if (have == m) cases.push_back({m, label, o, IsStateful(m)});
  };
  zk::SettingsOptions o;
  o.assignments = {"size=0.01"};
  add("marbles", "size 0.01", o);
  o = {};
  o.assignments = {"applyGlow=1"};
  add("chars", "glow", o);
  o = {};
  o.preset = "dissolve";
  add("logo", "dissolve", o);
  o = {};
  o.preset = "high fly";
  add("cuboids2", "high fly", o);
  // The circle opening from the middle, as a plain wipe.
  o = {};
  o.assignments = {"bloomMode=0", "bloomDirection=6", "bloomDuration=0.01"};
  add("bloom", "circle outwards", o);
  for (const char* preset :
       {"preset #2", "Wipe left to right", "Wipe clockwise", "Crossfade", "White Flash"}) {
    o = {};
    o.preset = preset;
    add("bloom", preset, o);
  }
  return cases;
}

void RegisterAll() {
  for (const Case& c : Cases()) {
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
