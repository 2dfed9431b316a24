// Compiled with -mavx2 (and without the vectorizer): span_fast.h takes its 256-bit texel
// here, and its inline helpers land in their own namespace (isa_namespace.h).
#include "span_avx2.h"

#if defined(__SSE2__)
namespace zk {

void DrawFastSpanAvx2(const SpanTexture& s, const SpanWalk& walk, bool covered, uint8_t last[4],
                      bool* haveLast) {
  DrawFastSpanAny(s, walk, covered, last, haveLast);
}

}  // namespace zk
#endif
