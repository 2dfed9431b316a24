#include "join_plan.h"

#include <cmath>
#include <cstdio>

namespace zk {
namespace {

std::string Seconds(double s) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g s", s);
  return text;
}

}  // namespace

float JoinPlan::ProgressAt(int64_t i) const {
  if (transitionFrames <= 1) return 0.5f;
  return static_cast<float>(static_cast<double>(i) / static_cast<double>(transitionFrames - 1));
}

bool PlanJoin(const ClipFacts& a, const ClipFacts& b, const JoinRequest& request, JoinPlan* plan,
              std::string* error) {
  JoinPlan p;
  p.frameRate = !a.still ? a.frameRate : (!b.still ? b.frameRate : 25.0);
  if (!(p.frameRate > 0) || p.frameRate > 1000)
    return *error = "the clip has no usable frame rate", false;
  if (!(request.durationSeconds > 0) || request.durationSeconds > 3600)
    return *error = "--duration must be above 0 s (and at most an hour)", false;
  if (!(request.stillSeconds >= 0)) return *error = "--still-duration must not be negative", false;
  p.transitionFrames = std::max<int64_t>(1, std::llround(request.durationSeconds * p.frameRate));

  const int64_t stillFrames = std::llround(request.stillSeconds * p.frameRate);
  // A's frames at the output rate.
  int64_t framesOfA;
  if (a.still) {
    framesOfA = (request.offsetSeconds >= 0 ? std::llround(request.offsetSeconds * p.frameRate)
                                            : stillFrames) +
                p.transitionFrames;
  } else {
    framesOfA = a.frameCount;
  }
  if (framesOfA < p.transitionFrames)
    return *error = "the transition (" + Seconds(request.durationSeconds) + ") is longer than " +
                    "the first clip",
           false;
  if (request.offsetSeconds >= 0) {
    p.leadFrames = std::llround(request.offsetSeconds * p.frameRate);
    if (p.leadFrames + p.transitionFrames > framesOfA)
      return *error = "--offset " + Seconds(request.offsetSeconds) +
                      " puts the transition past the end of the first clip",
             false;
  } else {
    p.leadFrames = framesOfA - p.transitionFrames;
  }
  // B's frames at the output rate.
  int64_t framesOfB;
  if (b.still) {
    framesOfB = p.transitionFrames + stillFrames;
  } else {
    if (!(b.frameRate > 0)) return *error = "the second clip has no usable frame rate", false;
    framesOfB = static_cast<int64_t>(
        std::floor(static_cast<double>(b.frameCount) / b.frameRate * p.frameRate + 1e-9));
  }
  if (framesOfB < p.transitionFrames)
    return *error = "the transition (" + Seconds(request.durationSeconds) + ") is longer than " +
                    "the second clip",
           false;
  p.tailFrames = framesOfB - p.transitionFrames;
  *plan = p;
  return true;
}

}  // namespace zk
