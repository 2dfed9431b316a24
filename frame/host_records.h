// Records exchanged with the host video editor.
//
// The byte offsets are the host's: on 32-bit targets every field sits exactly where the
// host expects it (checked below). On 64-bit targets (the native Linux build) the pointer
// fields widen to 8 bytes in the same order, so the offsets after the first pointer grow;
// the native host emulator builds these records with the same compiler, so both sides agree.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zk {

// The part of a device-independent bitmap header the plug-ins read: the frame width at
// byte 4 and the height at byte 8 (the layout of BITMAPINFOHEADER).
struct BitmapHeader {
  uint32_t headerSize;
  int32_t width;
  int32_t height;
  uint16_t planes;
  uint16_t bitCount;
  uint32_t compression;
  uint32_t imageSize;
  int32_t xPelsPerMeter;
  int32_t yPelsPerMeter;
  uint32_t colorsUsed;
  uint32_t colorsImportant;
};

// Filled by vxDLLGetEffInfo. Bytes 25-44, 194-195, 224-247 and 252-255 belong to the host.
struct EffectInfo {
  char groupName[25];
  uint8_t hostBytes25[20];
  char effectName[20];
  char description[129];
  uint8_t hostBytes194[2];
  uint32_t baseFlags;
  uint32_t variantMask;
  uint32_t variantDefault;
  uint32_t variantAlternate;
  uint32_t extraMask;
  uint32_t extraDefault;
  uint32_t extraAlternate;
  uint8_t hostBytes224[24];
  uint32_t auxWord;
  uint8_t hostBytes252[4];
  uint32_t spareWord;
  int32_t paramBlockSize;
  uint32_t tailValue;
};

// One render call: the three frames, the rectangle to fill and the transition position.
struct ApplyRequest {
  const BitmapHeader* outputHeader;
  uint8_t* outputPixels;
  const void* hostPointer8;
  const uint8_t* sceneAPixels;
  const void* hostPointer16;
  const uint8_t* sceneBPixels;
  uint32_t hostWord24;
  uint32_t variantFlags;
  uint32_t extraFlags;
  uint32_t extraColor;
  uint32_t hostWords40[3];
  float progress;
  int32_t rectLeft;
  int32_t rectTop;
  int32_t rectWidth;
  int32_t rectHeight;
  uint32_t hostWord72;
  void* paramBlock;
  int32_t requestMode;
};

// A configure call: the owner window and the settings record to edit.
struct ConfigureRequest {
  void* parentWindow;
  uint32_t hostWord4;
  int32_t graphBarCount;
  uint32_t hostWords12[2];
  void* paramBlock;
};

// The host's value of ApplyRequest::requestMode that asks a plug-in to decline the call.
constexpr int32_t kRequestModeDecline = 1;

// Mode argument of vxDLLApplyEffect that selects the settings dialog.
constexpr int32_t kApplyModeConfigure = 0;

static_assert(sizeof(BitmapHeader) == 40, "BITMAPINFOHEADER layout");
static_assert(offsetof(BitmapHeader, width) == 4 && offsetof(BitmapHeader, height) == 8,
              "frame width at byte 4, height at byte 8");

static_assert(offsetof(EffectInfo, groupName) == 0, "EffectInfo layout");
static_assert(offsetof(EffectInfo, effectName) == 45, "EffectInfo layout");
static_assert(offsetof(EffectInfo, description) == 65, "EffectInfo layout");
static_assert(offsetof(EffectInfo, baseFlags) == 196, "EffectInfo layout");
static_assert(offsetof(EffectInfo, variantMask) == 200, "EffectInfo layout");
static_assert(offsetof(EffectInfo, variantDefault) == 204, "EffectInfo layout");
static_assert(offsetof(EffectInfo, variantAlternate) == 208, "EffectInfo layout");
static_assert(offsetof(EffectInfo, extraMask) == 212, "EffectInfo layout");
static_assert(offsetof(EffectInfo, extraDefault) == 216, "EffectInfo layout");
static_assert(offsetof(EffectInfo, extraAlternate) == 220, "EffectInfo layout");
static_assert(offsetof(EffectInfo, auxWord) == 248, "EffectInfo layout");
static_assert(offsetof(EffectInfo, spareWord) == 256, "EffectInfo layout");
static_assert(offsetof(EffectInfo, paramBlockSize) == 260, "EffectInfo layout");
static_assert(offsetof(EffectInfo, tailValue) == 264, "EffectInfo layout");
static_assert(sizeof(EffectInfo) == 268, "EffectInfo layout");

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(ApplyRequest, outputHeader) == 0, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, outputPixels) == 4, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, sceneAPixels) == 12, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, sceneBPixels) == 20, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, variantFlags) == 28, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, extraFlags) == 32, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, extraColor) == 36, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, progress) == 52, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, rectLeft) == 56, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, rectTop) == 60, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, rectWidth) == 64, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, rectHeight) == 68, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, paramBlock) == 76, "ApplyRequest layout");
static_assert(offsetof(ApplyRequest, requestMode) == 80, "ApplyRequest layout");
static_assert(sizeof(ApplyRequest) == 84, "ApplyRequest layout");

static_assert(offsetof(ConfigureRequest, parentWindow) == 0, "ConfigureRequest layout");
static_assert(offsetof(ConfigureRequest, graphBarCount) == 8, "ConfigureRequest layout");
static_assert(offsetof(ConfigureRequest, paramBlock) == 20, "ConfigureRequest layout");
static_assert(sizeof(ConfigureRequest) == 24, "ConfigureRequest layout");
#endif

}  // namespace zk
