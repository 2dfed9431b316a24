// Fixed argument lists for the cross-build bit table of the elementary functions: small,
// medium and large angles, picture-range exponents and logarithms, powers with fractional
// exponents. The same lists feed the table's generator and its check.
#pragma once

#include <vector>

namespace zk::test {

enum class MathFn { kSin, kCos, kTan, kAtan, kExp, kLog, kAtan2, kPow };

struct MathArgs {
  double a;
  double b;  // second argument of Atan2 (x) and Pow (y)
};

inline std::vector<MathArgs> TableArguments(MathFn fn) {
  std::vector<MathArgs> args;
  for (int i = 0; i < 40; ++i) {
    const double sign = (i % 2) ? -1.0 : 1.0;
    double scale = 1.0;
    double a = 0.0;
    double b = 0.0;
    switch (fn) {
      case MathFn::kSin:
      case MathFn::kCos:
      case MathFn::kTan:
        for (int k = 0; k < i; ++k) scale *= 1.37;
        a = sign * 0.01 * scale;  // 0.01 .. about 2150
        break;
      case MathFn::kAtan:
        for (int k = 0; k < i; ++k) scale *= 1.45;
        a = sign * 0.003 * scale;
        break;
      case MathFn::kExp:
        a = -30.0 + i * 1.537;
        break;
      case MathFn::kLog:
        for (int k = 0; k < i; ++k) scale *= 1.53;
        a = 0.0007 * scale;
        break;
      case MathFn::kAtan2:
        a = ((i * 7) % 11 - 5) * 0.731 + 0.01;
        b = ((i * 5) % 13 - 6) * 0.593 + 0.003;
        break;
      case MathFn::kPow:
        a = 0.05 + i * 0.61;
        b = -3.7 + i * 0.23;
        break;
    }
    args.push_back(MathArgs{a, b});
  }
  switch (fn) {
    case MathFn::kSin:
    case MathFn::kCos:
    case MathFn::kTan:
      args.push_back({823549.5, 0});
      args.push_back({1e22, 0});
      args.push_back({-3.7e15, 0});
      args.push_back({1e300, 0});
      args.push_back({5e-10, 0});
      break;
    case MathFn::kAtan:
      args.push_back({1e10, 0});
      args.push_back({-7e-9, 0});
      break;
    case MathFn::kExp:
      args.push_back({700.25, 0});
      args.push_back({-740.5, 0});
      args.push_back({1e-12, 0});
      break;
    case MathFn::kLog:
      args.push_back({1e-300, 0});
      args.push_back({1e300, 0});
      args.push_back({0.9999999, 0});
      args.push_back({4.9e-320, 0});
      break;
    case MathFn::kAtan2:
      args.push_back({1e-300, -1e300});
      args.push_back({-3e200, 2.5e-100});
      break;
    case MathFn::kPow:
      args.push_back({0.73, 1.0 / 2.4});
      args.push_back({0.5, 2.2});
      args.push_back({-2.5, 7.0});
      args.push_back({1.0000001, 1e7});
      break;
  }
  return args;
}

}  // namespace zk::test
