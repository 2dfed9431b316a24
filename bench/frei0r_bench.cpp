// What the frei0r plug-ins add to a render: the frame conversions alone (two RGBA pictures
// in, one out, at 1920x1080), and whole update calls of a plug-in next to the module's own
// render call in render_bench.cpp. The conversions must stay small beside the render.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <frei0r.h>

#include <cstdint>
#include <string>
#include <vector>

#include "frame_convert.h"

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;

std::vector<uint8_t> RgbaPicture(uint32_t seed) {
  std::vector<uint8_t> rgba(static_cast<size_t>(kWidth) * kHeight * 4);
  for (size_t i = 0; i < rgba.size(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    rgba[i] = (i % 4 == 3) ? 255 : static_cast<uint8_t>(seed >> 24);
  }
  return rgba;
}

void BM_Frei0rConversions(benchmark::State& state) {
  const std::vector<uint8_t> a = RgbaPicture(1), b = RgbaPicture(2);
  const int32_t stride = (kWidth * 3 + 3) & ~3;
  std::vector<uint8_t> bgrA(static_cast<size_t>(stride) * kHeight), bgrB(bgrA.size());
  std::vector<uint8_t> out(a.size());
  const size_t line = static_cast<size_t>(kWidth) * 4;
  for (auto _ : state) {
    for (int32_t y = 0; y < kHeight; ++y) {
      const size_t row = static_cast<size_t>(kHeight - 1 - y) * stride;
      zk::RgbaLineToBgrRow(a.data() + y * line, kWidth, bgrA.data() + row);
      zk::RgbaLineToBgrRow(b.data() + y * line, kWidth, bgrB.data() + row);
    }
    // The render would write its frame here; the way back reads scene A's rows as one.
    for (int32_t y = 0; y < kHeight; ++y) {
      const size_t row = static_cast<size_t>(kHeight - 1 - y) * stride;
      zk::BgrRowToRgbaLine(bgrA.data() + row, a.data() + y * line, b.data() + y * line, 0.5, kWidth,
                           out.data() + y * line);
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Frei0rConversions)->Unit(benchmark::kMillisecond)->UseRealTime();

// A whole frei0r update of a plug-in as MLT calls it, conversions included.
void Frei0rUpdate(benchmark::State& state, const std::string& module) {
  const std::string path = std::string(ZELKOR_BENCH_FREI0R_DIR) + "/zelkor_" + module + ".so";
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    state.SkipWithError(("cannot load " + path).c_str());
    return;
  }
  auto init = reinterpret_cast<int (*)()>(dlsym(handle, "f0r_init"));
  auto construct =
      reinterpret_cast<f0r_instance_t (*)(unsigned, unsigned)>(dlsym(handle, "f0r_construct"));
  auto destruct = reinterpret_cast<void (*)(f0r_instance_t)>(dlsym(handle, "f0r_destruct"));
  auto update2 =
      reinterpret_cast<void (*)(f0r_instance_t, double, const uint32_t*, const uint32_t*,
                                const uint32_t*, uint32_t*)>(dlsym(handle, "f0r_update2"));
  auto setParam = reinterpret_cast<void (*)(f0r_instance_t, f0r_param_t, int)>(
      dlsym(handle, "f0r_set_param_value"));
  if (!init || !construct || !destruct || !update2 || !setParam || init() != 1) {
    state.SkipWithError("not a frei0r plug-in");
    dlclose(handle);
    return;
  }
  const std::vector<uint8_t> a = RgbaPicture(1), b = RgbaPicture(2);
  std::vector<uint32_t> out(static_cast<size_t>(kWidth) * kHeight);
  f0r_instance_t instance = construct(kWidth, kHeight);
  double progress = 0.5;
  setParam(instance, &progress, 0);
  for (auto _ : state) {
    update2(instance, progress, reinterpret_cast<const uint32_t*>(a.data()),
            reinterpret_cast<const uint32_t*>(b.data()), nullptr, out.data());
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  destruct(instance);
  dlclose(handle);
}
BENCHMARK_CAPTURE(Frei0rUpdate, crossfade, std::string("crossfade"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Frei0rUpdate, bloom, std::string("bloom"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
