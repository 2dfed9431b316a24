// Frame addressing, the random generator and the host record layouts.
#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "cpu_features.h"
#include "frame_view.h"
#include "host_records.h"
#include "kernel_choice.h"
#include "rand15.h"

namespace zk {
namespace {

TEST(FrameAddressing, StrideRoundsRowsUpToFourBytes) {
  EXPECT_EQ(4, FrameStride(1));
  EXPECT_EQ(8, FrameStride(2));
  EXPECT_EQ(12, FrameStride(4));
  EXPECT_EQ(16, FrameStride(5));
  EXPECT_EQ(2160, FrameStride(720));
  EXPECT_EQ(5760, FrameStride(1920));
}

TEST(FrameAddressing, RectOffsetCountsRowsThenPixels) {
  const int32_t stride = FrameStride(10);
  EXPECT_EQ(3 * stride + 21, RectOffset(7, 3, stride));
  EXPECT_EQ(0, RectOffset(0, 0, stride));
}

TEST(FrameAddressing, DecodingAppliesTheOriginUnlessTheEffectAddressesTheFrame) {
  BitmapHeader header{};
  header.width = 10;
  header.height = 6;
  uint8_t out[192], a[192], b[192];
  ApplyRequest r{};
  r.outputHeader = &header;
  r.outputPixels = out;
  r.sceneAPixels = a;
  r.sceneBPixels = b;
  r.rectLeft = 7;
  r.rectTop = 3;
  r.rectWidth = 2;
  r.rectHeight = 1;
  r.progress = 0.25f;
  const FrameView v = DecodeApplyRequest(r, 5, true);
  EXPECT_EQ(32, v.stride);
  EXPECT_EQ(out + 117, v.out);
  EXPECT_EQ(a + 117, v.sceneA);
  EXPECT_EQ(b + 117, v.sceneB);
  EXPECT_EQ(2, v.lineStep);
  EXPECT_EQ(6, v.frameHeight);
  const FrameView whole = DecodeApplyRequest(r, 0, false);
  EXPECT_EQ(out, whole.out);
  EXPECT_EQ(1, whole.lineStep);
}

TEST(Rand15, SequenceFromTheUnseededState) {
  // state = state * 214013 + 2531011; result (state >> 16) & 0x7FFF, from state 1.
  Rand15Seed(1);
  EXPECT_EQ(41, Rand15Next());
  EXPECT_EQ(18467, Rand15Next());
  EXPECT_EQ(6334, Rand15Next());
  EXPECT_EQ(26500, Rand15Next());
  Rand15Seed(0);
  EXPECT_EQ(38, Rand15Next());  // 2531011 >> 16
  EXPECT_EQ(2531011u, Rand15State());
}

TEST(HostRecords, DescriptionRecordOffsets) {
  EXPECT_EQ(0u, offsetof(EffectInfo, groupName));
  EXPECT_EQ(45u, offsetof(EffectInfo, effectName));
  EXPECT_EQ(65u, offsetof(EffectInfo, description));
  EXPECT_EQ(196u, offsetof(EffectInfo, baseFlags));
  EXPECT_EQ(212u, offsetof(EffectInfo, extraMask));
  EXPECT_EQ(248u, offsetof(EffectInfo, auxWord));
  EXPECT_EQ(260u, offsetof(EffectInfo, paramBlockSize));
  EXPECT_EQ(264u, offsetof(EffectInfo, tailValue));
}

TEST(HostRecords, RequestOffsetsOn32BitTargets) {
  if (sizeof(void*) != 4) GTEST_SKIP() << "pointer fields widen on 64-bit targets";
  EXPECT_EQ(12u, offsetof(ApplyRequest, sceneAPixels));
  EXPECT_EQ(20u, offsetof(ApplyRequest, sceneBPixels));
  EXPECT_EQ(52u, offsetof(ApplyRequest, progress));
  EXPECT_EQ(76u, offsetof(ApplyRequest, paramBlock));
  EXPECT_EQ(80u, offsetof(ApplyRequest, requestMode));
  EXPECT_EQ(8u, offsetof(ConfigureRequest, graphBarCount));
  EXPECT_EQ(20u, offsetof(ConfigureRequest, paramBlock));
}

}  // namespace
}  // namespace zk

namespace zk {
namespace {

TEST(FrameAddressing, ProgressOutsideZeroToOneIsHeldToTheNearestEnd) {
  BitmapHeader header{};
  header.width = 4;
  header.height = 4;
  ApplyRequest r{};
  r.outputHeader = &header;
  const float cases[][2] = {{0.25f, 0.25f}, {-0.5f, 0.0f}, {1.5f, 1.0f}, {1e30f, 1.0f},
                            {-1e30f, 0.0f}, {0.0f, 0.0f},  {1.0f, 1.0f}};
  for (const auto& c : cases) {
    r.progress = c[0];
    EXPECT_EQ(c[1], DecodeApplyRequest(r, 0, true).progress) << c[0];
  }
  r.progress = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(0.0f, DecodeApplyRequest(r, 0, true).progress);
  r.progress = std::numeric_limits<float>::infinity();
  EXPECT_EQ(1.0f, DecodeApplyRequest(r, 0, true).progress);
}

}  // namespace
TEST(CpuFeatures, Avx2AsTheSystemReportsIt) {
  // The kernel lists avx2 among a processor's flags only where it also saves the registers.
  std::ifstream info("/proc/cpuinfo");
  if (!info) {
    GTEST_SKIP() << "no /proc/cpuinfo to compare with";
  }
  std::string line;
  bool listed = false;
  while (std::getline(info, line)) {
    if (line.rfind("flags", 0) != 0) continue;
    std::istringstream words(line);
    std::string word;
    while (words >> word) listed = listed || word == "avx2";
    break;
  }
  EXPECT_EQ(listed, HasAvx2());
  // The wide kernels never run where the processor lacks them.
  EXPECT_TRUE(HasAvx2() || !WideKernels());
}

}  // namespace zk
