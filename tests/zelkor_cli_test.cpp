// The zelkor command line: a rendered file equals the formula, and every bad input ends
// with an error and no output file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "image_files.h"
#include "test_support.h"

namespace zk {
namespace {

using test::RunZelkor;

bool FileExists(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f != nullptr) std::fclose(f);
  return f != nullptr;
}

// Each test writes into a folder of its own, emptied first: a zelkor that exits 0 without
// writing finds no file of an earlier run to pass on.
std::string FreshTestDir() {
  return test::FreshTempDir(std::string("cli_") +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

class ZelkorCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = FreshTestDir();
    a_ = dir_ + "/a.bmp";
    b_ = dir_ + "/b.bmp";
    out_ = dir_ + "/out.bmp";
    std::string error;
    ASSERT_TRUE(WriteImageFile(a_, test::PatternFrame(7, 5, 41), &error)) << error;
    ASSERT_TRUE(WriteImageFile(b_, test::PatternFrame(7, 5, 42), &error)) << error;
  }
  std::string Render(const std::string& extra) const {
    return "render crossfade --from " + a_ + " --to " + b_ + " --out " + out_ + " " + extra;
  }
  std::string dir_, a_, b_, out_;
};

TEST_F(ZelkorCli, RenderedFileIsTheTruncatedBlend) {
  ASSERT_EQ(0, RunZelkor(Render("--progress 0.25")));
  FrameImage a, b, out;
  std::string error;
  ASSERT_TRUE(ReadBmp24(a_, &a, &error));
  ASSERT_TRUE(ReadBmp24(b_, &b, &error));
  ASSERT_TRUE(ReadBmp24(out_, &out, &error)) << error;
  for (int32_t row = 0; row < 5; ++row)
    for (int32_t i = 0; i < 21; ++i) {
      const size_t at = static_cast<size_t>(row) * a.stride + i;
      ASSERT_EQ(static_cast<int>(std::trunc(0.75 * a.pixels[at] + 0.25 * b.pixels[at])),
                out.pixels[at]);
    }
}

TEST_F(ZelkorCli, FramesSequenceAndVerboseReturnValues) {
  const std::string pattern = dir_ + "/seq_%02d.bmp";
  std::string output;
  ASSERT_EQ(0, RunZelkor("render crossfade --from " + a_ + " --to " + b_ + " --out " + pattern +
                             " --sequence 0,0x1,0.5 -v",
                         &output));
  EXPECT_NE(std::string::npos, output.find("returned 1"));
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(FileExists(dir_ + "/seq_0" + std::to_string(k) + ".bmp"));
  ASSERT_EQ(0, RunZelkor("render crossfade --from " + a_ + " --to " + b_ + " --out " + out_ +
                             " --progress 0.5 --request-mode 1 -v",
                         &output));
  EXPECT_NE(std::string::npos, output.find("returned 0"));
  EXPECT_TRUE(FileExists(out_));
}

TEST_F(ZelkorCli, BadInputsFailWithoutWritingOutput) {
  const std::string gray = dir_ + "/small.bmp";
  const std::string text = dir_ + "/text.bmp";
  std::string error;
  ASSERT_TRUE(WriteImageFile(gray, test::PatternFrame(3, 3, 1), &error));
  FILE* f = std::fopen(text.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  std::fputs("BM not really a bitmap", f);
  std::fclose(f);
  const std::string cases[] = {
      "render crossfade --from " + dir_ + "/missing.bmp --to " + b_ + " --out " + out_ +
          " --progress 0.5",
      "render crossfade --from " + a_ + " --to " + gray + " --out " + out_ + " --progress 0.5",
      "render crossfade --from " + text + " --to " + b_ + " --out " + out_ + " --progress 0.5",
      "render nosucheffect --from " + a_ + " --to " + b_ + " --out " + out_ + " --progress 0.5",
      Render("--progress abc"),
      Render("--progress 0.5 --variant 12x"),
      Render("--progress 0.5 --rect 0,0,8,5"),
      Render("--progress 0.5 --rect 5,4,3,1"),
      Render("--progress 0.5 --rect -1,0,2,2"),
      Render("--progress 0.5 --rect 1,2,3"),
      Render("--frames 0"),
      Render("--frames 3"),  // several frames need a pattern
      Render(""),
      Render("--progress 0.5 --set turnTime=1"),  // crossfade has no settings
      Render("--progress 0.5 --bogus"),
  };
  for (const std::string& args : cases) {
    EXPECT_NE(0, RunZelkor(args)) << args;
    EXPECT_FALSE(FileExists(out_)) << args;
  }
}

// A file that cannot be read or written is named with the system's reason, and an unknown
// effect is told before anything else that is wrong.
TEST_F(ZelkorCli, FailuresSayWhy) {
  const struct {
    std::string args, message;
  } cases[] = {
      {"render crossfade --from " + a_ + " --to " + b_ + " --out " + dir_ +
           "/no_such_dir/x.bmp --progress 0.5",
       dir_ + "/no_such_dir/x.bmp: cannot write (no such directory)"},
      {"render crossfade --from " + dir_ + "/gone.bmp --to " + b_ + " --out " + out_ +
           " --progress 0.5",
       dir_ + "/gone.bmp: cannot read (no such file or directory)"},
      {"render nosuch --from " + dir_ + "/gone.bmp --to " + b_ + " --out " + out_ +
           " --progress abc --variant sideways",
       "unknown effect 'nosuch'"},
  };
  for (const auto& c : cases) {
    std::string errors;
    EXPECT_NE(0, RunZelkor(c.args, nullptr, &errors)) << c.args;
    EXPECT_EQ(0u, errors.find("zelkor: " + c.message)) << errors;
    EXPECT_EQ(1, std::count(errors.begin(), errors.end(), '\n')) << errors;
  }
}

TEST(ZelkorListing, ListsCrossfadeWithItsTexts) {
  std::string output;
  ASSERT_EQ(0, RunZelkor("list", &output));
  EXPECT_NE(std::string::npos, output.find("crossfade"));
  ASSERT_EQ(0, RunZelkor("info crossfade", &output));
  EXPECT_NE(std::string::npos, output.find("tailValue        40"));
  EXPECT_NE(std::string::npos, output.find("Zelkor"));
}

}  // namespace
}  // namespace zk

namespace zk {
namespace {

TEST(ZelkorThreads, FramesAreTheSameOnOneOrSeveralThreads) {
  const std::string dir = FreshTestDir();
  const std::string a = dir + "/a.bmp", b = dir + "/b.bmp";
  std::string error;
  ASSERT_TRUE(WriteImageFile(a, test::PatternFrame(21, 9, 3), &error));
  ASSERT_TRUE(WriteImageFile(b, test::PatternFrame(21, 9, 4), &error));
  for (const char* threads : {"1", "3"}) {
    ASSERT_EQ(0, test::RunZelkor("render crossfade --from " + a + " --to " + b +
                                 " --frames 7 --threads " + threads + " --out " + dir + "/thr" +
                                 threads + "_%02d.bmp"));
  }
  for (int k = 0; k < 7; ++k) {
    std::vector<uint8_t> one, three;
    const std::string n = (k < 10 ? "0" : "") + std::to_string(k) + ".bmp";
    ASSERT_TRUE(ReadWholeFile(dir + "/thr1_" + n, &one, &error)) << error;
    ASSERT_TRUE(ReadWholeFile(dir + "/thr3_" + n, &three, &error)) << error;
    EXPECT_EQ(one, three) << k;
  }
  EXPECT_NE(0, test::RunZelkor("render crossfade --from " + a + " --to " + b +
                               " --progress 0.5 --threads 0 --out " + dir + "/thr_bad.bmp"));
}

}  // namespace
}  // namespace zk
