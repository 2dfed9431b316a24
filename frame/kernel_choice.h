// The one place where every module learns whether to run its fast kernels or their plain
// twins. The plain kernels are the definitions the fast ones must match byte for byte;
// setting ZELKOR_PLAIN_KERNELS (to anything but empty or "0") in the environment of the
// process makes every module take them, so that a whole render can be compared both ways.
// Above the SSE2 every build assumes, some kernels have AVX2 forms, taken only where the
// processor has AVX2; ZELKOR_KERNELS=sse2 keeps to the SSE2 forms (and ZELKOR_KERNELS=plain
// means the plain twins, as ZELKOR_PLAIN_KERNELS does), so that all three can be compared.
#pragma once

#include "scratch_source.h"

namespace zk {

// Read from the environment on the first call in this module and kept for the process: a
// kernel may ask once per row without a cost worth measuring.
bool PlainKernels();

// True when the AVX2 forms are to run: the processor has them, and neither the plain
// kernels nor ZELKOR_KERNELS=sse2 were asked for. Also read once per process.
bool WideKernels();

// Lets a test render with the AVX2 forms and then without them in one process (allowed by
// default); it cannot turn them on where WideKernels would not.
void AllowWideKernels(bool allowed);

// The scratch for renderers whose plain path is the one they take without scratch memory:
// the heap, or with the plain kernels a source that never has any.
const ScratchSource& FastPathScratch();

}  // namespace zk
