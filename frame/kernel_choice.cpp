#include "kernel_choice.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "cpu_features.h"

namespace zk {
namespace {

bool KernelsNamed(const char* name) {
  const char* value = std::getenv("ZELKOR_KERNELS");
  return value != nullptr && std::strcmp(value, name) == 0;
}

bool ReadSwitch() {
  const char* value = std::getenv("ZELKOR_PLAIN_KERNELS");
  return (value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0) ||
         KernelsNamed("plain");
}

std::atomic<bool> wideAllowed{true};

void* NoMemory(size_t) { return nullptr; }
void NothingToRelease(void*) {}
const ScratchSource kNoScratch = {NoMemory, NothingToRelease};

}  // namespace

bool PlainKernels() {
  // Initialised once even when several render threads ask first.
  static const bool plain = ReadSwitch();
  return plain;
}

bool WideKernels() {
  static const bool wide = !PlainKernels() && !KernelsNamed("sse2") && HasAvx2();
  return wide && wideAllowed.load(std::memory_order_relaxed);
}

void AllowWideKernels(bool allowed) { wideAllowed.store(allowed, std::memory_order_relaxed); }

const ScratchSource& FastPathScratch() { return PlainKernels() ? kNoScratch : kHeapScratch; }

}  // namespace zk
