// Shared test helpers: frames with known content, module loading, the zelkor command.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "effect_host.h"
#include "frame_image.h"

namespace zk::test {

// A frame whose every byte is a fixed function of its position and seed, so that any
// byte landing in the wrong place shows.
FrameImage PatternFrame(int32_t width, int32_t height, uint32_t seed);
FrameImage SolidFrame(int32_t width, int32_t height, uint8_t b, uint8_t g, uint8_t r);

// Loads a built module from the build's modules/ folder; fails the test if it cannot.
bool OpenBuiltEffect(const std::string& name, HostedEffect* effect);

// Renders with a rectangle; `out` keeps its bytes outside the rectangle.
int32_t RenderRect(HostedEffect& e, const FrameImage& a, const FrameImage& b, float p, int32_t left,
                   int32_t top, int32_t width, int32_t height, FrameImage* out,
                   RenderChoices choices = RenderChoices());

// True when every byte outside the rectangle (padding included) equals `fill`.
bool OutsideRectUntouched(const FrameImage& out, int32_t left, int32_t top, int32_t width,
                          int32_t height, uint8_t fill);

// A module with a settings record answers 0 and writes nothing in request mode 1 and when the
// host hands no record (the record is cleared).
void ExpectDeclinesWithoutARecordOrInRequestModeOne(HostedEffect& e);

// The picture in a rectangle away from the origin is the one the same rectangle shows at the
// origin (the module draws from the frame's origin); nothing outside the rectangle changes.
void ExpectRectangleDrawsFromTheFrameOrigin(HostedEffect& e);

// Runs the built zelkor with arguments; returns its exit code, stdout in `output` and
// stderr in `errors`.
int RunZelkor(const std::string& args, std::string* output = nullptr,
              std::string* errors = nullptr);
std::string TempPath(const std::string& name);
// An empty folder under the temporary folder (emptied when it is there from an earlier run),
// so that no output of a previous run can stand in for one that was not written.
std::string FreshTempDir(const std::string& name);

}  // namespace zk::test
