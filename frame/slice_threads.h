// The slice runner's own pieces, shared by its two ways of running a pass: workers started
// for the pass, and a render call's crew kept between its passes.
#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <mutex>

#include "slice_runner.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace zk {

// What the threads of one pass share: the next slice to claim, the work, and the first
// exception a slice threw (the caller rethrows it once every thread is out of the pass).
struct SliceQueue {
  std::atomic<int32_t> next{0};
  int32_t count = 0;
  SliceJob job = nullptr;
  void* context = nullptr;
  std::mutex failureLock;
  std::exception_ptr failure;
};

// Claims and runs slices until none is left.
void DrainSlices(SliceQueue* q);

#if defined(_WIN32)
using WorkerHandle = HANDLE;
#else
using WorkerHandle = pthread_t;
#endif
// A worker runs main(argument); `start` must outlive the thread.
struct ThreadStart {
  void (*main)(void*);
  void* argument;
};
bool StartWorkerThread(const ThreadStart* start, WorkerHandle* handle);

// Which thread is asking: a render call's crew belongs to the thread that made the call.
#if defined(_WIN32)
using ThreadKey = DWORD;
inline ThreadKey CurrentThread() { return GetCurrentThreadId(); }
inline bool SameThread(ThreadKey a, ThreadKey b) { return a == b; }
#else
using ThreadKey = pthread_t;
inline ThreadKey CurrentThread() { return pthread_self(); }
inline bool SameThread(ThreadKey a, ThreadKey b) { return pthread_equal(a, b) != 0; }
#endif
void JoinWorkerThread(WorkerHandle handle);

// Runs the pass on the crew of the calling thread's render call, if it has one that is free
// and larger than one thread; false (nothing run) otherwise.
bool RunSlicesOnCrew(int32_t threads, int32_t count, SliceJob job, void* context);

}  // namespace zk
