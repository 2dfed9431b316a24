// A transition's history under a stand-in effect whose state is a running hash of what each
// frame was given: returning to earlier positions, the byte budget, and frames that came late,
// against the hash folded again by the test.
#if !defined(_WIN32)

#include "transition_timeline.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace zk {
namespace {

constexpr size_t kPictureBytes = 1000;
constexpr double kStep = 0.04;

bool g_readsPictures = true;
int g_blankReplays = 0;  // replays without pictures of an effect that reads them

uint64_t Fold(uint64_t state, const PositionInputs& p) {
  uint32_t progressBits;
  std::memcpy(&progressBits, &p.progress, 4);
  state = state * 1000003u + progressBits;
  if (g_readsPictures && p.sceneA) state = state * 31u + (*p.sceneA)[0] + (*p.sceneB)[1];
  return state;
}

uint64_t Hash(const ModuleStateCopy& s) {
  uint64_t h;
  std::memcpy(&h, s.bytes.data(), 8);
  return h;
}

int32_t RenderHash(const PositionInputs& p, int32_t, int32_t, ModuleStateCopy* state,
                   uint8_t* out) {
  if (g_readsPictures && !p.sceneA && out == nullptr) ++g_blankReplays;
  const uint64_t h = Fold(Hash(*state), p);
  std::memcpy(state->bytes.data(), &h, 8);
  if (out != nullptr) std::memcpy(out, &h, 8);
  return 1;
}
void ResetHash(ModuleStateCopy* state) { state->bytes.assign(8, 0); }
SavedState SaveHash(const ModuleStateCopy& state) { return SavedState{state.bytes, state.rand}; }
void RestoreHash(const SavedState& saved, ModuleStateCopy* state) { state->bytes = saved.bytes; }

PositionInputs Position(int k) {
  PositionInputs p;
  p.time = k * kStep;
  p.progress = static_cast<float>(k) / 64;
  p.sceneA = std::make_shared<std::vector<uint8_t>>(kPictureBytes, static_cast<uint8_t>(k * 7));
  p.sceneB = std::make_shared<std::vector<uint8_t>>(kPictureBytes, static_cast<uint8_t>(k * 3));
  return p;
}

// The frame a host rendering `positions` in order from the transition's start gets last,
// or from `state` onwards.
uint64_t FrameAfter(const std::vector<int>& positions, uint64_t state = 0) {
  for (int k : positions) state = Fold(state, Position(k));
  return state;
}

std::vector<int> Range(int from, int to) {
  std::vector<int> r;
  for (int k = from; k < to; ++k) r.push_back(k);
  return r;
}

class Frei0rTimeline : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    g_readsPictures = GetParam();
    g_blankReplays = 0;
  }
  void Open(size_t budget) {
    timelines_ = std::make_unique<TransitionTimelines>(
        TimelineHooks{RenderHash, ResetHash, SaveHash, RestoreHash, g_readsPictures}, budget);
    timeline_ = timelines_->Join(4, 2, std::this_thread::get_id());
  }
  void TearDown() override {
    if (timelines_) timelines_->Leave(timeline_);
    EXPECT_EQ(0, g_blankReplays);
  }
  uint64_t Frame(int k) {
    uint8_t out[8];
    timelines_->Render(timeline_, Position(k), out);
    uint64_t h;
    std::memcpy(&h, out, 8);
    return h;
  }
  std::unique_ptr<TransitionTimelines> timelines_;
  Timeline* timeline_ = nullptr;
};

// Seeks anywhere give the frames of the first pass; an effect whose state ignores the
// pictures keeps none, only its saved states.
TEST_P(Frei0rTimeline, PositionsAskedAgainWithinTheBudgetGiveTheFirstPass) {
  Open(TransitionTimelines::kHistoryBudget);
  for (int k = 0; k < 40; ++k) ASSERT_EQ(FrameAfter(Range(0, k + 1)), Frame(k)) << k;
  const size_t pictures = GetParam() ? TransitionTimelines::kRepairWindow * 2 * kPictureBytes : 0;
  EXPECT_EQ(40 * 8 + pictures, timelines_->HistoryBytes(timeline_));
  for (int from : {30, 3, 0, 1})
    for (int k = from; k < 40; ++k) EXPECT_EQ(FrameAfter(Range(0, k + 1)), Frame(k)) << from;
}

// Past the budget the oldest saved states go; a seek behind the ones kept starts from the
// earliest kept (a state that ignores the pictures replays from the start instead), and the
// transition's first position from the start.
TEST_P(Frei0rTimeline, PastTheBudgetTheOldestStatesGo) {
  const size_t window = GetParam() ? TransitionTimelines::kRepairWindow * 2 * kPictureBytes : 0;
  Open(window + 20 * 8);
  for (int k = 0; k < 40; ++k) {
    ASSERT_EQ(FrameAfter(Range(0, k + 1)), Frame(k)) << k;
    ASSERT_LE(timelines_->HistoryBytes(timeline_), window + 20 * 8);
  }
  EXPECT_EQ(FrameAfter(Range(0, 26)), Frame(25));  // the states after 20 .. 39 are kept
  const uint64_t start = GetParam() ? FrameAfter(Range(0, 21)) : FrameAfter(Range(0, 10));
  EXPECT_EQ(FrameAfter({10}, start), Frame(10));
  EXPECT_EQ(FrameAfter({10, 11}, start), Frame(11));
  EXPECT_EQ(FrameAfter({0}), Frame(0));
}

// A frame that came after a later one took its turn is put in its place, and the later one
// applied again behind it; one further back than the pictures kept is rendered on the
// state before it and left out.
TEST_P(Frei0rTimeline, FramesThatCameLateArePutInTheirPlace) {
  Open(TransitionTimelines::kHistoryBudget);
  for (int k : {0, 1}) Frame(k);
  EXPECT_EQ(FrameAfter({0, 1, 3}), Frame(3));  // after waiting kGapWait for 2
  EXPECT_EQ(FrameAfter({0, 1, 2}), Frame(2));
  EXPECT_EQ(FrameAfter({0, 1, 2, 3, 4}), Frame(4));

  const int far = 5 + static_cast<int>(TransitionTimelines::kRepairWindow) + 2;
  for (int k = 6; k < far; ++k) Frame(k);
  std::vector<int> after = Range(0, far);
  EXPECT_EQ(FrameAfter(Range(0, 6)), Frame(5));
  if (GetParam()) after.erase(after.begin() + 5);  // its successors have no pictures left
  after.push_back(far);
  EXPECT_EQ(FrameAfter(after), Frame(far));
}

INSTANTIATE_TEST_SUITE_P(StateReadsPictures, Frei0rTimeline, ::testing::Bool());

}  // namespace
}  // namespace zk

#endif
