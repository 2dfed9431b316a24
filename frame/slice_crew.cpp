// A render call's crew: its workers start as the call begins and stay between its passes,
// spinning a moment and then asleep, until the call ends. Starting threads for every pass
// cost each pass the thread's start and the waking of an idle core, and a render of several
// passes (a mask, a cast, a composite) paid it every time.
#include <emmintrin.h>

#include <chrono>
#include <condition_variable>
#include <new>

#include "slice_threads.h"

namespace zk {

// The gate a pass opens for the workers: the pass's generation, whether workers may still
// come in, and how many are in.
constexpr uint32_t kInsideMask = 0xFF;
constexpr uint32_t kOpen = 0x100;
constexpr int kGenerationShift = 9;
static_assert(kMaxSliceThreads <= static_cast<int32_t>(kInsideMask), "workers in a pass");

// How long an idle worker spins before it sleeps: longer than the step between two passes of
// a render, short enough not to hold a core through the caller's longer sequential work.
constexpr std::chrono::microseconds kSpinBeforeSleep(300);

struct SliceCrew {
  ThreadKey owner{};
  ThreadStart start{};
  int32_t workers = 0;
  WorkerHandle handles[kMaxSliceThreads]{};
  bool busy = false;  // the owner is in a pass (a nested one starts threads of its own)
  SliceQueue pass;    // written by the owner while the gate is shut and nobody is in
  std::atomic<int32_t> seats{0};
  std::atomic<uint32_t> gate{0};
  std::atomic<bool> stop{false};
  std::atomic<int32_t> sleepers{0};
  std::mutex lock;
  std::condition_variable wake;
};

namespace {

uint32_t Generation(uint32_t gate) { return gate >> kGenerationShift; }
uint32_t Inside(uint32_t gate) { return gate & kInsideMask; }

// The crews of the render calls in progress, found by the thread that owns them.
constexpr int32_t kCrewSlots = 64;
std::atomic<SliceCrew*> g_crews[kCrewSlots];

SliceCrew* FindCrew(ThreadKey self) {
  for (std::atomic<SliceCrew*>& slot : g_crews) {
    SliceCrew* c = slot.load(std::memory_order_acquire);
    if (c != nullptr && SameThread(c->owner, self)) return c;
  }
  return nullptr;
}

bool PassReady(const SliceCrew& c, uint32_t seen) {
  const uint32_t g = c.gate.load();
  return c.stop.load() || ((g & kOpen) && Generation(g) != seen);
}

void WaitForPass(SliceCrew& c, uint32_t seen) {
  const auto until = std::chrono::steady_clock::now() + kSpinBeforeSleep;
  for (int32_t i = 1;; ++i) {
    if (PassReady(c, seen)) return;
    _mm_pause();
    if (i % 64 == 0 && std::chrono::steady_clock::now() > until) break;
  }
  std::unique_lock<std::mutex> hold(c.lock);
  // Counted before the last look at the gate: the owner opening it then sees a sleeper.
  c.sleepers.fetch_add(1);
  c.wake.wait(hold, [&] { return PassReady(c, seen); });
  c.sleepers.fetch_sub(1);
}

void CrewMain(void* argument) {
  SliceCrew& c = *static_cast<SliceCrew*>(argument);
  uint32_t seen = 0;  // the generation this worker last took part in or passed over
  for (;;) {
    uint32_t g = c.gate.load(std::memory_order_acquire);
    if (!(g & kOpen) || Generation(g) == seen) {
      if (c.stop.load()) return;
      WaitForPass(c, seen);
      continue;
    }
    if (Inside(g) >= static_cast<uint32_t>(c.seats.load(std::memory_order_relaxed))) {
      seen = Generation(g);  // the pass has the workers it asked for
      continue;
    }
    // In only while the gate is open and of this generation: the owner shuts it before it
    // waits for those inside, and reuses the pass once none is.
    if (!c.gate.compare_exchange_weak(g, g + 1, std::memory_order_acq_rel)) continue;
    seen = Generation(g);
    DrainSlices(&c.pass);
    c.gate.fetch_sub(1, std::memory_order_release);
  }
}

}  // namespace

SliceCrewScope::SliceCrewScope(int64_t pixels, int32_t threads) {
  if (threads <= 1 || pixels < kCrewPixels) return;
  if (threads > kMaxSliceThreads) threads = kMaxSliceThreads;
  const ThreadKey self = CurrentThread();
  if (FindCrew(self) != nullptr) return;  // a render within a render: the outer crew serves
  SliceCrew* c = new (std::nothrow) SliceCrew;
  if (c == nullptr) return;
  c->owner = self;
  c->start = ThreadStart{CrewMain, c};
  while (c->workers < threads - 1 && StartWorkerThread(&c->start, &c->handles[c->workers])) {
    ++c->workers;
  }
  if (c->workers > 0) {
    for (std::atomic<SliceCrew*>& slot : g_crews) {
      SliceCrew* empty = nullptr;
      if (slot.compare_exchange_strong(empty, c)) {
        crew_ = c;
        return;
      }
    }
  }
  Disband(c);  // no worker started, or every slot taken: the passes start their own threads
}

SliceCrewScope::~SliceCrewScope() {
  if (crew_ == nullptr) return;
  for (std::atomic<SliceCrew*>& slot : g_crews) {
    SliceCrew* mine = crew_;
    if (slot.compare_exchange_strong(mine, nullptr)) break;
  }
  Disband(crew_);
}

void SliceCrewScope::Disband(SliceCrew* c) {
  c->stop = true;
  {
    std::lock_guard<std::mutex> hold(c->lock);
    c->wake.notify_all();
  }
  for (int32_t i = 0; i < c->workers; ++i) JoinWorkerThread(c->handles[i]);
  delete c;
}

bool RunSlicesOnCrew(int32_t threads, int32_t count, SliceJob job, void* context) {
  SliceCrew* c = FindCrew(CurrentThread());
  if (c == nullptr || c->busy) return false;
  c->busy = true;
  c->pass.next.store(0, std::memory_order_relaxed);
  c->pass.count = count;
  c->pass.job = job;
  c->pass.context = context;
  c->pass.failure = nullptr;
  const int32_t wanted = (threads < count ? threads : count) - 1;
  c->seats.store(wanted < c->workers ? wanted : c->workers, std::memory_order_relaxed);
  const uint32_t generation = Generation(c->gate.load(std::memory_order_relaxed)) + 1;
  c->gate.store(generation << kGenerationShift | kOpen);
  if (c->sleepers.load() > 0) {
    std::lock_guard<std::mutex> hold(c->lock);
    c->wake.notify_all();
  }
  DrainSlices(&c->pass);
  // Shut the gate, then wait for the workers inside to finish the slices they hold.
  uint32_t g = c->gate.load();
  while (!c->gate.compare_exchange_weak(g, g & ~kOpen)) {
  }
  for (int32_t i = 1; Inside(c->gate.load(std::memory_order_acquire)) != 0; ++i) {
    if (i < 1000) {
      _mm_pause();
    } else {
      PauseSliceThread();
    }
  }
  c->busy = false;
  if (c->pass.failure) {
    std::exception_ptr failure = c->pass.failure;
    c->pass.failure = nullptr;
    std::rethrow_exception(failure);
  }
  return true;
}

}  // namespace zk
