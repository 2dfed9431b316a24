#include "slice_runner.h"

#include <cstdlib>

#include "slice_threads.h"

#if !defined(_WIN32)
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

#if defined(_WIN32)
DWORD WINAPI ThreadMain(void* start) {
  static_cast<const ThreadStart*>(start)->main(static_cast<const ThreadStart*>(start)->argument);
  return 0;
}
#else
void* ThreadMain(void* start) {
  static_cast<const ThreadStart*>(start)->main(static_cast<const ThreadStart*>(start)->argument);
  return nullptr;
}
#endif

void DrainMain(void* q) { DrainSlices(static_cast<SliceQueue*>(q)); }

}  // namespace

void DrainSlices(SliceQueue* q) {
  for (int32_t i = q->next.fetch_add(1); i < q->count; i = q->next.fetch_add(1)) {
    try {
      q->job(q->context, i);
    } catch (...) {
      std::lock_guard<std::mutex> hold(q->failureLock);
      if (!q->failure) q->failure = std::current_exception();
    }
  }
}

bool StartWorkerThread(const ThreadStart* start, WorkerHandle* handle) {
  void* argument = const_cast<ThreadStart*>(start);
#if defined(_WIN32)
  *handle = CreateThread(nullptr, 0, ThreadMain, argument, 0, nullptr);
  return *handle != nullptr;
#else
  return pthread_create(handle, nullptr, ThreadMain, argument) == 0;
#endif
}

void JoinWorkerThread(WorkerHandle handle) {
#if defined(_WIN32)
  WaitForSingleObject(handle, INFINITE);
  CloseHandle(handle);
#else
  pthread_join(handle, nullptr);
#endif
}

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
  const int32_t wanted = threads * kBandsPerThread;
  return most < 1 ? 1 : (most < wanted ? most : wanted);
}

void RunSlicesOn(int32_t threads, int32_t count, SliceJob job, void* context) {
  if (count <= 0) return;
  if (threads <= 1 || count == 1) {
    for (int32_t i = 0; i < count; ++i) job(context, i);
    return;
  }
  if (RunSlicesOnCrew(threads, count, job, context)) return;
  SliceQueue q;
  q.count = count;
  q.job = job;
  q.context = context;
  const ThreadStart start{DrainMain, &q};
  WorkerHandle workers[kMaxSliceThreads];
  int32_t started = 0;
  const int32_t wanted = (threads < count ? threads : count) - 1;
  while (started < wanted && started < kMaxSliceThreads &&
         StartWorkerThread(&start, &workers[started])) {
    ++started;
  }
  DrainSlices(&q);
  for (int32_t i = 0; i < started; ++i) JoinWorkerThread(workers[i]);
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
