// Helpers the firestorm and rays tests share: float bit patterns, the rays records the
// tests start from, and the dialog's size in dialog units.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "rays_params.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace zk::test {

inline uint32_t FloatBitsOf(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  return bits;
}

inline RaysParams RaysDefaults() {
  RaysParams p;
  std::memset(&p, 0, sizeof p);
  WriteRaysDefaults(&p);
  return p;
}

// Straight threshold lines: exponent 1 and level 0.5 make T(x) = x exactly.
inline RaysParams RaysStraightLines() {
  RaysParams p = RaysDefaults();
  p.riseExponent = p.fallExponent = 1;
  p.riseLevel = p.fallLevel = 0.5f;
  return p;
}

#if defined(_WIN32)
// The dialog's client area is width x height dialog units in its own font.
inline ::testing::AssertionResult ClientIsDialogUnits(HWND dialog, LONG width, LONG height) {
  RECT units = {0, 0, width, height};
  MapDialogRect(dialog, &units);
  RECT client;
  GetClientRect(dialog, &client);
  if (client.right == units.right && client.bottom == units.bottom)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "client " << client.right << " x " << client.bottom
                                       << ", expected " << units.right << " x " << units.bottom;
}
#endif

}  // namespace zk::test
