#include <cstdio>

#include "cli_options.h"

namespace zk {

int Fail(const std::string& message) {
  std::fprintf(stderr, "zelkor: %s\n", message.c_str());
  return 2;
}

}  // namespace zk
