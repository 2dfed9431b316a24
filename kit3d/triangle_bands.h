// One 3D frame drawn as bands of stored rows side by side: every band draws every triangle
// in the frame's order, clipped to its rows. The depth buffer, the pixels and the edge walk
// of a row do not depend on other rows; the one thing a triangle carries from row to row is
// the colour last computed (a texel outside the texture repeats it). A band therefore also
// walks a few rows above its own (its halo) with its own depth rows and scratch pixels, as
// the band above draws them: once a triangle computes a texel inside the texture there, its
// colour is known where the band starts. Only when the halo leaves it open does the band
// take the colour from the band above, waiting for that band to finish the triangle.
#pragma once

#include <atomic>
#include <cstdint>

#include "slice_runner.h"

namespace zk {

// The colour a triangle carries out of a band. `forward`: the band computed none but the
// triangle began above it, so the colour is the one carried into the band from above.
struct TriangleCarry {
  uint8_t colour[4];
  bool have;
  bool forward;
};

// Shared by the bands of one frame: for every band and triangle the carry it left, and how
// many triangles each band has finished.
struct BandHandoff {
  int32_t bands;
  int32_t triangles;  // the most DrawTriangle calls the frame makes
  TriangleCarry* carry;
  std::atomic<int32_t>* finished;
};

// False when memory is short (then nothing is held).
bool MakeBandHandoff(int32_t bands, int32_t triangles, BandHandoff* handoff);
void ReleaseBandHandoff(BandHandoff* handoff);

// What one band's camera draws: stored rows [firstRow, endRow), and the count of
// triangles it has been given so far; the halo's stored rows [firstRow - haloRows,
// firstRow) go to haloPixels (stride bytes a row) and haloDepth (width floats a row).
struct TriangleBand {
  int32_t index;
  int32_t firstRow, endRow;
  int32_t next;
  BandHandoff* handoff;
  int32_t haloRows;
  uint8_t* haloPixels;
  float* haloDepth;
};

// Stored rows a band's halo holds (fewer for the first bands).
constexpr int32_t kHaloRows = 4;

// The band of rows [first, end) with its halo for an image of `width` pixels and `stride`
// bytes a row; false when memory is short. Release it with ReleaseTriangleBand.
bool MakeTriangleBand(int32_t index, int32_t first, int32_t end, int32_t width, int32_t stride,
                      BandHandoff* handoff, TriangleBand* band);
void ReleaseTriangleBand(TriangleBand* band);

// The colour triangle `triangle` carries out of band `band` (following `forward` up), once
// the bands concerned have finished it.
TriangleCarry AwaitCarry(const BandHandoff& handoff, int32_t band, int32_t triangle);

// What a band's triangle that began above it asks for, only when a texel outside the
// texture comes before any colour of its own (see TakeCarryAbove in texel.h): so a band
// waits for the one above only when the bytes depend on it.
struct CarryAbove {
  const BandHandoff* handoff;
  int32_t band;  // the band above
  int32_t triangle;
};
// Records this band's carry of a triangle and marks it finished.
void PublishCarry(BandHandoff* handoff, int32_t band, int32_t triangle, const TriangleCarry& c);

// Bands for a frame of `storedRows` rows on `threads` threads: kTriangleBandsPerThread a
// thread, each at least kMinBandRows tall; 1 for one thread or a short frame. More bands
// would even out the end of the pass, but every band walks every triangle and its halo's
// rows, and that costs more than the uneven end: on 2 cores, with frames turn about, one
// band a thread drew 2–7 % faster than two at 1920x1080 (up to 10 % at 720x576), and three
// bands a thread of falling heights 0–8 % slower.
constexpr int32_t kMinBandRows = 16;
constexpr int32_t kTriangleBandsPerThread = 1;
constexpr int32_t kMaxTriangleBands = kTriangleBandsPerThread * kMaxSliceThreads;
int32_t TriangleBandCount(int32_t storedRows, int32_t threads);

// Runs draw(band) for every band of a frame of `storedRows` rows (`width` pixels, `stride`
// bytes a row), side by side; draw must make the same DrawTriangle calls in the same order
// in every band (at most `triangles` of them), through a camera whose `band` is the one
// given, and with the same depth buffer choice as the whole frame. With one band (one
// thread, a short frame, or too little memory) draw(nullptr) draws the whole frame here.
template <class Draw>
void DrawInBands(int32_t storedRows, int32_t width, int32_t stride, int32_t triangles,
                 const Draw& draw) {
  const int32_t threads = SliceThreads();
  const int32_t count = TriangleBandCount(storedRows, threads);
  BandHandoff handoff{};
  TriangleBand bands[kMaxTriangleBands];
  int32_t made = 0;
  if (count > 1 && MakeBandHandoff(count, triangles, &handoff)) {
    for (; made < count; ++made) {
      const RowRange rows = BandRows(storedRows, count, made);
      if (!MakeTriangleBand(made, rows.first, rows.end, width, stride, &handoff, &bands[made]))
        break;
    }
  }
  if (made == count && count > 1) {
    RunSlices(threads, count, [&](int32_t index) { draw(&bands[index]); });
  } else {
    draw(static_cast<TriangleBand*>(nullptr));
  }
  for (int32_t i = 0; i < made; ++i) ReleaseTriangleBand(&bands[i]);
  ReleaseBandHandoff(&handoff);
}

}  // namespace zk
