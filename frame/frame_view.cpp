#include "frame_view.h"

namespace zk {

FrameView DecodeApplyRequest(const ApplyRequest& request, int32_t fieldMode, bool withOrigin) {
  FrameView v{};
  v.frameWidth = request.outputHeader->width;
  v.frameHeight = request.outputHeader->height;
  v.stride = FrameStride(v.frameWidth);
  const int32_t offset = withOrigin ? RectOffset(request.rectLeft, request.rectTop, v.stride) : 0;
  v.outFrame = request.outputPixels;
  v.sceneAFrame = request.sceneAPixels;
  v.sceneBFrame = request.sceneBPixels;
  v.out = request.outputPixels + offset;
  v.sceneA = request.sceneAPixels + offset;
  v.sceneB = request.sceneBPixels + offset;
  v.width = request.rectWidth;
  v.height = request.rectHeight;
  // Hosts are meant to pass 0..1; anything else (NaN, infinities, overshoot) is held to the
  // nearest end so that no effect computes positions or weights from it.
  const float p = request.progress;
  v.progress = p >= 0.0f ? (p <= 1.0f ? p : 1.0f) : 0.0f;
  v.variantFlags = request.variantFlags;
  v.extraFlags = request.extraFlags;
  v.extraColor = request.extraColor;
  v.paramBlock = request.paramBlock;
  v.lineStep = fieldMode != 0 ? 2 : 1;
  return v;
}

}  // namespace zk
