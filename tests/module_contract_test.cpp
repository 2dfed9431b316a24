// What every built module owes the host, checked over all modules found in modules/:
// the description record, declining requests, the configure call and tiny rectangles.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "test_support.h"

namespace zk {
namespace {

using test::OutsideRectUntouched;
using test::PatternFrame;

std::vector<std::string> BuiltModules() { return ListModuleNames(ZELKOR_TEST_MODULE_DIR); }

// The two effects that render whatever requestMode holds.
bool RendersEveryRequestMode(const std::string& name) {
  return name == "waves" || name == "bubble";
}

TEST(ModuleContract, ModulesWereBuilt) { EXPECT_FALSE(BuiltModules().empty()); }

TEST(ModuleContract, DescriptionKeepsTheHostsBytes) {
  for (const std::string& name : BuiltModules()) {
    SCOPED_TRACE(name);
    LoadedModule m;
    std::string error;
    ASSERT_TRUE(LoadModule(ModulePath(ZELKOR_TEST_MODULE_DIR, name), &m, &error)) << error;
    EXPECT_EQ(1, m.getEffInfo(nullptr));
    EffectInfo info;
    std::memset(&info, 0xAB, sizeof info);
    EXPECT_EQ(1, m.getEffInfo(&info));
    const uint8_t* raw = reinterpret_cast<const uint8_t*>(&info);
    for (int i = 25; i < 45; ++i) ASSERT_EQ(0xAB, raw[i]) << "byte " << i;
    for (int i = 194; i < 196; ++i) ASSERT_EQ(0xAB, raw[i]) << "byte " << i;
    for (int i = 224; i < 248; ++i) ASSERT_EQ(0xAB, raw[i]) << "byte " << i;
    for (int i = 252; i < 256; ++i) ASSERT_EQ(0xAB, raw[i]) << "byte " << i;
    EXPECT_NE(nullptr, std::memchr(info.effectName, 0, sizeof info.effectName));
    EXPECT_NE(nullptr, std::memchr(info.groupName, 0, sizeof info.groupName));
    EXPECT_NE(nullptr, std::memchr(info.description, 0, sizeof info.description));
    EXPECT_GT(std::strlen(info.effectName), 0u);
    EXPECT_EQ(0u, info.baseFlags);
    EXPECT_EQ(0u, info.spareWord);
    EXPECT_EQ(40u, info.tailValue);
    if (m.getDefault != nullptr) {
      EXPECT_GT(info.paramBlockSize, 0);
      EXPECT_EQ(1, m.getDefault(nullptr));
    } else {
      EXPECT_EQ(static_cast<int32_t>(0xABABABAB), info.paramBlockSize)
          << "a module without settings must leave paramBlockSize alone";
    }
    EXPECT_EQ(0u, info.variantDefault & ~info.variantMask);
    EXPECT_EQ(0u, info.variantAlternate & ~info.variantMask);
    UnloadModule(&m);
  }
}

TEST(ModuleContract, RequestMode1IsDeclinedWithoutWriting) {
  const FrameImage a = PatternFrame(9, 6, 21);
  const FrameImage b = PatternFrame(9, 6, 22);
  for (const std::string& name : BuiltModules()) {
    if (RendersEveryRequestMode(name)) continue;
    SCOPED_TRACE(name);
    HostedEffect e;
    ASSERT_TRUE(test::OpenBuiltEffect(name, &e));
    FrameImage out = MakeFrameImage(9, 6, 0x3C);
    RenderChoices choices;
    choices.requestMode = 1;
    EXPECT_EQ(0, RenderEffectFrame(e, a, b, 0.5f, choices, &out));
    EXPECT_TRUE(OutsideRectUntouched(out, 0, 0, 0, 0, 0x3C));
    CloseEffect(&e);
  }
}

TEST(ModuleContract, ConfigureCallAnswersOneAndWithoutDialogLeavesTheBlock) {
  for (const std::string& name : BuiltModules()) {
    SCOPED_TRACE(name);
    HostedEffect e;
    ASSERT_TRUE(test::OpenBuiltEffect(name, &e));
#if defined(_WIN32)
    // Modules with settings open their modal dialog here; the dialog tests drive them.
    if (!e.params.empty()) {
      CloseEffect(&e);
      continue;
    }
#endif
    const std::vector<uint8_t> before = e.params;
    EXPECT_EQ(1, ConfigureEffect(e, nullptr, 3));
    EXPECT_EQ(before, e.params);
    CloseEffect(&e);
  }
}

TEST(ModuleContract, TinyRectanglesRenderWithoutTouchingAnythingElse) {
  struct Size {
    int32_t w, h;
  };
  for (const std::string& name : BuiltModules()) {
    SCOPED_TRACE(name);
    HostedEffect e;
    ASSERT_TRUE(test::OpenBuiltEffect(name, &e));
    for (Size s : {Size{1, 1}, Size{2, 2}, Size{3, 5}, Size{5, 3}}) {
      const FrameImage a = PatternFrame(s.w, s.h, 31);
      const FrameImage b = PatternFrame(s.w, s.h, 32);
      for (float p : {0.0f, 0.3f, 0.5f, 1.0f}) {
        for (int32_t field : {0, 1}) {
          FrameImage out = MakeFrameImage(s.w, s.h, 0x6B);
          RenderChoices choices;
          choices.fieldMode = field;
          const int32_t r = RenderEffectFrame(e, a, b, p, choices, &out);
          EXPECT_TRUE(r == 0 || r == 1);
          // Padding bytes after each row stay as they were.
          for (int32_t row = 0; row < s.h; ++row)
            for (int32_t i = s.w * 3; i < out.stride; ++i)
              ASSERT_EQ(0x6B, out.pixels[static_cast<size_t>(row) * out.stride + i])
                  << s.w << "x" << s.h << " p=" << p;
        }
      }
    }
    CloseEffect(&e);
  }
}

}  // namespace
}  // namespace zk
