// Several independent frames at once, one per thread, for effects whose frames do not
// depend on one another. The render code itself never starts threads: each call of a
// module stays on one thread, exactly as in a host.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zk {

// Effects that carry state from one frame to the next and must see their frames in order.
bool RendersInOrder(const std::string& effect);

// Runs job(i) for i in [0, count) on up to `threads` threads (1: on this thread, in order).
void ForEachFrameInParallel(int64_t count, int32_t threads,
                            const std::function<void(int64_t)>& job);

// Hardware threads, at least 1.
int32_t DefaultThreadCount();

// Each module also draws one frame on several threads (ZELKOR_THREADS, else every core).
// With `frameThreads` frames side by side, this gives each frame the cores shared out
// (cores / frameThreads, at least 1) through ZELKOR_THREADS, before the first render, so
// the two never ask for more threads than the machine has. A ZELKOR_THREADS the user set
// is kept as it is.
void ShareCoresWithFrames(int32_t frameThreads);

}  // namespace zk
