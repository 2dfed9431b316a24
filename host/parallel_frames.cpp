#include "parallel_frames.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "module_manifest.h"
#include "render_args.h"

namespace zk {

bool RendersInOrder(const std::string& effect) {
  const ModuleManifest* m = FindManifest(effect.c_str());
  return m != nullptr && m->state != FrameState::None;
}

void ForEachFrameInParallel(int64_t count, int32_t threads,
                            const std::function<void(int64_t)>& job) {
  if (threads <= 1 || count <= 1) {
    for (int64_t i = 0; i < count; ++i) job(i);
    return;
  }
  std::atomic<int64_t> next{0};
  auto worker = [&]() {
    for (int64_t i = next++; i < count; i = next++) job(i);
  };
  std::vector<std::thread> pool;
  const int64_t n = std::min<int64_t>(threads, count);
  for (int64_t t = 1; t < n; ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& t : pool) t.join();
}

void ShareCoresWithFrames(int32_t frameThreads) {
  const char* chosen = std::getenv("ZELKOR_THREADS");
  if (chosen != nullptr && chosen[0] != '\0') return;
  const int32_t perFrame = std::max<int32_t>(1, DefaultThreadCount() / std::max(1, frameThreads));
  SetModuleVariable("ZELKOR_THREADS", std::to_string(perFrame));
}

int32_t DefaultThreadCount() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int32_t>(n);
}

}  // namespace zk
