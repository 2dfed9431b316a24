// A render call's crew: its workers start as the call begins and stay between its passes,
// spinning a moment and then asleep, until the call ends. Starting threads for every pass
// cost each pass the thread's start and the waking of an idle core, and a render of several
// passes (a mask, a cast, a composite) paid it every time.
//
// Outside Windows a crew outlives its call: parked, its workers asleep, it serves the next
// call, since a thread just started may wait milliseconds before the scheduler runs it
// (a new thread queues behind the busy one that started it) while a sleeping one wakes on
// an idle core within microseconds. The parked crews are joined when the module is unloaded
// or the process ends. A Windows module may not wait for threads while it is unloaded, so
// its crews are joined as their calls end.
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

// Stops and joins the crew's workers, and frees it.
void Disband(SliceCrew* c) {
  c->stop = true;
  {
    std::lock_guard<std::mutex> hold(c->lock);
    c->wake.notify_all();
  }
  for (int32_t i = 0; i < c->workers; ++i) JoinWorkerThread(c->handles[i]);
  delete c;
}

#if !defined(_WIN32)
// Crews between calls, one for each host thread that renders at the same time, up to a few.
constexpr int32_t kParkingSlots = 8;
std::atomic<SliceCrew*> g_parked[kParkingSlots];

// A parked crew of `workers` workers, or null.
SliceCrew* TakeParkedCrew(int32_t workers) {
  for (std::atomic<SliceCrew*>& slot : g_parked) {
    SliceCrew* c = slot.load(std::memory_order_acquire);
    if (c != nullptr && c->workers == workers && slot.compare_exchange_strong(c, nullptr)) return c;
  }
  return nullptr;
}

bool Park(SliceCrew* c) {
  for (std::atomic<SliceCrew*>& slot : g_parked) {
    SliceCrew* empty = nullptr;
    if (slot.compare_exchange_strong(empty, c)) return true;
  }
  return false;
}

// A child of fork has none of its parent's threads: the parked crews' workers are not there
// to be woken or joined, so the child forgets them (their memory is the parent's copy).
void ForgetParkedCrews() {
  for (std::atomic<SliceCrew*>& slot : g_parked) slot.store(nullptr);
}

// At unload (or the end of the process) the parked crews are joined.
struct ParkingClosure {
  ParkingClosure() { pthread_atfork(nullptr, nullptr, ForgetParkedCrews); }
  ~ParkingClosure() { ReleaseParkedCrews(); }
} g_parkingClosure;
#else
SliceCrew* TakeParkedCrew(int32_t) { return nullptr; }
bool Park(SliceCrew*) { return false; }
#endif

}  // namespace

int32_t ReleaseParkedCrews() {
  int32_t workers = 0;
#if !defined(_WIN32)
  for (std::atomic<SliceCrew*>& slot : g_parked) {
    if (SliceCrew* c = slot.exchange(nullptr)) {
      workers += c->workers;
      Disband(c);
    }
  }
#endif
  return workers;
}

SliceCrewScope::SliceCrewScope(int64_t pixels, int32_t threads) {
  if (threads <= 1 || pixels < kCrewPixels) return;
  if (threads > kMaxSliceThreads) threads = kMaxSliceThreads;
  const ThreadKey self = CurrentThread();
  if (FindCrew(self) != nullptr) return;  // a render within a render: the outer crew serves
  SliceCrew* c = TakeParkedCrew(threads - 1);
  if (c == nullptr) {
    c = new (std::nothrow) SliceCrew;
    if (c == nullptr) return;
    c->start = ThreadStart{CrewMain, c};
    while (c->workers < threads - 1 && StartWorkerThread(&c->start, &c->handles[c->workers])) {
      ++c->workers;
    }
  }
  c->owner = self;
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
  if (!Park(crew_)) Disband(crew_);
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
  c->gate.fetch_and(~kOpen);
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
