// Tests run once with the AVX2 forms of the kernels and once with the SSE2 forms, each
// against the plain twins: the parameter says whether the AVX2 forms are allowed. The AVX2
// run is skipped where they cannot run (no AVX2, or the environment chose fewer).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "kernel_choice.h"

namespace zk {
namespace test {

class WideKernelForms : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    AllowWideKernels(GetParam());
    if (GetParam() && !WideKernels()) {
      GTEST_SKIP() << "the AVX2 forms do not run here (no AVX2, or ZELKOR_KERNELS/"
                      "ZELKOR_PLAIN_KERNELS chose fewer)";
    }
  }
  void TearDown() override { AllowWideKernels(true); }
};

inline std::string KernelFormName(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "Avx2" : "Sse2";
}

}  // namespace test
}  // namespace zk
