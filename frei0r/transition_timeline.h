// Frame-to-frame state of one transition when a host renders its frames on several threads.
//
// A host with worker threads may keep one plug-in instance per thread, so the frames of one
// transition reach several instances, and it may deliver frame t+1 before frame t. The
// effect's state lives in one module-global block, so every render of the plug-in's effect
// is serialised around swapping a transition's copy in and out; the positions of a
// transition are applied in time order on that copy, whichever instance asks for them:
//
// - Instances of the same frame size whose first calls came from different threads are
//   taken as one transition (a host that keeps an instance per worker thread); instances
//   first called from the same thread are different transitions.
// - A position later than the next one expected (the smallest gap between three or more
//   positions seen, else the step of another transition) waits for the positions in between, and a
//   transition's first position for time 0: another thread may be about to deliver them. After
//   kGapWait it is applied as it stands; a transition rendered by one instance then stops waiting
//   for gaps (its host leaves positions out).
// - A position earlier than the last one applied returns to the state saved after the one
//   before it. A position asked for again (a seek, a second pass) starts a new pass there;
//   one never applied (a frame that came late) is put in its place, and the positions already
//   applied after it are applied again behind it.
//
// What a transition keeps to go back: every applied position's settings, and a copy of the
// state after it as the module saves it. An effect whose state follows the pictures keeps
// them as well for the newest kRepairWindow positions, for a late frame's successors to be
// applied again; a frame later than that is rendered on the state before it and left out of
// the history. Replays of any other effect run on blank pictures. Past the byte budget the
// oldest saved states and pictures go: a position whose state before it can no longer be
// replayed starts from the earliest state still saved (the load-time state for the
// transition's first position).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>

namespace zk {

// Everything a render of one position takes, kept so that the position can be replayed.
struct PositionInputs {
  double time = 0.0;
  float progress = 0.0f;
  int32_t fieldMode = 0;
  uint32_t variantFlags = 0;
  uint32_t extraFlags = 0;
  uint32_t extraColor = 0;
  std::vector<uint8_t> block;  // the settings record
  // Null once no replay needs them: the replay runs on blank pictures.
  std::shared_ptr<const std::vector<uint8_t>> sceneA, sceneB;
};

// A transition's copy of the module-global state and of the shared generator's state.
struct ModuleStateCopy {
  std::vector<uint8_t> bytes;
  uint32_t rand = 1;
};

// A transition's state as it stood after a position, owning nothing of the live copy.
struct SavedState {
  std::vector<uint8_t> bytes;
  uint32_t rand = 1;
};

struct TimelineHooks {
  // Renders the position on `state` (advancing it) into `out`, or for a replay into a
  // picture no one looks at (null); returns the render's result.
  int32_t (*render)(const PositionInputs& position, int32_t width, int32_t height,
                    ModuleStateCopy* state, uint8_t* out);
  // Frees what `state` owns and makes it the state the module had when loaded.
  void (*reset)(ModuleStateCopy* state);
  SavedState (*save)(const ModuleStateCopy& state);
  void (*restore)(const SavedState& saved, ModuleStateCopy* state);
  // The state follows the pictures: a replay needs the real ones.
  bool stateReadsPictures;
};

struct AppliedPosition {
  PositionInputs inputs;
  std::optional<SavedState> after;  // the state it left, while kept
};

struct Timeline;

class TransitionTimelines {
 public:
  static constexpr std::chrono::milliseconds kGapWait{300};
  static constexpr size_t kRepairWindow = 8;
  static constexpr size_t kHistoryBudget = size_t{256} << 20;  // bytes per transition

  explicit TransitionTimelines(TimelineHooks hooks, size_t historyBudget = kHistoryBudget)
      : hooks_(hooks), historyBudget_(historyBudget) {}

  // The transition an instance of this size belongs to, first called from `home`.
  Timeline* Join(int32_t width, int32_t height, std::thread::id home);
  // The instance is gone; the last one frees the transition's state.
  void Leave(Timeline* timeline);
  // Applies the position in its turn and renders it into `out`; returns the render's result.
  int32_t Render(Timeline* timeline, PositionInputs position, uint8_t* out);
  // The bytes of saved states and pictures the transition keeps.
  size_t HistoryBytes(const Timeline* timeline);

 private:
  struct Start;

  bool MayApply(const Timeline& t, double time, bool waitedEnough) const;
  bool Replayable(const PositionInputs& p) const;
  Start PlanStart(const Timeline& t, size_t next) const;
  void MakeStart(const Start& start, int32_t width, int32_t height, ModuleStateCopy* state) const;
  void Trim(Timeline* t) const;

  TimelineHooks hooks_;
  size_t historyBudget_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::unique_ptr<Timeline>> timelines_;
  double knownStep_ = 0.0;  // the frame step of the last transition that showed one
};

struct Timeline {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<std::thread::id> homes;
  int32_t members = 0;
  bool busy = false;                     // a position is being applied
  std::multiset<double> pending;         // positions waiting for their turn
  std::set<double> seen;                 // every position asked for: the frame step
  double step = 0.0;                     // the smallest gap between two positions seen (0: none)
  bool hostSkips = false;                // a gap was never filled: later gaps are not waited for
  std::vector<AppliedPosition> applied;  // this pass, in the order applied
  ModuleStateCopy state;
};

}  // namespace zk
