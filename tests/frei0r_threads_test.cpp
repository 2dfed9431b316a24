// The frei0r plug-ins of the effects with frame-to-frame state, asked for frames from four
// threads at once that finish in shuffled order, asked for positions again, or given one
// late: every frame equals the one a single thread gets asking for the same positions in order
// from the start. Built alone under ThreadSanitizer (preset tsan) as well as in the suite.
#if !defined(_WIN32) && __has_include(<frei0r.h>)

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <random>
#include <thread>
#include <vector>

#include "frei0r_plugin_loader.h"

namespace zk {
namespace {

// Large enough for the fire's hot-spot search; small enough for ThreadSanitizer.
constexpr int kWidth = 96, kHeight = 64, kPositions = 16, kThreads = 4;
constexpr double kFrameTime = 0.04;

using Picture = std::vector<uint32_t>;

// A moving picture: each position of each transition has its own, so an effect whose state
// follows the pictures shows a frame applied out of turn.
Picture MovingPicture(int transition, int position) {
  Picture p(static_cast<size_t>(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const bool block = ((x + position * 3) / 8 + (y + transition * 5) / 8) % 2 == 0;
      const uint32_t r = block ? 230u : static_cast<uint32_t>(x * 2 + transition * 40);
      const uint32_t g = static_cast<uint32_t>(y * 3 + position * 7) & 0xFF;
      p[static_cast<size_t>(y) * kWidth + x] = r | (g << 8) | (90u << 16) | 0xFF000000u;
    }
  return p;
}

struct Transition {
  double firstProgress, lastProgress;
  std::vector<Picture> a, b;

  Transition(int id, double from, double to) : firstProgress(from), lastProgress(to) {
    for (int k = 0; k < kPositions; ++k) {
      a.push_back(MovingPicture(2 * id, k));
      b.push_back(MovingPicture(2 * id + 1, k));
    }
  }
  double Progress(int k) const {
    return firstProgress + (lastProgress - firstProgress) * k / (kPositions - 1);
  }
};

Picture RenderAt(const Frei0rPlugin& plugin, f0r_instance_t instance, const Transition& t, int k,
                 bool setProgress) {
  if (setProgress) {
    double progress = t.Progress(k);
    plugin.setParam(instance, &progress, 0);
  }
  Picture out(t.a[k].size());
  plugin.update2(instance, k * kFrameTime, t.a[k].data(), t.b[k].data(), nullptr, out.data());
  return out;
}

std::vector<Picture> InOrder(const Frei0rPlugin& plugin, const Transition& t, bool rampProgress) {
  f0r_instance_t instance = plugin.construct(kWidth, kHeight);
  double progress = t.Progress(kPositions / 2);
  if (!rampProgress) plugin.setParam(instance, &progress, 0);
  std::vector<Picture> frames;
  for (int k = 0; k < kPositions; ++k)
    frames.push_back(RenderAt(plugin, instance, t, k, rampProgress));
  plugin.destruct(instance);
  return frames;
}

// Positions handed out in order, as a threaded host takes frames from its queue, but
// shuffled within runs of kThreads and delayed at random: they reach the plug-in out of
// order, and the earliest one missing is always taken by some thread.
void OnFourThreads(const std::function<void(int worker, int position)>& render) {
  std::vector<int> order(kPositions);
  std::mt19937 random(1234);
  for (int k = 0; k < kPositions; ++k) order[k] = k;
  for (int run = 0; run < kPositions; run += kThreads)
    std::shuffle(order.begin() + run, order.begin() + std::min(run + kThreads, kPositions), random);
  std::atomic<int> next{0};
  std::vector<std::thread> workers;
  for (int w = 0; w < kThreads; ++w)
    workers.emplace_back([&, w] {
      std::minstd_rand delay(w + 1);
      for (int i = next++; i < kPositions; i = next++) {
        std::this_thread::sleep_for(std::chrono::microseconds(delay() % 2000));
        render(w, order[i]);
      }
    });
  for (std::thread& t : workers) t.join();
}

class Frei0rThreads : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(plugin_.Load(std::string("frei0r-1/zelkor_") + GetParam() + ".so")) << dlerror();
    ASSERT_EQ(1, plugin_.init());
  }
  Frei0rPlugin plugin_;
};

// A host sharing one instance between threads cannot change the progress between calls
// without racing its own calls: the progress stays put and the time alone orders frames.
TEST_P(Frei0rThreads, OneInstanceOnFourThreadsGivesTheFramesInOrder) {
  const Transition t(0, 0.3, 0.3);
  const std::vector<Picture> expected = InOrder(plugin_, t, false);
  f0r_instance_t shared = plugin_.construct(kWidth, kHeight);
  double progress = t.Progress(0);
  plugin_.setParam(shared, &progress, 0);
  std::vector<Picture> got(kPositions);
  OnFourThreads([&](int, int k) { got[k] = RenderAt(plugin_, shared, t, k, false); });
  plugin_.destruct(shared);
  for (int k = 0; k < kPositions; ++k) EXPECT_EQ(expected[k], got[k]) << "position " << k;
}

// Two transitions of one effect at once, each with an instance per worker thread: the
// instances of a transition share its history, and the transitions keep theirs apart.
TEST_P(Frei0rThreads, InstancesPerThreadOfTwoTransitionsGiveTheFramesInOrder) {
  const Transition first(0, 0.0, 1.0), second(1, 0.2, 0.7);
  const std::vector<Picture> expectedFirst = InOrder(plugin_, first, true);
  const std::vector<Picture> expectedSecond = InOrder(plugin_, second, true);
  std::vector<f0r_instance_t> ofFirst, ofSecond;
  for (int w = 0; w < kThreads; ++w) {
    ofFirst.push_back(plugin_.construct(kWidth, kHeight));
    ofSecond.push_back(plugin_.construct(kWidth, kHeight));
  }
  std::vector<Picture> gotFirst(kPositions), gotSecond(kPositions);
  OnFourThreads([&](int w, int k) {
    gotFirst[k] = RenderAt(plugin_, ofFirst[w], first, k, true);
    gotSecond[k] = RenderAt(plugin_, ofSecond[w], second, k, true);
  });
  for (int w = 0; w < kThreads; ++w) {
    plugin_.destruct(ofFirst[w]);
    plugin_.destruct(ofSecond[w]);
  }
  for (int k = 0; k < kPositions; ++k) {
    EXPECT_EQ(expectedFirst[k], gotFirst[k]) << "first, position " << k;
    EXPECT_EQ(expectedSecond[k], gotSecond[k]) << "second, position " << k;
  }
}

// A position earlier than the last one applied (a seek, a second pass) rebuilds the state
// from the transition's start: the frames are the first pass's again.
TEST_P(Frei0rThreads, PositionsAskedAgainGiveTheFirstPassFrames) {
  const Transition t(0, 0.0, 1.0);
  f0r_instance_t instance = plugin_.construct(kWidth, kHeight);
  std::vector<Picture> firstPass;
  for (int k = 0; k < kPositions; ++k) firstPass.push_back(RenderAt(plugin_, instance, t, k, true));
  for (int from : {kPositions / 2, 0, 1})
    for (int k = from; k < kPositions; ++k)
      EXPECT_EQ(firstPass[k], RenderAt(plugin_, instance, t, k, true)) << from << ", " << k;
  plugin_.destruct(instance);
}

// A frame that comes after a later one was applied (its thread stalled past the wait) is put
// in its place and the later one applied again behind it, on blank pictures where the state
// ignores them: the frames from there on are the sequential ones.
TEST_P(Frei0rThreads, AFrameThatCameLateIsPutInItsPlace) {
  const Transition t(0, 0.0, 1.0);
  const std::vector<Picture> expected = InOrder(plugin_, t, true);
  f0r_instance_t instance = plugin_.construct(kWidth, kHeight);
  for (int k : {0, 1, 3}) RenderAt(plugin_, instance, t, k, true);
  for (int k = 2; k < kPositions; k += k == 2 ? 2 : 1)
    EXPECT_EQ(expected[k], RenderAt(plugin_, instance, t, k, true)) << "position " << k;
  plugin_.destruct(instance);
}

INSTANTIATE_TEST_SUITE_P(Stateful, Frei0rThreads,
                         ::testing::Values("dream", "chars", "airport", "firestorm"));

}  // namespace
}  // namespace zk

#endif
