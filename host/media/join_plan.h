// The timeline of a join: which frames of A and B make each output frame, and the progress
// of every transition frame. Pure arithmetic, so it is tested without any media.
#pragma once

#include <cstdint>
#include <string>

namespace zk {

struct ClipFacts {
  bool still = false;      // a picture: lasts as long as the join needs it
  int64_t frameCount = 0;  // frames of a clip (ignored for stills)
  double frameRate = 0;    // frames per second of a clip (ignored for stills)
};

struct JoinRequest {
  double durationSeconds = 1.0;  // length of the transition
  double offsetSeconds = -1.0;   // where in A it starts; below 0: over the end of A
  double stillSeconds = 2.0;     // how long a still shows outside the transition
};

struct JoinPlan {
  double frameRate = 0;          // output rate: A's, else B's, else 25
  int64_t leadFrames = 0;        // A alone
  int64_t transitionFrames = 0;  // A and B through the effect
  int64_t tailFrames = 0;        // B alone
  int64_t totalFrames() const { return leadFrames + transitionFrames + tailFrames; }
  // Progress of transition frame i: i / (N - 1), or 0.5 for a single frame.
  float ProgressAt(int64_t i) const;
  // B's time (seconds since its start) of output frame `frame`; negative before B starts.
  double SecondsOfB(int64_t frame) const {
    return static_cast<double>(frame - leadFrames) / frameRate;
  }
};

// False with a one-line reason when the request cannot be met (a transition longer than a
// clip, an offset past A's end, durations of 0 or less).
bool PlanJoin(const ClipFacts& a, const ClipFacts& b, const JoinRequest& request, JoinPlan* plan,
              std::string* error);

}  // namespace zk
