// Rows shifted by one level and held in the byte range: out = min(255, s + n) or
// max(0, s - n) for every byte, the flash kernels of an effect whose whole run of pixels
// moves by the same whole number of levels.
#pragma once

#include <cstdint>

namespace zk {

void AddSaturatedRowPlain(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n);
void SubtractSaturatedRowPlain(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n);

// The same sixteen bytes at a time.
void AddSaturatedRow(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n);
void SubtractSaturatedRow(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n);

}  // namespace zk
