// The geometry of one row of a marble's disc, for a run of columns: the rim distance J and
// the dot product q of the pixel's normal with the light, from what is known per column
// (dx^2 and nx * Lx) and per row (dy^2 and ny * Ly).
#pragma once

#include <cstdint>

namespace zk {

struct DiscRow {
  double dy2;  // dy * dy
  double nyL;  // ny * Ly
  double R;    // projected radius (a float)
  double R2;   // its square rounded to float
  double Lz;   // the light direction's z
};

// For i in [0, count): rho2 = dx2[i] + dy2; J[i] = R - (sqrt(rho2) + 0.5);
// e = R2 - rho2; h = sqrt(e), or -sqrt(-e) below 0; q[i] = float(float(h / R) * Lz + nyL +
// nxL[i]). Pixel by pixel as written.
void DiscRowPlain(const DiscRow& row, const double* dx2, const double* nxL, int32_t count,
                  double* J, float* q);
// The same two columns at a time in SSE2 lanes, bit for bit (the plain form where SSE2 is
// not there).
void DiscRowFast(const DiscRow& row, const double* dx2, const double* nxL, int32_t count, double* J,
                 float* q);

// DiscRowFast where pixels with rho2 at most `solidLimit` (SolidLimit(R)) skip the rim
// depth's square root: their J is 1, which stands for every depth from 1 up (each gives
// the pixel the full weight).
void DiscRowSolid(const DiscRow& row, double solidLimit, const double* dx2, const double* nxL,
                  int32_t count, double* J, float* q);

// The largest rho2 whose rim depth R - (sqrt(rho2) + 0.5) is at least 1, or -1 when none
// is. The rim depth falls as rho2 grows (every step of it rounds monotonically), so a pixel
// takes the full weight exactly when its rho2 is at most this.
double SolidLimit(double R);

}  // namespace zk
