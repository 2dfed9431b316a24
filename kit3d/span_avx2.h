// The fast span walk built for AVX2 (span_avx2.cpp, the only file compiled with it): call
// only when WideKernels() says the processor has it.
#pragma once

#include <cstdint>

#include "span_fast.h"

#if defined(__SSE2__)
namespace zk {

// DrawFastSpanAny, the same bytes.
void DrawFastSpanAvx2(const SpanTexture& s, const SpanWalk& walk, bool covered, uint8_t last[4],
                      bool* haveLast);

}  // namespace zk
#endif
