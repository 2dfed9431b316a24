// The string table reaches the host as code page 936 bytes: natively always, and from the
// Windows resources when the host runs in a Chinese locale.
#include <gtest/gtest.h>

#include <cstring>

#include "test_support.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace zk {
namespace {

TEST(ModuleText, CrossfadeNamesAreCodePage936Bytes) {
#if defined(_WIN32)
  if (GetACP() != 936) GTEST_SKIP() << "run under LC_ALL=zh_CN.UTF-8 to read the Chinese texts";
#endif
  HostedEffect e;
  ASSERT_TRUE(test::OpenBuiltEffect("crossfade", &e));
  // 交 = BD BB, 叉 = B2 E6, 外 = CD E2, 加 = BC D3.
  EXPECT_STREQ("\xBD\xBB\xB2\xE6-Zelkor", e.info.effectName);
  EXPECT_STREQ("A\xCD\xE2\xBC\xD3", e.info.groupName);
  EXPECT_EQ(0, std::strncmp(e.info.description, "\xD6\xBB\xCA\xC7", 4));  // 只是
  EXPECT_EQ("交叉-Zelkor", ModuleTextToUtf8(e.info.effectName, sizeof e.info.effectName));
  CloseEffect(&e);
}

}  // namespace
}  // namespace zk
