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
  // OK ends the dialog (a test that means another way out says so itself).
  static void CloseWithOk(DialogDriver& d) {
    d.Click(IDOK);
    ASSERT_TRUE(d.WaitClosed());
  }

  const char* module_;
  HostedEffect effect_;
};

// A module's dialog fixture with nothing of its own: `ZK_MODULE_DIALOG_TEST(Name, Params,
// "module");`
#define ZK_MODULE_DIALOG_TEST(Name, Params, module) \
  class Name : public ModuleDialogTest<Params> {    \
   protected:                                       \
    Name() : ModuleDialogTest(module) {}            \
  }

}  // namespace zk::test

#endif  // _WIN32
