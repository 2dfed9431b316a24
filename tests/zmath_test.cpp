// Our elementary functions in both builds: special values, identities, the two argument
// reductions against each other, and a table of result bits recorded from the native
// build, so the Windows build is seen to give the very same bits.
#include "zmath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "zmath_arguments.h"
#include "zmath_expected_bits.h"
#include "zmath_kernels.h"

namespace zk::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

uint64_t BitsOf(double x) {
  uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

bool NegativeZero(double x) { return x == 0.0 && BitsOf(x) == (uint64_t{1} << 63); }
bool PositiveZero(double x) { return BitsOf(x) == 0; }

// Distance in representable doubles (same sign assumed).
int64_t UlpDistance(double a, double b) {
  const int64_t ia = static_cast<int64_t>(BitsOf(a));
  const int64_t ib = static_cast<int64_t>(BitsOf(b));
  return ia > ib ? ia - ib : ib - ia;
}

double Apply(MathFn fn, const MathArgs& x) {
  switch (fn) {
    case MathFn::kSin:
      return Sin(x.a);
    case MathFn::kCos:
      return Cos(x.a);
    case MathFn::kTan:
      return Tan(x.a);
    case MathFn::kAtan:
      return Atan(x.a);
    case MathFn::kExp:
      return Exp(x.a);
    case MathFn::kLog:
      return Log(x.a);
    case MathFn::kAtan2:
      return Atan2(x.a, x.b);
    case MathFn::kPow:
      return Pow(x.a, x.b);
  }
  return 0.0;
}

const char* const kFnNames[] = {"Sin", "Cos", "Tan", "Atan", "Exp", "Log", "Atan2", "Pow"};

TEST(ZMathSpecial, TrigOfZeroInfinityAndNaN) {
  EXPECT_TRUE(PositiveZero(Sin(0.0)));
  EXPECT_TRUE(NegativeZero(Sin(-0.0)));
  EXPECT_TRUE(NegativeZero(Tan(-0.0)));
  EXPECT_EQ(Cos(0.0), 1.0);
  EXPECT_EQ(Cos(-0.0), 1.0);
  for (double bad : {kInf, -kInf, kNaN}) {
    EXPECT_TRUE(std::isnan(Sin(bad)));
    EXPECT_TRUE(std::isnan(Cos(bad)));
    EXPECT_TRUE(std::isnan(Tan(bad)));
  }
  // Tiny angles: sin and tan round to the argument, cos to 1.
  EXPECT_EQ(Sin(1e-10), 1e-10);
  EXPECT_EQ(Tan(-3e-12), -3e-12);
  EXPECT_EQ(Cos(2e-9), 1.0);
  EXPECT_EQ(Sin(4.9e-324), 4.9e-324);
}

TEST(ZMathSpecial, AtanAndAtan2Quadrants) {
  const double halfPi = 1.5707963267948966;
  const double pi = 3.141592653589793;
  EXPECT_EQ(Atan(kInf), halfPi);
  EXPECT_EQ(Atan(-kInf), -halfPi);
  EXPECT_TRUE(NegativeZero(Atan(-0.0)));
  EXPECT_TRUE(std::isnan(Atan(kNaN)));
  EXPECT_EQ(Atan(1.0), 0.7853981633974483);
  EXPECT_EQ(Atan(-1.0), -0.7853981633974483);

  EXPECT_TRUE(PositiveZero(Atan2(0.0, 1.0)));
  EXPECT_TRUE(NegativeZero(Atan2(-0.0, 1.0)));
  EXPECT_TRUE(PositiveZero(Atan2(0.0, 0.0)));
  EXPECT_EQ(Atan2(0.0, -0.0), pi);
  EXPECT_EQ(Atan2(-0.0, -1.0), -pi);
  EXPECT_EQ(Atan2(2.0, 0.0), halfPi);
  EXPECT_EQ(Atan2(-2.0, -0.0), -halfPi);
  EXPECT_EQ(Atan2(kInf, kInf), 0.7853981633974483);
  EXPECT_EQ(Atan2(kInf, -kInf), 2.356194490192345);
  EXPECT_EQ(Atan2(-kInf, 5.0), -halfPi);
  EXPECT_TRUE(NegativeZero(Atan2(-5.0, kInf)));
  EXPECT_EQ(Atan2(5.0, -kInf), pi);
  EXPECT_TRUE(std::isnan(Atan2(kNaN, 1.0)));
  EXPECT_TRUE(std::isnan(Atan2(1.0, kNaN)));
  // One point in each quadrant: the diagonal angles.
  EXPECT_EQ(Atan2(1.0, 1.0), 0.7853981633974483);
  EXPECT_EQ(Atan2(1.0, -1.0), 2.356194490192345);
  EXPECT_EQ(Atan2(-1.0, -1.0), -2.356194490192345);
  EXPECT_EQ(Atan2(-1.0, 1.0), -0.7853981633974483);
  // Extreme ratios and subnormal sides.
  EXPECT_EQ(Atan2(1e-300, 1e300), 0.0);
  EXPECT_EQ(Atan2(1e300, 1e-300), halfPi);
  EXPECT_EQ(Atan2(4.9e-324, 4.9e-324), 0.7853981633974483);
  EXPECT_EQ(Atan2(1.5e308, 1.5e308), 0.7853981633974483);
}

TEST(ZMathSpecial, ExpAndLogEnds) {
  EXPECT_EQ(Exp(0.0), 1.0);
  EXPECT_EQ(Exp(-0.0), 1.0);
  EXPECT_EQ(Exp(kInf), kInf);
  EXPECT_TRUE(PositiveZero(Exp(-kInf)));
  EXPECT_TRUE(std::isnan(Exp(kNaN)));
  EXPECT_EQ(Exp(710.0), kInf);
  EXPECT_TRUE(PositiveZero(Exp(-750.0)));
  EXPECT_GT(Exp(709.78), 1.7e308);
  EXPECT_GT(Exp(-745.0), 0.0);  // the smallest subnormal
  EXPECT_EQ(Exp(1.0), 2.718281828459045);

  EXPECT_TRUE(PositiveZero(Log(1.0)));
  EXPECT_EQ(Log(0.0), -kInf);
  EXPECT_EQ(Log(-0.0), -kInf);
  EXPECT_TRUE(std::isnan(Log(-1.0)));
  EXPECT_TRUE(std::isnan(Log(-kInf)));
  EXPECT_TRUE(std::isnan(Log(kNaN)));
  EXPECT_EQ(Log(kInf), kInf);
  EXPECT_EQ(Log(2.0), 0.6931471805599453);
  EXPECT_EQ(Log(4.9e-324), -744.4400719213812);  // the smallest subnormal
  EXPECT_EQ(Log(1.7976931348623157e308), 709.782712893384);
}

TEST(ZMathSpecial, PowSpecialCases) {
  EXPECT_EQ(Pow(kNaN, 0.0), 1.0);
  EXPECT_EQ(Pow(1.0, kNaN), 1.0);
  EXPECT_TRUE(std::isnan(Pow(kNaN, 2.0)));
  EXPECT_TRUE(std::isnan(Pow(2.0, kNaN)));
  EXPECT_TRUE(std::isnan(Pow(-2.0, 0.5)));
  EXPECT_EQ(Pow(-1.0, kInf), 1.0);
  EXPECT_EQ(Pow(0.5, kInf), 0.0);
  EXPECT_EQ(Pow(0.5, -kInf), kInf);
  EXPECT_EQ(Pow(3.0, kInf), kInf);
  EXPECT_EQ(Pow(3.0, -kInf), 0.0);
  EXPECT_EQ(Pow(0.0, -3.0), kInf);
  EXPECT_EQ(Pow(-0.0, -3.0), -kInf);
  EXPECT_EQ(Pow(-0.0, -2.0), kInf);
  EXPECT_TRUE(NegativeZero(Pow(-0.0, 3.0)));
  EXPECT_TRUE(PositiveZero(Pow(-0.0, 2.5)));
  EXPECT_EQ(Pow(-kInf, 3.0), -kInf);
  EXPECT_EQ(Pow(-kInf, 2.0), kInf);
  EXPECT_TRUE(NegativeZero(Pow(-kInf, -3.0)));
  EXPECT_TRUE(PositiveZero(Pow(kInf, -0.5)));
  EXPECT_EQ(Pow(kInf, 0.5), kInf);
  // Exact powers come out exact.
  EXPECT_EQ(Pow(2.0, 10.0), 1024.0);
  EXPECT_EQ(Pow(-2.0, 3.0), -8.0);
  EXPECT_EQ(Pow(-2.0, -2.0), 0.25);
  EXPECT_EQ(Pow(10.0, 15.0), 1e15);
  EXPECT_EQ(Pow(9.0, 0.5), 3.0);
  EXPECT_EQ(Pow(2.0, -1074.0), 4.9e-324);
  EXPECT_EQ(Pow(2.0, 1024.0), kInf);
  EXPECT_EQ(Pow(-10.0, 309.0), -kInf);
  EXPECT_EQ(Pow(0.5, 2000.0), 0.0);
  EXPECT_EQ(Pow(1.0000001, 1e300), kInf);
}

// Identities hold to a couple of ulps whatever the argument's size.
TEST(ZMathIdentities, SineCosineTangentAgree) {
  for (double x = -4000.0; x < 4000.0; x += 0.8317) {
    const double s = Sin(x);
    const double c = Cos(x);
    EXPECT_NEAR(s * s + c * c, 1.0, 4e-16) << x;
    if (std::fabs(c) > 0.1) {
      EXPECT_NEAR(Tan(x), s / c, 4e-15 * std::fabs(s / c)) << x;
    }
    EXPECT_EQ(Sin(-x), -s);
    EXPECT_EQ(Cos(-x), c);
  }
  // sin(10^22), a classic check of reducing a huge argument: its value is known to many
  // more digits than a double holds.
  EXPECT_EQ(Sin(1e22), -0.8522008497671888);
}

TEST(ZMathIdentities, ExpLogPowAtanInvert) {
  for (double x = 1e-6; x < 1e6; x *= 1.173) {
    EXPECT_LE(UlpDistance(Exp(Log(x)), x), 24) << x;  // exp magnifies the rounding of log x
    // exp t is off by up to half an ulp, which log turns into 2^-53 absolute.
    const double t = std::log2(x);
    EXPECT_NEAR(Log(Exp(t)), t, 1.2e-16 + 2.3e-16 * std::fabs(t)) << t;
    EXPECT_LE(UlpDistance(Pow(x, 2.0), x * x), 1) << x;
    EXPECT_LE(UlpDistance(Pow(x, 0.5), std::sqrt(x)), 1) << x;
    EXPECT_LE(UlpDistance(Atan2(x, 1.0), Atan(x)), 1) << x;
    EXPECT_LE(UlpDistance(Atan(1.0 / x) + Atan(x), 1.5707963267948966), 2) << x;
  }
  for (double x = -0.75; x < 0.75; x += 0.0131) {
    EXPECT_LE(UlpDistance(Atan(Tan(x)), x), 2) << x;
  }
}

// The integer reduction for large arguments and the three-piece one for medium arguments
// must agree where both apply.
TEST(ZMathReduction, LargeAndMediumReductionsAgree) {
  for (double x = 524288.0; x < 823549.0; x += 3.7771) {
    math::DD medium;
    math::DD large;
    const int n1 = math::ReduceHalfPi(x, &medium);
    const int n2 = math::ReduceHalfPiLarge(x, &large);
    ASSERT_EQ(n1, n2) << x;
    EXPECT_EQ(medium.hi, large.hi) << x;
    EXPECT_NEAR(medium.lo, large.lo, std::fabs(medium.hi) * 0x1p-95) << x;
  }
}

TEST(ZMathReduction, RemainderStaysWithinQuarterTurn) {
  for (double x = 1.0; x < 1e300; x *= 3.3) {
    math::DD r;
    math::ReduceHalfPi(x, &r);
    EXPECT_LE(std::fabs(r.hi), 0.7853981633974484) << x;
  }
}

// Recorded from the native build (see DISABLED_PrintTable); checked in both builds.
TEST(ZMathBits, SameBitsAsRecorded) {
  int checked = 0;
  for (int f = 0; f < kExpectedBitsFunctions; ++f) {
    const auto args = TableArguments(static_cast<MathFn>(f));
    ASSERT_EQ(static_cast<int>(args.size()), kExpectedBitsCount[f]) << kFnNames[f];
    for (size_t i = 0; i < args.size(); ++i) {
      const double got = Apply(static_cast<MathFn>(f), args[i]);
      EXPECT_EQ(BitsOf(got), kExpectedBits[f][i])
          << kFnNames[f] << "(" << args[i].a << ", " << args[i].b << ") = " << got;
      ++checked;
    }
  }
  EXPECT_GT(checked, 300);
}

// Prints zmath_expected_bits.h: run with --gtest_also_run_disabled_tests on the native
// build after a deliberate change of the functions.
TEST(ZMathBits, DISABLED_PrintTable) {
  std::printf(
      "// Result bits of the elementary functions on the arguments of zmath_arguments.h,\n");
  std::printf("// recorded from the native build by ZMathBits.DISABLED_PrintTable.\n");
  std::printf("#pragma once\n\n#include <cstdint>\n\nnamespace zk::test {\n\n");
  std::printf("constexpr int kExpectedBitsFunctions = 8;\nconstexpr int kExpectedBitsCount[8] = {");
  for (int f = 0; f < 8; ++f) {
    std::printf("%s%d", f ? ", " : "",
                static_cast<int>(TableArguments(static_cast<MathFn>(f)).size()));
  }
  std::printf("};\nconstexpr uint64_t kExpectedBits[8][48] = {\n");
  for (int f = 0; f < 8; ++f) {
    std::printf("    {  // %s\n", kFnNames[f]);
    const auto args = TableArguments(static_cast<MathFn>(f));
    for (size_t i = 0; i < args.size(); ++i) {
      std::printf("%s0x%016llXull,%s", i % 3 == 0 ? "        " : " ",
                  static_cast<unsigned long long>(BitsOf(Apply(static_cast<MathFn>(f), args[i]))),
                  i % 3 == 2 || i + 1 == args.size() ? "\n" : "");
    }
    std::printf("    },\n");
  }
  std::printf("};\n\n}  // namespace zk::test\n");
}

}  // namespace
}  // namespace zk::test
