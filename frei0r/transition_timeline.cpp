#include "transition_timeline.h"

#include <algorithm>
#include <iterator>

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

// The bytes of the pictures `p` holds apart from `other`'s (a still picture is shared).
size_t SceneBytes(const PositionInputs& p, const PositionInputs* other) {
  size_t bytes = 0;
  if (p.sceneA && (other == nullptr || other->sceneA != p.sceneA)) bytes += p.sceneA->size();
  if (p.sceneB && (other == nullptr || other->sceneB != p.sceneB)) bytes += p.sceneB->size();
  return bytes;
}

size_t KeptBytes(const std::vector<AppliedPosition>& applied) {
  size_t bytes = 0;
  for (size_t i = 0; i < applied.size(); ++i) {
    if (applied[i].after) bytes += applied[i].after->bytes.size();
    bytes += SceneBytes(applied[i].inputs, i > 0 ? &applied[i - 1].inputs : nullptr);
  }
  return bytes;
}

void DropScenes(PositionInputs* p) {
  p->sceneA.reset();
  p->sceneB.reset();
}

}  // namespace

// How to make the state that a transition's positions before a given one left.
struct TransitionTimelines::Start {
  bool needed = false;             // else the state stands as it is
  std::optional<SavedState> from;  // else the load-time state
  std::vector<PositionInputs> replay;
};

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
  const double last = t.applied.back().inputs.time;
  if (time <= last + kSameTime) return true;
  // One gap alone does not tell the frame step (the frame between may be on its way): until
  // a third position is seen, the step another transition showed stands for it.
  const double step = t.seen.size() >= 3 ? t.step : knownStep_;
  return step > 0.0 && time - last <= step * (1.0 + 1e-6);
}

bool TransitionTimelines::Replayable(const PositionInputs& p) const {
  return !hooks_.stateReadsPictures || (p.sceneA && p.sceneB);
}

TransitionTimelines::Start TransitionTimelines::PlanStart(const Timeline& t, size_t next) const {
  Start start;
  start.needed = true;
  size_t first = next;  // the positions from here to `next` are replayed
  for (; first > 0; --first) {
    const AppliedPosition& before = t.applied[first - 1];
    if (before.after) {
      start.from = before.after;
      break;
    }
    if (!Replayable(before.inputs)) {
      // The state before `next` is gone: the earliest one kept stands in for it.
      for (const AppliedPosition& a : t.applied)
        if (a.after) {
          start.from = a.after;
          break;
        }
      return start;
    }
  }
  for (size_t i = first; i < next; ++i) start.replay.push_back(t.applied[i].inputs);
  return start;
}

void TransitionTimelines::MakeStart(const Start& start, int32_t width, int32_t height,
                                    ModuleStateCopy* state) const {
  if (!start.needed) return;
  if (start.from)
    hooks_.restore(*start.from, state);
  else
    hooks_.reset(state);
  for (const PositionInputs& p : start.replay) hooks_.render(p, width, height, state, nullptr);
}

void TransitionTimelines::Trim(Timeline* t) const {
  std::vector<AppliedPosition>& applied = t->applied;
  for (size_t i = applied.size() > kRepairWindow ? applied.size() - kRepairWindow : 0;
       i > 0 && applied[i - 1].inputs.sceneA; --i)
    DropScenes(&applied[i - 1].inputs);
  size_t kept = KeptBytes(applied);
  // The newest position stays whole: a frame that came just before it needs its pictures.
  for (size_t i = 0; kept > historyBudget_ && i + 1 < applied.size(); ++i) {
    AppliedPosition& oldest = applied[i];
    if (oldest.after) kept -= oldest.after->bytes.size();
    kept -= SceneBytes(oldest.inputs, &applied[i + 1].inputs);
    oldest.after.reset();
    DropScenes(&oldest.inputs);
  }
}

size_t TransitionTimelines::HistoryBytes(const Timeline* t) {
  std::lock_guard<std::mutex> lock(mutex_);
  return KeptBytes(t->applied);
}

int32_t TransitionTimelines::Render(Timeline* t, PositionInputs position, uint8_t* out) {
  const double time = position.time;
  Start start;
  std::vector<AppliedPosition> later;
  bool aside = false;  // rendered on a state of its own and left out of the history
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
    if (!t->applied.empty() && time < t->applied.back().inputs.time - kSameTime) {
      // Positions are applied in time order, so the ones before this one are a prefix.
      const auto from = std::find_if(
          t->applied.begin(), t->applied.end(),
          [time](const AppliedPosition& a) { return a.inputs.time >= time - kSameTime; });
      start = PlanStart(*t, static_cast<size_t>(from - t->applied.begin()));
      // Asked again: a new pass, whose later positions come again. Never applied: a frame
      // that came late, and the positions already applied after it are applied again.
      const bool late = from->inputs.time > time + kSameTime;
      aside = late && !std::all_of(from, t->applied.end(), [this](const AppliedPosition& a) {
                return Replayable(a.inputs);
              });
      if (late && !aside)
        later.assign(std::make_move_iterator(from), std::make_move_iterator(t->applied.end()));
      if (!aside) t->applied.erase(from, t->applied.end());
    }
  }
  // Busy: no other thread touches this transition's state or record until it is cleared.
  ModuleStateCopy own;
  ModuleStateCopy* state = &t->state;
  if (aside) {
    state = &own;
    hooks_.reset(state);
  }
  MakeStart(start, t->width, t->height, state);
  const int32_t result = hooks_.render(position, t->width, t->height, state, out);
  std::optional<AppliedPosition> applied;
  if (aside) {
    hooks_.reset(state);
  } else {
    applied = AppliedPosition{std::move(position), hooks_.save(*state)};
    if (!hooks_.stateReadsPictures) {
      DropScenes(&applied->inputs);
    } else if (!t->applied.empty()) {
      // A still picture is kept once.
      const PositionInputs& previous = t->applied.back().inputs;
      if (SameScene(previous.sceneA, applied->inputs.sceneA))
        applied->inputs.sceneA = previous.sceneA;
      if (SameScene(previous.sceneB, applied->inputs.sceneB))
        applied->inputs.sceneB = previous.sceneB;
    }
    for (AppliedPosition& a : later) {
      hooks_.render(a.inputs, t->width, t->height, state, nullptr);
      a.after = hooks_.save(*state);
    }
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (applied) {
      t->applied.push_back(std::move(*applied));
      for (AppliedPosition& a : later) t->applied.push_back(std::move(a));
      Trim(t);
    }
    t->busy = false;
  }
  changed_.notify_all();
  return result;
}

}  // namespace zk
