// Our elementary functions against the GNU C library over millions of arguments in the
// ranges the effects use (and beyond): never more than one ulp apart, and the same bits in
// all but a small share. Native builds only: the Windows runtime's functions differ from
// both, which is why the effects call ours.
#if !defined(_WIN32)

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>

#include "zmath.h"

namespace zk::test {
namespace {

// Doubles as a monotonic integer line, so the difference counts representable values.
int64_t Ordered(double x) {
  int64_t i;
  std::memcpy(&i, &x, sizeof i);
  return i < 0 ? INT64_MIN - i : i;
}

struct Tally {
  int64_t maxUlps = 0;
  double worstA = 0.0;
  double worstB = 0.0;
  long identical = 0;
  long total = 0;

  void Add(double ours, double theirs, double a, double b) {
    ++total;
    if (std::isnan(ours) && std::isnan(theirs)) {
      ++identical;
      return;
    }
    int64_t d = Ordered(ours) - Ordered(theirs);
    if (d < 0) d = -d;
    if (std::isnan(ours) != std::isnan(theirs)) d = INT64_MAX;
    if (d == 0) ++identical;
    if (d > maxUlps) {
      maxUlps = d;
      worstA = a;
      worstB = b;
    }
  }

  void Report(const std::string& what) const {
    const double share = 100.0 * static_cast<double>(identical) / static_cast<double>(total);
    std::printf("[ zmath    ] %-34s %8ld args, max %lld ulp, identical %.4f%%\n", what.c_str(),
                total, static_cast<long long>(maxUlps), share);
    EXPECT_LE(maxUlps, 1) << what << " worst at " << worstA << ", " << worstB;
    EXPECT_GE(share, 99.5) << what;
  }
};

using Fn1 = std::function<double(double)>;

// Uniform arguments over [lo, hi], or log-uniform magnitudes of both signs when `geometric`.
void Compare1(const std::string& name, const Fn1& ours, const Fn1& theirs, double lo, double hi,
              int count, bool geometric = false) {
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> u(lo, hi);
  Tally t;
  for (int i = 0; i < count; ++i) {
    double x = u(rng);
    if (geometric) x = (i & 1 ? -1.0 : 1.0) * std::exp(x);
    t.Add(ours(x), theirs(x), x, 0.0);
  }
  char range[64];
  std::snprintf(range, sizeof range, geometric ? " |x| = e^[%g, %g]" : " [%g, %g]", lo, hi);
  t.Report(name + range);
}

constexpr int kCount = 500000;

TEST(ZMathGlibc, SineCosineTangent) {
  Compare1(
      "sin", Sin, [](double x) { return std::sin(x); }, -7.0, 7.0, kCount);
  Compare1(
      "sin", Sin, [](double x) { return std::sin(x); }, -5000.0, 5000.0, kCount);
  Compare1(
      "sin", Sin, [](double x) { return std::sin(x); }, -60.0, 690.0, kCount / 5, true);
  Compare1(
      "cos", Cos, [](double x) { return std::cos(x); }, -7.0, 7.0, kCount);
  Compare1(
      "cos", Cos, [](double x) { return std::cos(x); }, -5000.0, 5000.0, kCount);
  Compare1(
      "cos", Cos, [](double x) { return std::cos(x); }, -60.0, 690.0, kCount / 5, true);
  Compare1(
      "tan", Tan, [](double x) { return std::tan(x); }, -7.0, 7.0, kCount);
  Compare1(
      "tan", Tan, [](double x) { return std::tan(x); }, -5000.0, 5000.0, kCount / 2);
}

TEST(ZMathGlibc, Arctangents) {
  Compare1(
      "atan", Atan, [](double x) { return std::atan(x); }, -4.0, 4.0, kCount);
  Compare1(
      "atan", Atan, [](double x) { return std::atan(x); }, -40.0, 40.0, kCount / 2, true);
  std::mt19937_64 rng(777);
  std::uniform_real_distribution<double> side(-2000.0, 2000.0);
  Tally t;
  for (int i = 0; i < kCount; ++i) {
    const double y = side(rng);
    const double x = side(rng);
    t.Add(Atan2(y, x), std::atan2(y, x), y, x);
  }
  t.Report("atan2 y, x in [-2000, 2000]");
}

TEST(ZMathGlibc, ExponentialAndLogarithm) {
  Compare1(
      "exp", Exp, [](double x) { return std::exp(x); }, -20.0, 20.0, kCount);
  Compare1(
      "exp", Exp, [](double x) { return std::exp(x); }, -708.0, 709.0, kCount / 2);
  Compare1(
      "log", Log, [](double x) { return std::log(x); }, 0.0, 4.0, kCount);
  Compare1(
      "log", Log, [](double x) { return std::log(x); }, 0.9, 1.1, kCount / 2);
  Compare1(
      "log", [](double x) { return Log(std::fabs(x)); },
      [](double x) { return std::log(std::fabs(x)); }, -700.0, 700.0, kCount / 2, true);
}

TEST(ZMathGlibc, Powers) {
  std::mt19937_64 rng(4242);
  std::uniform_real_distribution<double> base(0.0, 300.0);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::uniform_real_distribution<double> exponent(-8.0, 8.0);
  Tally picture;
  Tally wide;
  for (int i = 0; i < kCount; ++i) {
    // Picture ranges: channel levels and unit fractions to gamma-like exponents.
    const double x = (i & 1) ? base(rng) : unit(rng);
    const double y = exponent(rng);
    picture.Add(Pow(x, y), std::pow(x, y), x, y);
    // Wide: results anywhere between underflow and overflow, negative bases too.
    const double wx = std::exp(exponent(rng) * 20.0) * ((i % 3 == 0) ? -1.0 : 1.0);
    const double wy = (i % 3 == 0) ? std::floor(exponent(rng) * 5.0) : exponent(rng) * 4.0;
    wide.Add(Pow(wx, wy), std::pow(wx, wy), wx, wy);
  }
  picture.Report("pow x in [0, 300], y in [-8, 8]");
  wide.Report("pow |x| in e^[-160, 160]");
}

}  // namespace
}  // namespace zk::test

#endif  // !_WIN32
