// The two built-in sample scenes, drawn by code: scene A a mountain lake at sunset,
// scene B a lighthouse on a sunny coast. Both have fine detail, strong colour, and
// bright and dark areas, since several transitions react to brightness and edges.
#pragma once

#include <cstdint>

#include "frame_image.h"

namespace zk {

FrameImage DrawSunsetLake(int32_t width, int32_t height);
FrameImage DrawLighthouseCoast(int32_t width, int32_t height);

}  // namespace zk
