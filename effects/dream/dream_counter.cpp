#include "dream_counter.h"

namespace zk {

void AdvanceDreamCounter(DreamCounter* counter, float p) {
  counter->frameCount = p >= counter->lastProgress ? counter->frameCount + 1u : 0u;
  counter->lastProgress = p;
}

}  // namespace zk
