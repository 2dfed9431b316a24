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
#include <cstddef>
#include <cstdint>
#include <new>

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
  // Set for the census of a frame (a band of no rows): DrawTriangle draws nothing and adds
  // the pixels each stored row of the triangle reaches inside the image to rowWork[row].
  int64_t* rowWork = nullptr;
};

// Stored rows a band's halo holds (fewer for the first bands).
constexpr int32_t kHaloRows = 4;

// Cuts `storedRows` rows into `count` bands (each at least minRows tall, count * minRows
// <= storedRows) where the running sum of rowWork, plus `rowCost` a row, passes each equal
// share of the whole; ends[k] is the end row of band k.
void CutBandsByWork(const int64_t* rowWork, int32_t storedRows, int64_t rowCost, int32_t count,
                    int32_t minRows, int32_t* ends);

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

// Bands for a frame of `storedRows` rows on `threads` threads: `perThread` a thread, each
// at least kMinBandRows tall; 1 for one thread or a short frame. Every band walks every
// triangle and its halo's rows, so more bands cost more; fewer leave the end of the pass
// uneven when the threads do not keep the same pace or the work does not follow the
// census below. Measured on 2 cores with frames turn about at 1920x1080: cuboids2 draws
// best with one band a thread (two drew 2-7 % slower, three of falling heights 0-8 %),
// logo, whose cost a pixel follows its mask, with four ("dissolve" 7-13 % faster than with
// one at progress 0.25 and 0.75, alike at 0.5 and with the default layers; eight 7-10 %
// slower than four).
// The bands are cut where the pixels the frame's triangles reach fall in equal shares (a
// census of the frame before it is drawn): bands of equal height took 38 and 36 ms of a
// frame of cuboids2's "high fly" that one thread drew in 38, since the blocks crowd one half
// of the frame; cut by the census, 20 and 22 ms.
constexpr int32_t kMinBandRows = 16;
constexpr int32_t kMaxTriangleBandsPerThread = 4;
constexpr int32_t kMaxTriangleBands = kMaxTriangleBandsPerThread * kMaxSliceThreads;
int32_t TriangleBandCount(int32_t storedRows, int32_t threads, int32_t perThread);

// Runs draw(band) for every band of a frame of `storedRows` rows (`width` pixels, `stride`
// bytes a row), side by side; draw must make the same DrawTriangle calls in the same order
// in every band (at most `triangles` of them), through a camera whose `band` is the one
// given, and with the same depth buffer choice as the whole frame. Before the bands, draw
// runs once more with a census band of no rows (firstRow = endRow = 0), where DrawTriangle
// draws nothing; whatever else draw does to a band's rows it must leave to those rows. With
// one band (one thread, a short frame, or too little memory) draw(nullptr) draws the whole
// frame here.
template <class Draw>
void DrawInBands(int32_t storedRows, int32_t width, int32_t stride, int32_t triangles,
                 int32_t perThread, const Draw& draw) {
  const int32_t threads = SliceThreads();
  const int32_t count = TriangleBandCount(storedRows, threads, perThread);
  BandHandoff handoff{};
  TriangleBand bands[kMaxTriangleBands];
  int32_t made = 0;
  if (count > 1 && MakeBandHandoff(count, triangles, &handoff)) {
    int32_t ends[kMaxTriangleBands];
    for (int32_t k = 0; k < count; ++k) ends[k] = BandRows(storedRows, count, k).end;
    if (int64_t* work = new (std::nothrow) int64_t[static_cast<size_t>(storedRows)]()) {
      TriangleBand census{};
      census.index = -1;
      census.rowWork = work;
      draw(&census);
      // A row costs its background and depth clear besides the triangles' pixels.
      CutBandsByWork(work, storedRows, width / 8, count, kMinBandRows, ends);
      delete[] work;
    }
    for (int32_t first = 0; made < count; first = ends[made++]) {
      if (!MakeTriangleBand(made, first, ends[made], width, stride, &handoff, &bands[made])) break;
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
