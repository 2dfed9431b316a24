#include "cpu_features.h"

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
#include <cpuid.h>
#define ZK_HAVE_CPUID 1
#endif

namespace zk {
namespace {

#if defined(ZK_HAVE_CPUID)
// The register-state mask the operating system enabled (XCR0). Written as bytes because
// the mnemonic needs an instruction-set option this file is not built with.
unsigned long long EnabledStateMask() {
  unsigned int low = 0, high = 0;
  asm volatile(".byte 0x0f, 0x01, 0xd0" : "=a"(low), "=d"(high) : "c"(0));
  return (static_cast<unsigned long long>(high) << 32) | low;
}
#endif

bool AskProcessor() {
#if defined(ZK_HAVE_CPUID)
  unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
  const bool osxsave = (ecx & bit_OSXSAVE) != 0;
  const bool avx = (ecx & bit_AVX) != 0;
  if (!osxsave || !avx) return false;
  // Bits 1 and 2: the operating system saves the SSE and the upper AVX halves.
  if ((EnabledStateMask() & 0x6) != 0x6) return false;
  if (__get_cpuid_max(0, nullptr) < 7) return false;
  __cpuid_count(7, 0, eax, ebx, ecx, edx);
  return (ebx & bit_AVX2) != 0;
#else
  return false;
#endif
}

}  // namespace

bool HasAvx2() {
  static const bool has = AskProcessor();
  return has;
}

}  // namespace zk
