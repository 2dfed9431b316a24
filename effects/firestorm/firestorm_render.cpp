#include "firestorm_render.h"

#include <cstring>

#include "fire_overlay.h"
#include "fire_step.h"
#include "fire_timing.h"
#include "firestorm_params.h"
#include "kernel_choice.h"
#include "pixel_rows.h"
#include "rand15.h"
#include "rect_row_bands.h"
#include "slice_runner.h"

namespace zk {
namespace {

FireState g_moduleFire{};

void CrossfadeRect(const FrameView& v, double weightB) {
  const int32_t bytes = v.width * 3;
  // Within 0..1 the sixteen-byte kernel gives the table's bytes (the same two products and
  // sum); settings that push the weight outside keep the table, whose bytes then wrap.
  const bool sixteen = weightB >= 0.0 && weightB <= 1.0;
  ByteBlendTable table;
  if (!sixteen) MakeCrossfadeTable(weightB, &table);
  ForEachRectRowInBands(v, [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t) {
    if (sixteen) {
      CrossfadeRowSse2(out, a, b, bytes, weightB);
    } else {
      BlendRowWithTable(out, a, b, bytes, table);
    }
  });
}

void OverlayFire(const FrameView& v, const uint8_t* fire, const FireTiming& timing) {
  FireBlendTable table;
  MakeFireBlendTable(timing.fade, timing.gain, &table);
  ForEachRectRowInBands(v, [&](uint8_t* out, const uint8_t*, const uint8_t*, int32_t row) {
    OverlayFireRow(out, fire + static_cast<int64_t>(row) * v.width, v.width, table);
  });
}

using HotSpotFn = void (*)(uint8_t*, int32_t, int32_t, int32_t, const uint8_t*, int32_t,
                           const HotSpotSearch&, int32_t, int32_t);

// The hot spots in bands of rows: each row draws a known count from Rand15, so a band
// starts from the state the rows above leave, and this thread ends with the state after
// the last row, as if it had searched every row itself.
void SetHotSpotsInBands(HotSpotFn setHotSpots, uint8_t* fire, const FrameView& v, int32_t speed,
                        const HotSpotSearch& search) {
  const uint32_t seed = Rand15State();
  ForEachRowBand(v.height, 16, [&](int32_t first, int32_t end) {
    const int64_t before = HotSpotDrawsAbove(v.width, v.height, speed, search, first);
    Rand15Seed(Rand15StateAfter(seed, static_cast<uint64_t>(before)));
    setHotSpots(fire, v.width, v.height, speed, v.out, v.stride, search, first, end);
  });
  const int64_t all = HotSpotDrawsAbove(v.width, v.height, speed, search, v.height);
  Rand15Seed(Rand15StateAfter(seed, static_cast<uint64_t>(all)));
}

}  // namespace

int32_t RenderFirestormWith(FireState* state, const FrameView& v) {
  if (v.paramBlock == nullptr) return 0;
  FirestormParams params;
  std::memcpy(&params, v.paramBlock, sizeof params);
  const FireTiming timing = ComputeFireTiming(params, v.progress);

  CrossfadeRect(v, timing.crossfade);
  // Without its buffers the frame is the crossfade alone; the next frame tries again.
  if (!PrepareFireState(state, v.width, v.height)) return 1;
  if (v.progress == 0.0f) ClearFire(state);

  const int32_t speed = params.flameSpeed;
  HotSpotSearch search;
  search.threshold = timing.edgeThreshold;
  search.testAll = params.allEdgeDetection != 0;
  search.chance = timing.hotSpotChance;
  const bool visible = params.visibleHotSpots != 0;
  const HotSpotFn setHotSpots = PlainKernels() ? SetHotSpotsPlain : SetHotSpots;
  if (timing.hotSpots && !visible) {
    SetHotSpotsInBands(setHotSpots, CurrentFire(*state), v, speed, search);
  }
  state->current = 1 - state->current;
  // Each row of the new fire reads the previous fire alone: bands of rows side by side.
  ForEachRowBand(v.height, 16, [&](int32_t first, int32_t end) {
    StepFireRows(PreviousFire(*state), CurrentFire(*state), state->cooling, v.width, v.height,
                 speed, first, end);
  });
  if (timing.hotSpots && visible) {
    SetHotSpotsInBands(setHotSpots, CurrentFire(*state), v, speed, search);
  }
  OverlayFire(v, CurrentFire(*state), timing);
  return 1;
}

int32_t RenderFirestorm(const FrameView& view) { return RenderFirestormWith(&g_moduleFire, view); }

FireState* ModuleFireState() { return &g_moduleFire; }

void ForgetModuleFireState() { g_moduleFire = FireState{}; }

void ReleaseModuleFireState() { ReleaseFireState(&g_moduleFire); }

}  // namespace zk
