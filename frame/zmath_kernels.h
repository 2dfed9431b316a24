// Pieces shared between the elementary functions: argument reduction by pi/2, and the
// logarithm and exponential on double-double values (pow chains the two).
#pragma once

#include "zmath_dd.h"

namespace zk::math {

// x = n * pi/2 + r for finite x >= 0, with |r| <= about pi/4; returns n mod 4.
int ReduceHalfPi(double x, DD* r);

// Reduction of arguments too large for the three-piece form: the bits of 2/pi that
// matter for x are multiplied out in integers (x >= 2^19).
int ReduceHalfPiLarge(double x, DD* r);

// sin r and cos r for |r| <= about pi/4.
DD SinKernel(DD r);
DD CosKernel(DD r);

// log x for finite x > 0, to about 100 bits.
DD LogDD(double x);

// exp(a) rounded once to double; overflows to infinity and underflows to zero.
double ExpDD(DD a);

}  // namespace zk::math
