// The fixture of a module's live dialog tests: the built module opened on its default
// record, which the tests read and write as the module's record type.
#pragma once
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <cstring>

#include "dialog_driver.h"
#include "float_bits.h"
#include "test_support.h"

namespace zk::test {

template <class Params>
class ModuleDialogTest : public ::testing::Test {
 protected:
  explicit ModuleDialogTest(const char* module) : module_(module) {}
  void SetUp() override { ASSERT_TRUE(OpenBuiltEffect(module_, &effect_)); }
  void TearDown() override { CloseEffect(&effect_); }

  Params& Edit() { return *reinterpret_cast<Params*>(effect_.params.data()); }
  Params Block() const { return BlockAs<Params>(effect_); }
  void Use(const Params& p) { std::memcpy(effect_.params.data(), &p, sizeof p); }

  const char* module_;
  HostedEffect effect_;
};

}  // namespace zk::test

#endif  // _WIN32
