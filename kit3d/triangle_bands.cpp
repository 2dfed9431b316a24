#include "triangle_bands.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "slice_runner.h"
#include "texel.h"
#include "triangle_renderer.h"

namespace zk {

int32_t TriangleBandCount(int32_t storedRows, int32_t threads, int32_t perThread) {
  if (threads <= 1) return 1;
  const int32_t most = storedRows / kMinBandRows;
  const int32_t per = perThread < 1 ? 1 : std::min(perThread, kMaxTriangleBandsPerThread);
  const int32_t wanted = std::min(threads, kMaxSliceThreads) * per;
  return most < 1 ? 1 : (most < wanted ? most : wanted);
}

void CutBandsByWork(const int64_t* rowWork, int32_t storedRows, int64_t rowCost, int32_t count,
                    int32_t minRows, int32_t* ends) {
  int64_t total = 0;
  for (int32_t r = 0; r < storedRows; ++r) total += rowWork[r] + rowCost;
  int64_t sum = 0;
  int32_t row = 0;
  for (int32_t k = 0; k + 1 < count; ++k) {
    const int32_t least = row + minRows;
    const int32_t most = storedRows - (count - 1 - k) * minRows;
    const double share = static_cast<double>(total) * (k + 1) / count;
    while (row < most && (row < least || static_cast<double>(sum) < share)) {
      sum += rowWork[row] + rowCost;
      ++row;
    }
    ends[k] = row;
  }
  ends[count - 1] = storedRows;
}

bool MakeTriangleBand(int32_t index, int32_t first, int32_t end, int32_t width, int32_t stride,
                      BandHandoff* handoff, TriangleBand* band) {
  const int32_t halo = first < kHaloRows ? first : kHaloRows;
  *band = TriangleBand{index, first, end, 0, handoff, halo, nullptr, nullptr};
  if (halo == 0) return true;
  band->haloPixels = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(halo), stride));
  band->haloDepth =
      static_cast<float*>(std::malloc(static_cast<size_t>(halo) * width * sizeof(float)));
  if (band->haloPixels == nullptr || band->haloDepth == nullptr) {
    ReleaseTriangleBand(band);
    return false;
  }
  for (size_t i = 0; i < static_cast<size_t>(halo) * width; ++i) band->haloDepth[i] = kDepthClear;
  return true;
}

void ReleaseTriangleBand(TriangleBand* band) {
  std::free(band->haloPixels);
  std::free(band->haloDepth);
  band->haloPixels = nullptr;
  band->haloDepth = nullptr;
}

bool MakeBandHandoff(int32_t bands, int32_t triangles, BandHandoff* h) {
  *h = BandHandoff{bands, triangles, nullptr, nullptr};
  const size_t cells = static_cast<size_t>(bands) * static_cast<size_t>(triangles);
  h->carry = new (std::nothrow) TriangleCarry[cells > 0 ? cells : 1];
  h->finished = new (std::nothrow) std::atomic<int32_t>[bands > 0 ? bands : 1];
  if (h->carry == nullptr || h->finished == nullptr) {
    ReleaseBandHandoff(h);
    return false;
  }
  for (int32_t b = 0; b < bands; ++b) h->finished[b].store(0, std::memory_order_relaxed);
  return true;
}

void ReleaseBandHandoff(BandHandoff* h) {
  delete[] h->carry;
  delete[] h->finished;
  h->carry = nullptr;
  h->finished = nullptr;
}

TriangleCarry AwaitCarry(const BandHandoff& h, int32_t band, int32_t triangle) {
  for (; band >= 0 && band < h.bands && triangle < h.triangles; --band) {
    while (h.finished[band].load(std::memory_order_acquire) <= triangle) PauseSliceThread();
    const TriangleCarry c = h.carry[static_cast<size_t>(band) * h.triangles + triangle];
    if (!c.forward) return c;
  }
  return TriangleCarry{};
}

bool TakeCarryAbove(const CarryAbove* above, bool* haveColour, uint8_t colour[4]) {
  if (above == nullptr) return false;
  const TriangleCarry c = AwaitCarry(*above->handoff, above->band, above->triangle);
  if (!c.have) return false;
  for (int k = 0; k < 4; ++k) colour[k] = c.colour[k];
  *haveColour = true;
  return true;
}

void PublishCarry(BandHandoff* h, int32_t band, int32_t triangle, const TriangleCarry& c) {
  if (band < 0 || band >= h->bands || triangle >= h->triangles) return;
  h->carry[static_cast<size_t>(band) * h->triangles + triangle] = c;
  h->finished[band].store(triangle + 1, std::memory_order_release);
}

}  // namespace zk
