// Interim: forwards to the C runtime until our own implementations land.
#include "zmath.h"

#include <cmath>

namespace zk {

double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Tan(double x) { return std::tan(x); }
double Atan(double x) { return std::atan(x); }
double Atan2(double y, double x) { return std::atan2(y, x); }
double Exp(double x) { return std::exp(x); }
double Log(double x) { return std::log(x); }
double Pow(double x, double y) { return std::pow(x, y); }

}  // namespace zk
