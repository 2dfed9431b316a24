// Where the benchmarks load modules from: $ZELKOR_MODULES when set (as for zelkor), so
// that two builds of a module can be timed against each other by one benchmark binary;
// otherwise the build's own modules.
#pragma once

#include <cstdlib>
#include <string>

inline std::string BenchModuleDir() {
  const char* chosen = std::getenv("ZELKOR_MODULES");
  return chosen != nullptr && *chosen != '\0' ? chosen : ZELKOR_BENCH_MODULE_DIR;
}
