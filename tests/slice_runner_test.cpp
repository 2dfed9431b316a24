// The slice runner: bands cover every row once, every slice runs once and side by side, a
// slice's exception reaches the caller after the others ran and no worker outlives the call
// (a crew's, its release); the thread count from the environment; the Rand15 jump-ahead
// bands of noise start from.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <dirent.h>
#endif

#include "rand15.h"
#include "slice_runner.h"

namespace zk {
namespace {

TEST(SliceRunnerTest, ThreadCountParsing) {
  const struct {
    const char* text;
    int32_t threads;
  } cases[] = {{nullptr, 0}, {"", 0},    {"0", 0},   {"1", 1},
               {"7", 7},     {"16", 16}, {"17", 16}, {"99999999999999", 16},
               {"-2", 0},    {"3x", 0},  {" 3", 0},  {"two", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(ParseThreadCount(c.text), c.threads) << (c.text ? c.text : "null");
  }
}

TEST(SliceRunnerTest, BandsCoverEveryRowOnceInOrder) {
  for (const int32_t rows : {1, 2, 17, 90, 1080}) {
    for (const int32_t threads : {1, 2, 3, 7, 16}) {
      const int32_t count = BandCount(rows, 16, threads);
      ASSERT_GE(count, 1);
      if (threads == 1 || rows < 32) {
        EXPECT_EQ(count, 1) << rows << " rows, " << threads;
      }
      int32_t next = 0, shortest = rows, tallest = 0;
      for (int32_t i = 0; i < count; ++i) {
        const RowRange r = BandRows(rows, count, i);
        EXPECT_EQ(r.first, next);
        shortest = std::min(shortest, r.end - r.first);
        tallest = std::max(tallest, r.end - r.first);
        next = r.end;
      }
      EXPECT_EQ(next, rows);
      EXPECT_LE(tallest - shortest, 1);
      EXPECT_GE(shortest, count > 1 ? 16 : 1);
    }
  }
}

// ThreadSanitizer's runtime starts a thread of its own along the way: the threads are counted
// only without it (and only where /proc shows them).
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ZK_TEST_UNDER_TSAN 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define ZK_TEST_UNDER_TSAN 1
#endif
#if defined(__linux__) && !defined(ZK_TEST_UNDER_TSAN)
constexpr bool kCountsThreads = true;
#else
constexpr bool kCountsThreads = false;
#endif

int32_t LiveThreads() {
#if defined(__linux__) && !defined(ZK_TEST_UNDER_TSAN)
  int32_t n = 0;
  if (DIR* d = opendir("/proc/self/task")) {
    while (dirent* e = readdir(d)) n += e->d_name[0] != '.';
    closedir(d);
  }
  return n;
#else
  return 0;
#endif
}

// LiveThreads once a worker just joined has left: pthread_join returns when the thread has
// finished, a moment before the kernel drops its task entry. A worker still running or
// parked never leaves, and the count stays above `expected`.
int32_t LiveThreadsSettled(int32_t expected) {
  int32_t n = LiveThreads();
  for (int i = 0; i < 200 && n > expected; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    n = LiveThreads();
  }
  return n;
}

TEST(SliceRunnerTest, EverySliceRunsOnceSideBySide) {
  for (const int32_t threads : {1, 2, 3, 7}) {
    const int32_t before = LiveThreads();
    std::vector<std::atomic<int32_t>> runs(50);
    std::atomic<bool> secondStarted{false};
    bool sawSecond = threads == 1;
    RunSlices(threads, 50, [&](int32_t i) {
      ++runs[static_cast<size_t>(i)];
      if (i == 1) secondStarted = true;
      // Slice 0 waits for slice 1, which only another thread can be running.
      if (i == 0 && threads > 1) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!secondStarted && std::chrono::steady_clock::now() < until) PauseSliceThread();
        sawSecond = secondStarted;
      }
    });
    for (const auto& r : runs) EXPECT_EQ(r.load(), 1) << threads << " threads";
    EXPECT_TRUE(sawSecond) << threads << " threads";
    EXPECT_EQ(LiveThreadsSettled(before), before) << "a worker outlived the call";
  }
}

TEST(SliceRunnerTest, ExceptionReachesTheCallerAfterEverySlice) {
  const int32_t before = LiveThreads();
  std::atomic<int32_t> ran{0};
  EXPECT_THROW(RunSlices(3, 20,
                         [&](int32_t i) {
                           ++ran;
                           if (i == 4) throw std::runtime_error("slice 4");
                         }),
               std::runtime_error);
  EXPECT_EQ(ran.load(), 20);
  EXPECT_EQ(LiveThreadsSettled(before), before);
}

// A render call's crew: its workers serve every pass of the calling thread while the scope
// lasts, each slice once, side by side; a pass asking for fewer threads gets no more; a pass
// within a pass and a slice's exception leave the crew working; small frames and one thread
// get none. Outside Windows the crew sleeps between calls and serves the next one (no
// thread started for it) until the parked crews are released; a Windows crew leaves with
// its call.
#if defined(_WIN32)
constexpr bool kParksCrews = false;
#else
constexpr bool kParksCrews = true;
#endif

TEST(SliceRunnerTest, CrewServesEveryPassOfTheCallAndLeavesWithIt) {
  const int32_t parked = LiveThreads();
  const int32_t before = LiveThreadsSettled(parked - ReleaseParkedCrews());
  for (int32_t call = 0; call < 2; ++call) {
    const SliceCrewScope crew(kCrewPixels, 3);
    if (kCountsThreads) {
      EXPECT_EQ(LiveThreads(), before + 2) << "the crew of call " << call;
    }
    for (int32_t pass = 0; pass < 4; ++pass) {
      std::vector<std::atomic<int32_t>> runs(40);
      std::atomic<int32_t> started{0};
      std::mutex idsLock;
      std::vector<std::thread::id> ids;
      const int32_t threads = pass == 3 ? 2 : 3;
      auto runPass = [&] {
        RunSlices(threads, 40, [&](int32_t i) {
          ++runs[static_cast<size_t>(i)];
          {
            std::lock_guard<std::mutex> hold(idsLock);
            if (std::find(ids.begin(), ids.end(), std::this_thread::get_id()) == ids.end())
              ids.push_back(std::this_thread::get_id());
          }
          // The first slices wait for one another: only threads side by side get past.
          if (i < threads) {
            ++started;
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (started < threads && std::chrono::steady_clock::now() < until) {
              PauseSliceThread();
            }
          }
          // The crew's workers serve the pass: no thread is started for it.
          if (kCountsThreads && i == 0 && pass != 1) {
            EXPECT_EQ(LiveThreads(), before + 2) << "pass " << pass;
          }
          if (pass == 1 && i == 5) {  // a pass within a pass starts threads of its own
            std::atomic<int32_t> inner{0};
            RunSlices(2, 6, [&](int32_t) { ++inner; });
            EXPECT_EQ(inner.load(), 6);
          }
          if (pass == 2 && i == 7) throw std::runtime_error("slice 7");
        });
      };
      if (pass == 2) {
        EXPECT_THROW(runPass(), std::runtime_error);
      } else {
        runPass();
      }
      for (const auto& r : runs) EXPECT_EQ(r.load(), 1) << "pass " << pass;
      EXPECT_EQ(started.load(), threads) << "pass " << pass;
      EXPECT_EQ(static_cast<int32_t>(ids.size()), threads) << "pass " << pass;
    }
  }
  if (kCountsThreads && kParksCrews) {
    EXPECT_EQ(LiveThreads(), before + 2) << "the crew waits for the next call";
  }
  EXPECT_EQ(ReleaseParkedCrews(), kParksCrews ? 2 : 0);
  EXPECT_EQ(LiveThreadsSettled(before), before) << "a crew worker outlived its release";
  {
    const SliceCrewScope small(kCrewPixels - 1, 3), alone(kCrewPixels, 1);
    EXPECT_EQ(LiveThreads(), before);
  }
}

TEST(SliceRunnerTest, Rand15JumpsAheadAsTheDrawsWould) {
  for (const uint64_t draws : {0u, 1u, 2u, 3u, 1000u, 123457u}) {
    Rand15Seed(0x2468ACEu);
    for (uint64_t i = 0; i < draws; ++i) Rand15Next();
    EXPECT_EQ(Rand15StateAfter(0x2468ACEu, draws), Rand15State()) << draws << " draws";
  }
}

}  // namespace
}  // namespace zk
