#include "kernel_choice.h"

#include <cstdlib>
#include <cstring>

namespace zk {
namespace {

bool ReadSwitch() {
  const char* value = std::getenv("ZELKOR_PLAIN_KERNELS");
  return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

void* NoMemory(size_t) { return nullptr; }
void NothingToRelease(void*) {}
const ScratchSource kNoScratch = {NoMemory, NothingToRelease};

}  // namespace

bool PlainKernels() {
  // Initialised once even when several render threads ask first.
  static const bool plain = ReadSwitch();
  return plain;
}

const ScratchSource& FastPathScratch() { return PlainKernels() ? kNoScratch : kHeapScratch; }

}  // namespace zk
