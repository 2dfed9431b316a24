// Two-source blends whose weights are not the crossfade's own (1 - p, p), and whose
// sources move per output pixel, so the blend is taken one pixel at a time.
#pragma once

#include <cstdint>

#include "pixel_rows.h"

namespace zk {

// weightA[i] = keep * i and weightB[i] = take * i: exactly the double products of the
// per-byte formula trunc(A * keep + B * take), so a lookup sum gives its bits.
void MakeWeightedBlendTable(double keep, double take, ByteBlendTable* table);

// Blends the three bytes of one pixel through the table.
inline void BlendPixelWithTable(uint8_t* out, const uint8_t* a, const uint8_t* b,
                                const ByteBlendTable& table) {
  for (int k = 0; k < 3; ++k)
    out[k] = static_cast<uint8_t>(static_cast<int32_t>(table.weightA[a[k]] + table.weightB[b[k]]));
}

}  // namespace zk
