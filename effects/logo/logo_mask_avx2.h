// The mask stretch's mean between picture rows built for AVX2 (logo_mask_avx2.cpp, the only
// file of the module compiled with it): call only when WideKernels() allows.
#pragma once

#include <cstdint>

namespace zk {

// The mask bytes of the first columns of a row, four at a time, from the along-row values
// of the picture rows above and below (each channel's run `width` long): per column the
// three channels interpolated between the rows by fv (unless there is no row below) and
// their truncated mean. Returns how many columns it wrote (width rounded down to four);
// the rest are the caller's.
int32_t MeanBetweenRowsAvx2(const double* above, const double* below, bool lower, double fv,
                            int32_t width, uint8_t* out);

}  // namespace zk
