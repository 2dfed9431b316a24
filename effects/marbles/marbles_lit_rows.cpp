#include "marbles_lit_rows.h"

#include "marbles_lanes.h"

namespace zk {
namespace {

int32_t MarkInside(const double* J, int32_t count, uint8_t* pending) {
  int32_t marked = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (!(J[i] > 0)) continue;
    pending[i] = 1;
    ++marked;
  }
  return marked;
}

#if ZK_MARBLES_SSE2

// Two pixels (lanes 0 and 1), or with kSingle only the first: lights and writes the settled
// ones inside the rim and marks the others inside the rim pending. Returns how many it
// marked.
template <bool kSingle, int32_t kGloss>
inline int32_t LightPair(const LitLanes& s, const double* J, const float* q, uint8_t* p,
                         uint8_t* pending) {
  const __m128d one = marbles::kOne.get();
  const int lanes = kSingle ? 1 : 3;
  const __m128d j = kSingle ? _mm_load_sd(J) : _mm_loadu_pd(J);
  const int inside = _mm_movemask_pd(_mm_cmpgt_pd(j, _mm_setzero_pd())) & lanes;
  if (inside == 0) return 0;
  __m128d qd;
  if (kSingle) {
    qd = _mm_cvtps_pd(_mm_load_ss(q));
  } else {
    // The two floats of q as one 64-bit load, widened.
    double pair;
    std::memcpy(&pair, q, sizeof pair);
    qd = _mm_cvtps_pd(_mm_castpd_ps(_mm_load_sd(&pair)));
  }
  __m128i X[3];
  const int write = marbles::ShadePair<kGloss>(s, qd, X) & inside;
  // Inside the rim of an opaque marble the weight is 1 and the blend gives the lit bytes
  // themselves.
  const __m128d w =
      _mm_cvtps_pd(_mm_cvtpd_ps(_mm_mul_pd(_mm_min_pd(j, one), marbles::Both(s.opacity))));
  __m128i out[3];
  if ((_mm_movemask_pd(_mm_cmpeq_pd(w, one)) & lanes) == lanes) {
    for (int32_t k = 0; k < 3; ++k) out[k] = X[k];
  } else if (kSingle) {
    marbles::BlendLane(p, X, w, out);
  } else {
    marbles::BlendPair(p, X, w, out);
  }
  if (write == 3) {
    marbles::StorePair(p, out);
    return 0;
  }
  int32_t marked = 0;
  for (int32_t lane = 0; lane < (kSingle ? 1 : 2); ++lane) {
    if (write & (1 << lane)) {
      marbles::StoreLane(p + 3 * lane, out, lane);
    } else if (inside & (1 << lane)) {
      pending[lane] = 1;
      ++marked;
    }
  }
  return marked;
}

// A whole row, with the gloss known where the code is written (kGloss > 0) or not (0).
template <int32_t kGloss>
int32_t LightPairs(const LitLanes& s, const double* J, const float* q, int32_t count, uint8_t* px,
                   uint8_t* pending) {
  int32_t marked = 0;
  int32_t i = 0;
  for (; i + 2 <= count; i += 2)
    marked += LightPair<false, kGloss>(s, J + i, q + i, px + 3 * i, pending + i);
  if (i < count) marked += LightPair<true, kGloss>(s, J + i, q + i, px + 3 * i, pending + i);
  return marked;
}

#endif

}  // namespace

LitLanes LitLanesOf(const LitLook& look) {
  LitLanes s{};
  for (int32_t lane = 0; lane < 2; ++lane) {
    for (int32_t k = 0; k < 3; ++k) {
      s.marble[k][lane] = look.marble[k];
      s.light[k][lane] = look.light[k];
    }
    s.impact[lane] = look.impact;
    s.opacity[lane] = look.opacity;
  }
  s.gloss = look.gloss;
  return s;
}

int32_t LightRow3(const LitLanes& s, const double* J, const float* q, int32_t count, uint8_t* px,
                  uint8_t* pending) {
#if ZK_MARBLES_SSE2
  // The gloss of every preset has its own loop.
  if (s.gloss == 3) return LightPairs<3>(s, J, q, count, px, pending);
  if (s.gloss >= 1 && s.gloss <= 16) return LightPairs<0>(s, J, q, count, px, pending);
#else
  (void)s;
  (void)q;
  (void)px;
#endif
  return MarkInside(J, count, pending);
}

}  // namespace zk
