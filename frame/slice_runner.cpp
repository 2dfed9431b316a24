#include "slice_runner.h"

#include <atomic>
#include <cstdlib>
#include <exception>
#include <mutex>

#if defined(_WIN32)
#include <windows.h>
#else
#include <pthread.h>
#include <sched.h>
#include <unistd.h>
#endif

namespace zk {
namespace {

int32_t MachineCores() {
#if defined(_WIN32)
  DWORD_PTR process = 0, system = 0;
  int32_t n = 0;
  if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system)) {
    for (; process != 0; process &= process - 1) ++n;
  }
  if (n == 0) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    n = static_cast<int32_t>(info.dwNumberOfProcessors);
  }
#else
  // The cores this process may run on, which a container or taskset may narrow.
  cpu_set_t set;
  int32_t n = sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 0;
  if (n <= 0) n = static_cast<int32_t>(sysconf(_SC_NPROCESSORS_ONLN));
#endif
  return n < 1 ? 1 : n;
}

int32_t ChooseThreads() {
  const int32_t chosen = ParseThreadCount(std::getenv("ZELKOR_THREADS"));
  if (chosen > 0) return chosen;
  const int32_t cores = MachineCores();
  return cores < kMaxSliceThreads ? cores : kMaxSliceThreads;
}

// What the threads of one call share: the next slice to claim, the work, and the first
// exception a slice threw (the caller rethrows it once every thread has been joined).
struct SliceQueue {
  std::atomic<int32_t> next{0};
  int32_t count;
  SliceJob job;
  void* context;
  std::mutex failureLock;
  std::exception_ptr failure;
};

void Drain(SliceQueue* q) {
  for (int32_t i = q->next.fetch_add(1); i < q->count; i = q->next.fetch_add(1)) {
    try {
      q->job(q->context, i);
    } catch (...) {
      std::lock_guard<std::mutex> hold(q->failureLock);
      if (!q->failure) q->failure = std::current_exception();
    }
  }
}

#if defined(_WIN32)
using WorkerHandle = HANDLE;
DWORD WINAPI WorkerMain(void* q) {
  Drain(static_cast<SliceQueue*>(q));
  return 0;
}
bool StartWorker(SliceQueue* q, WorkerHandle* h) {
  *h = CreateThread(nullptr, 0, WorkerMain, q, 0, nullptr);
  return *h != nullptr;
}
void JoinWorker(WorkerHandle h) {
  WaitForSingleObject(h, INFINITE);
  CloseHandle(h);
}
#else
using WorkerHandle = pthread_t;
void* WorkerMain(void* q) {
  Drain(static_cast<SliceQueue*>(q));
  return nullptr;
}
bool StartWorker(SliceQueue* q, WorkerHandle* h) {
  return pthread_create(h, nullptr, WorkerMain, q) == 0;
}
void JoinWorker(WorkerHandle h) { pthread_join(h, nullptr); }
#endif

}  // namespace

int32_t ParseThreadCount(const char* text) {
  if (text == nullptr || *text < '0' || *text > '9') return 0;
  int64_t n = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    if (n <= kMaxSliceThreads) n = n * 10 + (*text - '0');
  }
  if (*text != '\0' || n == 0) return 0;
  return n > kMaxSliceThreads ? kMaxSliceThreads : static_cast<int32_t>(n);
}

int32_t SliceThreads() {
  static const int32_t threads = ChooseThreads();
  return threads;
}

RowRange BandRows(int32_t rows, int32_t count, int32_t index) {
  const int32_t base = rows / count, taller = rows % count;
  const int32_t first = index * base + (index < taller ? index : taller);
  return RowRange{first, first + base + (index < taller ? 1 : 0)};
}

int32_t BandCount(int32_t rows, int32_t minRows, int32_t threads) {
  if (threads <= 1 || rows <= 0) return 1;
  const int32_t most = minRows > 0 ? rows / minRows : rows;
  const int32_t wanted = threads * 4;
  return most < 1 ? 1 : (most < wanted ? most : wanted);
}

void RunSlicesOn(int32_t threads, int32_t count, SliceJob job, void* context) {
  if (count <= 0) return;
  if (threads <= 1 || count == 1) {
    for (int32_t i = 0; i < count; ++i) job(context, i);
    return;
  }
  SliceQueue q;
  q.count = count;
  q.job = job;
  q.context = context;
  WorkerHandle workers[kMaxSliceThreads];
  int32_t started = 0;
  const int32_t wanted = (threads < count ? threads : count) - 1;
  while (started < wanted && started < kMaxSliceThreads && StartWorker(&q, &workers[started])) {
    ++started;
  }
  Drain(&q);
  for (int32_t i = 0; i < started; ++i) JoinWorker(workers[i]);
  if (q.failure) std::rethrow_exception(q.failure);
}

void PauseSliceThread() {
#if defined(_WIN32)
  SwitchToThread();
#else
  sched_yield();
#endif
}

}  // namespace zk
