// Elementary functions for render code. Both builds must give the same bits, and the two
// C runtimes disagree on sin, cos, atan, pow, exp and log, so effects call these instead.
#pragma once

namespace zk {

double Sin(double x);
double Cos(double x);
double Tan(double x);
double Atan(double x);
double Atan2(double y, double x);
double Exp(double x);
double Log(double x);
double Pow(double x, double y);

}  // namespace zk
