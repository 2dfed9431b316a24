#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace zk::test {

FrameImage PatternFrame(int32_t width, int32_t height, uint32_t seed) {
  FrameImage f = MakeFrameImage(width, height);
  for (int32_t row = 0; row < height; ++row) {
    for (int32_t i = 0; i < width * 3; ++i) {
      uint32_t h = (static_cast<uint32_t>(row) * 7919u + static_cast<uint32_t>(i) * 104729u) ^ seed;
      h = (h ^ (h >> 7)) * 2654435761u;
      f.pixels[static_cast<size_t>(row) * f.stride + i] = static_cast<uint8_t>(h >> 24);
    }
  }
  return f;
}

FrameImage SolidFrame(int32_t width, int32_t height, uint8_t b, uint8_t g, uint8_t r) {
  FrameImage f = MakeFrameImage(width, height);
  for (int32_t row = 0; row < height; ++row) {
    for (int32_t x = 0; x < width; ++x) {
      uint8_t* p = PixelAt(f, x, row);
      p[0] = b;
      p[1] = g;
      p[2] = r;
    }
  }
  return f;
}

bool OpenBuiltEffect(const std::string& name, HostedEffect* effect) {
  std::string error;
  const bool ok = OpenEffect(ModulePath(ZELKOR_TEST_MODULE_DIR, name), effect, &error);
  EXPECT_TRUE(ok) << error;
  return ok;
}

int32_t RenderRect(HostedEffect& e, const FrameImage& a, const FrameImage& b, float p, int32_t left,
                   int32_t top, int32_t width, int32_t height, FrameImage* out,
                   RenderChoices choices) {
  choices.wholeFrame = false;
  choices.rectLeft = left;
  choices.rectTop = top;
  choices.rectWidth = width;
  choices.rectHeight = height;
  return RenderEffectFrame(e, a, b, p, choices, out);
}

bool OutsideRectUntouched(const FrameImage& out, int32_t left, int32_t top, int32_t width,
                          int32_t height, uint8_t fill) {
  for (int32_t row = 0; row < out.height; ++row) {
    for (int32_t i = 0; i < out.stride; ++i) {
      const bool inside =
          row >= top && row < top + height && i >= left * 3 && i < (left + width) * 3;
      if (!inside && out.pixels[static_cast<size_t>(row) * out.stride + i] != fill) return false;
    }
  }
  return true;
}

void ExpectDeclinesWithoutARecordOrInRequestModeOne(HostedEffect& e) {
  const FrameImage a = SolidFrame(20, 10, 1, 2, 3);
  const FrameImage untouched = MakeFrameImage(20, 10, 0x77);
  FrameImage out = untouched;
  RenderChoices c;
  c.requestMode = 1;
  EXPECT_EQ(RenderEffectFrame(e, a, a, 0.5f, c, &out), 0);
  EXPECT_EQ(out.pixels, untouched.pixels);
  e.params.clear();
  EXPECT_EQ(RenderEffectFrame(e, a, a, 0.5f, RenderChoices(), &out), 0);
  EXPECT_EQ(out.pixels, untouched.pixels);
}

void ExpectRectangleDrawsFromTheFrameOrigin(HostedEffect& e) {
  const FrameImage a = PatternFrame(60, 40, 3);
  const FrameImage b = PatternFrame(60, 40, 4);
  FrameImage shifted = MakeFrameImage(60, 40, 0x33);
  ASSERT_EQ(RenderRect(e, a, b, 0.45f, 7, 5, 30, 20, &shifted), 1);
  FrameImage origin = MakeFrameImage(60, 40, 0x33);
  ASSERT_EQ(RenderRect(e, a, b, 0.45f, 0, 0, 30, 20, &origin), 1);
  EXPECT_EQ(shifted.pixels, origin.pixels);
  EXPECT_TRUE(OutsideRectUntouched(origin, 0, 0, 30, 20, 0x33));
}

namespace {

int RunCommandOnce(const std::string& command, std::string* output) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  std::string text;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
  const int status = pclose(pipe);
  if (output != nullptr) *output = text;
#if defined(_WIN32)
  return status;
#else
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

}  // namespace

int RunZelkor(const std::string& args, std::string* output, std::string* errors) {
  const std::string errorFile = TempPath("zelkor_stderr.txt");
#if defined(_WIN32)
  const std::string command =
      "zelkor.exe " + args + (errors != nullptr ? " 2>" + errorFile : " 2>NUL");
  // Under Wine the first command shell of a process can fail to start ("not found", 9009)
  // while the drive mapping settles; a second attempt finds it.
  int status = RunCommandOnce(command, output);
  for (int attempt = 0; attempt < 2 && status == 9009; ++attempt)
    status = RunCommandOnce(command, output);
#else
  const int status = RunCommandOnce(
      "./zelkor " + args + (errors != nullptr ? " 2>" + errorFile : " 2>/dev/null"), output);
#endif
  if (errors != nullptr) {
    errors->clear();
    if (FILE* f = std::fopen(errorFile.c_str(), "rb")) {
      char buffer[4096];
      size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) errors->append(buffer, n);
      std::fclose(f);
    }
    std::remove(errorFile.c_str());
  }
  return status;
}

std::string TempPath(const std::string& name) {
  const char* dir = std::getenv("TMPDIR");
#if defined(_WIN32)
  std::string base = std::getenv("TEMP") != nullptr ? std::getenv("TEMP") : ".";
#else
  std::string base = dir != nullptr ? dir : "/tmp";
#endif
  (void)dir;
  return base + "/zelkor_test_" + name;
}

std::string FreshTempDir(const std::string& name) {
  const std::string dir = TempPath(name);
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  std::filesystem::create_directories(dir, ignored);
  return dir;
}

}  // namespace zk::test
