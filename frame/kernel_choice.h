// The one place where every module learns whether to run its fast kernels or their plain
// twins. The plain kernels are the definitions the fast ones must match byte for byte;
// setting ZELKOR_PLAIN_KERNELS (to anything but empty or "0") in the environment of the
// process makes every module take them, so that a whole render can be compared both ways.
#pragma once

#include "scratch_source.h"

namespace zk {

// Read from the environment on the first call in this module and kept for the process: a
// kernel may ask once per row without a cost worth measuring.
bool PlainKernels();

// The scratch for renderers whose plain path is the one they take without scratch memory:
// the heap, or with the plain kernels a source that never has any.
const ScratchSource& FastPathScratch();

}  // namespace zk
