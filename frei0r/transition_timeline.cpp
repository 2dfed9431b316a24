#include "transition_timeline.h"

#include <algorithm>
#include <iterator>

#include "frame_view.h"

namespace zk {
namespace {

// Hosts compute a position's time the same way each time it is asked for; the margin only
// absorbs the rounding of differences between times.
constexpr double kSameTime = 1e-9;

bool SameScene(const std::shared_ptr<const std::vector<uint8_t>>& a,
               const std::shared_ptr<const std::vector<uint8_t>>& b) {
  return a && b && *a == *b;
}

void NoteSeen(Timeline* t, double time) {
  auto [at, added] = t->seen.insert(time);
  if (!added) return;
  auto narrow = [t](double gap) {
    if (gap > kSameTime && (t->step == 0.0 || gap < t->step)) t->step = gap;
  };
  if (at != t->seen.begin()) narrow(time - *std::prev(at));
  if (std::next(at) != t->seen.end()) narrow(*std::next(at) - time);
}

}  // namespace

Timeline* TransitionTimelines::Join(int32_t width, int32_t height, std::thread::id home) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const std::unique_ptr<Timeline>& t : timelines_) {
    if (t->width != width || t->height != height) continue;
    if (std::find(t->homes.begin(), t->homes.end(), home) != t->homes.end()) continue;
    t->homes.push_back(home);
    ++t->members;
    return t.get();
  }
  auto t = std::make_unique<Timeline>();
  t->width = width;
  t->height = height;
  t->homes.push_back(home);
  t->members = 1;
  hooks_.reset(&t->state);
  timelines_.push_back(std::move(t));
  return timelines_.back().get();
}

void TransitionTimelines::Leave(Timeline* timeline) {
  std::unique_ptr<Timeline> gone;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (--timeline->members > 0) return;
    auto at = std::find_if(
        timelines_.begin(), timelines_.end(),
        [timeline](const std::unique_ptr<Timeline>& t) { return t.get() == timeline; });
    gone = std::move(*at);
    timelines_.erase(at);
  }
  hooks_.reset(&gone->state);
}

bool TransitionTimelines::MayApply(const Timeline& t, double time, bool waitedEnough) const {
  if (t.busy || time != *t.pending.begin()) return false;
  if (waitedEnough || t.hostSkips) return true;
  if (t.applied.empty()) return time <= kSameTime;
  const double last = t.applied.back().time;
  if (time <= last + kSameTime) return true;
  // One gap alone does not tell the frame step (the frame between may be on its way): until
  // a third position is seen, the step another transition showed stands for it.
  const double step = t.seen.size() >= 3 ? t.step : knownStep_;
  return step > 0.0 && time - last <= step * (1.0 + 1e-6);
}

int32_t TransitionTimelines::Render(Timeline* t, PositionInputs position, uint8_t* out) {
  const double time = position.time;
  std::vector<PositionInputs> replay, later;
  bool restart = false;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    t->pending.insert(time);
    NoteSeen(t, time);
    if (t->seen.size() >= 3) knownStep_ = t->step;
    changed_.notify_all();
    const auto deadline = std::chrono::steady_clock::now() + kGapWait;
    if (!changed_.wait_until(lock, deadline, [&] { return MayApply(*t, time, false); })) {
      // Nothing came to fill the gap. A host rendering alone leaves positions out: stop
      // waiting for it. Several threads may only have been slow.
      if (t->members < 2) t->hostSkips = true;
      changed_.wait(lock, [&] { return MayApply(*t, time, true); });
    }
    t->pending.erase(t->pending.find(time));
    t->busy = true;
    if (!t->applied.empty() && time < t->applied.back().time - kSameTime) {
      // Positions are applied in time order, so the ones before this one are a prefix.
      auto from =
          std::find_if(t->applied.begin(), t->applied.end(),
                       [time](const PositionInputs& p) { return p.time >= time - kSameTime; });
      // Asked again: a new pass, whose later positions come again. Never applied: a frame
      // that came late, and the positions already applied after it are applied again.
      if (from->time > time + kSameTime) later.assign(from, t->applied.end());
      t->applied.erase(from, t->applied.end());
      replay = t->applied;
      restart = true;
    }
  }
  // Busy: no other thread touches this transition's state or record until it is cleared.
  if (restart) {
    hooks_.reset(&t->state);
    for (const PositionInputs& p : replay) hooks_.render(p, t->width, t->height, &t->state, out);
  }
  const int32_t result = hooks_.render(position, t->width, t->height, &t->state, out);
  if (!later.empty()) {
    std::vector<uint8_t> scratch(static_cast<size_t>(t->height) * FrameStride(t->width));
    for (const PositionInputs& p : later)
      hooks_.render(p, t->width, t->height, &t->state, scratch.data());
  }
  if (!t->applied.empty()) {
    // A still picture is kept once for the whole pass.
    const PositionInputs& previous = t->applied.back();
    if (SameScene(previous.sceneA, position.sceneA)) position.sceneA = previous.sceneA;
    if (SameScene(previous.sceneB, position.sceneB)) position.sceneB = previous.sceneB;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    t->applied.push_back(std::move(position));
    for (PositionInputs& p : later) t->applied.push_back(std::move(p));
    t->busy = false;
  }
  changed_.notify_all();
  return result;
}

}  // namespace zk
