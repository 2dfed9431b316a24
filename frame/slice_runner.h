// The threads of one render call. A render splits its work into slices (bands of rows, as a
// rule) whose bytes do not depend on one another or on who draws them; the runner hands the
// slices out in rising order to worker threads and to the calling thread, which works too,
// and returns once every slice is done. The entry points give each render call of a large
// frame a crew (SliceCrewScope): workers that serve all its passes; elsewhere a pass starts
// and joins workers of its own. No thread works after a call returns: a Windows module joins
// its crew as the call ends, so a host may load, render from any thread and unload at will;
// elsewhere the crew sleeps until the next call and is joined when the module is unloaded.
//
// Thread count: the cores this process may run on, at most kMaxSliceThreads; ZELKOR_THREADS=N
// in the environment (read once per module) sets it to N instead (1 to kMaxSliceThreads),
// and 1 renders every slice on the calling thread, in order. A host that itself renders
// frames side by side sets ZELKOR_THREADS to cores / frame threads before the first render
// (see `zelkor render --threads`), so the two together never oversubscribe the machine.
#pragma once

#include <cstdint>

namespace zk {

constexpr int32_t kMaxSliceThreads = 16;

// The value of ZELKOR_THREADS: a whole number from 1 to kMaxSliceThreads (larger ones are
// capped), or 0 when it is missing, empty or not such a number.
int32_t ParseThreadCount(const char* text);

// Threads a render call uses: the environment's choice or the cores, read on first use.
int32_t SliceThreads();

// Rows [first, end) of slice `index` when `rows` rows are cut into `count` bands of (nearly)
// equal height, the taller ones first.
struct RowRange {
  int32_t first, end;
};
RowRange BandRows(int32_t rows, int32_t count, int32_t index);
constexpr RowRange kEveryRow{0, INT32_MAX};

// How many bands to cut `rows` rows into for `threads` threads: kBandsPerThread per thread,
// so that uneven rows, and threads that do not run at the same pace, still keep every
// thread busy to the end of the pass; none shorter than `minRows` (at least one band); one
// band for one thread.
constexpr int32_t kBandsPerThread = 8;
int32_t BandCount(int32_t rows, int32_t minRows, int32_t threads);

using SliceJob = void (*)(void* context, int32_t index);

// Runs job(context, i) once for every i in [0, count) on up to `threads` threads, the caller
// among them; slices are claimed in rising order, so a slice may wait for a lower one (which
// has then been claimed already). A thread that cannot be started leaves its share to the
// others. Returns when every slice has returned; the first exception a slice threw is then
// rethrown (the other slices still ran).
void RunSlicesOn(int32_t threads, int32_t count, SliceJob job, void* context);

// Gives the processor to another thread: for a slice waiting on a lower one.
void PauseSliceThread();

// Frames of fewer pixels render without a crew: their passes are too short to be worth
// threads kept waiting, and most are cut into one band.
constexpr int64_t kCrewPixels = 256 * 256;

// The crew of a render call, for its length: threads - 1 workers, started at once (they
// come up while the call sets its passes up), or the crew a former call parked. Passes the
// calling thread runs meanwhile go to the crew; a pass within a pass, or a thread with no
// crew, starts workers of its own. No crew for one thread or a frame under kCrewPixels.
// When the scope ends the crew is parked for the next call, its workers asleep (outside
// Windows, a few crews at most), or joined.
struct SliceCrew;
class SliceCrewScope {
 public:
  explicit SliceCrewScope(int64_t pixels, int32_t threads = SliceThreads());
  ~SliceCrewScope();
  SliceCrewScope(const SliceCrewScope&) = delete;
  SliceCrewScope& operator=(const SliceCrewScope&) = delete;

 private:
  SliceCrew* crew_ = nullptr;
};

// Joins the parked crews' workers and returns how many there were. The module does so
// itself when it is unloaded or the process ends; a test calls it to see that no thread is
// left.
int32_t ReleaseParkedCrews();

template <class Job>
void RunSlices(int32_t threads, int32_t count, const Job& job) {
  RunSlicesOn(
      threads, count,
      [](void* context, int32_t index) { (*static_cast<const Job*>(context))(index); },
      const_cast<Job*>(&job));
}

// A render's bands of rows for SliceThreads(), planned first when each band needs scratch
// memory of its own (`count` of them).
struct RowBands {
  int32_t threads, count, rows;
};
inline RowBands PlanRowBands(int32_t rows, int32_t minRows) {
  const int32_t threads = SliceThreads();
  return RowBands{threads, BandCount(rows, minRows, threads), rows};
}

// job(index, rows) for every band of the plan.
template <class Job>
void RunRowBands(const RowBands& plan, const Job& job) {
  RunSlices(plan.threads, plan.count,
            [&](int32_t index) { job(index, BandRows(plan.rows, plan.count, index)); });
}

// The usual render: job(first, end) for every band of `rows` rows.
template <class Job>
void ForEachRowBand(int32_t rows, int32_t minRows, const Job& job) {
  RunRowBands(PlanRowBands(rows, minRows),
              [&](int32_t, const RowRange& r) { job(r.first, r.end); });
}

}  // namespace zk
