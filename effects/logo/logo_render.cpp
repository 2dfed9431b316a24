#include "logo_render.h"

#include <cstring>

#include "bitmap_reader.h"
#include "depth_clear.h"
#include "image_fill.h"
#include "logo_mask.h"
#include "logo_motion.h"
#include "logo_params.h"
#include "triangle_bands.h"

namespace zk {
namespace {

// The front and back colours of a card: never shown, since both looks carry a texture.
constexpr uint32_t kFrontColour = 255;
constexpr uint32_t kBackColour = 65280;

// One layer ready to draw.
struct LayerDraw {
  bool used;
  QuadCard card;
  int32_t invertMask;
  float opacity;
};

struct Scenes {
  ImagePlane a;
  ImagePlane b;
};

// The picture behind the layers when backgroundType is 1: the user's file, else the
// built-in mask picture; false when neither decodes.
bool ReadBackgroundPicture(const LogoParams& p, BitmapResourceLoader loadResource,
                           ImagePlane* picture) {
  if (p.backgroundFile[0] != '\0') {
    char path[kLogoBackgroundPathBytes + 1];
    CopyRecordPath(p.backgroundFile, kLogoBackgroundPathBytes, path);
    if (ReadBmpFile(picture, path)) return true;
  }
  return loadResource != nullptr && loadResource(picture, kDefaultMaskResource);
}

void CopyScene(const FrameView& v, const uint8_t* scene, int32_t width, int32_t first,
               int32_t end) {
  for (int32_t row = first; row < end; ++row) {
    std::memcpy(v.outFrame + static_cast<intptr_t>(row) * v.stride,
                scene + static_cast<intptr_t>(row) * v.stride, static_cast<size_t>(width) * 3);
  }
}

// The background of stored rows [first, end): a scene or the colour. A picture background is
// painted whole before the bands (PaintPictureBackground).
void PaintBackgroundRows(const LogoParams& p, const FrameView& v, ImagePlane* out, int32_t first,
                         int32_t end) {
  switch (p.backgroundType) {
    case kBackgroundSceneA:
      CopyScene(v, v.sceneAFrame, out->width, first, end);
      return;
    case kBackgroundSceneB:
      CopyScene(v, v.sceneBFrame, out->width, first, end);
      return;
    case kBackgroundBitmap:
      return;
    default:
      break;
  }
  const int32_t step = EffectiveRowStep(*out);
  FillRect(out, 0, first * step, out->width, (end - first) * step, p.backgroundColor);
}

// The picture stretched over the whole frame, or the colour when neither picture decodes.
void PaintPictureBackground(const LogoParams& p, BitmapResourceLoader loadResource,
                            ImagePlane* out) {
  ImagePlane picture{};
  if (ReadBackgroundPicture(p, loadResource, &picture)) {
    StretchBilinear(out, 0, 0, out->width, out->height, &picture, 0, 0, picture.width,
                    picture.height);
    ReleaseImage(&picture);
    return;
  }
  FillRect(out, 0, 0, out->width, out->height, p.backgroundColor);
}

// The card of layer k moved to where its time puts it, with the scene on each side.
LayerDraw PrepareLayer(const LogoParams& p, int32_t k, float progress, const LogoGeometry& g,
                       const MotionEntry table[kMotionCount], Scenes* scenes) {
  const LayerSettings& s = p.layers[k];
  LayerDraw d{};
  d.used = s.useLayer != 0;
  if (!d.used) return d;
  const bool sceneA = IsSceneALayer(k);
  const float t = LayerTime(progress, s.start, s.end);
  // Scene A's layers leave their place as t grows; scene B's arrive and rest at t = 1.
  const double amount = sceneA ? double{t} : 1.0 - t;
  RestingCorners(g, d.card.corner);
  MoveLayerCorners(g, table, s, amount, d.card.corner);
  const ImagePlane* own = sceneA ? &scenes->a : &scenes->b;
  const ImagePlane* other = sceneA ? &scenes->b : &scenes->a;
  d.card.front = FaceLook{kFrontColour, p.impact, p.shadeExponent, own};
  d.card.back =
      FaceLook{kBackColour, p.impact, p.shadeExponent, s.alternateBack != 0 ? other : own};
  d.invertMask = IsBackgroundLayer(k) ? 1 : 0;
  d.opacity = s.dissolve != 0 ? static_cast<float>(sceneA ? 1.0 - t : double{t}) : 1.0f;
  return d;
}

void DrawLayer(const LayerDraw& d, ImagePlane* out, const CameraSetup& camera, Scenes* scenes) {
  if (!d.used) return;
  scenes->a.invertMask = scenes->b.invertMask = d.invertMask;
  scenes->a.opacity = scenes->b.opacity = d.opacity;
  DrawQuad(out, &camera, &d.card);
}

// Room for W x H depth entries, or null when memory is short.
float* DepthBuffer(int32_t width, int32_t height, const ScratchSource& scratch) {
  const uint64_t entries = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (entries > SIZE_MAX / sizeof(float)) return nullptr;
  return static_cast<float*>(scratch.allocate(static_cast<size_t>(entries) * sizeof(float)));
}

// The most triangles a frame draws: two a card, seven cards over the two passes.
constexpr int32_t kLogoTriangles = 14;

// Bands of triangles a thread (see DrawInBands): where the mask uncovers a card its pixels
// cost little, which the census cannot see, so the threads share more bands to the end.
constexpr int32_t kLogoBandsPerThread = 4;

}  // namespace

int32_t RenderLogo(const FrameView& v, BitmapResourceLoader loadResource,
                   const ScratchSource& scratch) {
  if (v.paramBlock == nullptr) return 0;
  const LogoParams& p = *static_cast<const LogoParams*>(v.paramBlock);
  const int32_t s = v.lineStep;
  const int32_t W = v.width;
  const int32_t H = v.height * s;
  if (W <= 0 || v.height <= 0) return 1;

  ImagePlane out{v.outFrame, 3, v.stride, W, H, s};
  Scenes scenes{{const_cast<uint8_t*>(v.sceneAFrame), 3, v.stride, W, H, s},
                {const_cast<uint8_t*>(v.sceneBFrame), 3, v.stride, W, H, s}};
  uint8_t* mask = BuildLogoMask(p, W, H, s, loadResource, scratch);
  scenes.a.mask = scenes.b.mask = mask;
  if (p.backgroundType == kBackgroundBitmap) PaintPictureBackground(p, loadResource, &out);

  const LogoGeometry g = MakeLogoGeometry(W, H);
  float* depth = DepthBuffer(W, H, scratch);
  if (depth == nullptr) {
    // Declined, with the background painted as ever.
    PaintBackgroundRows(p, v, &out, 0, StoredRows(out));
    if (mask != nullptr) scratch.release(mask);
    return 0;
  }
  MotionEntry table[kMotionCount];
  BuildMotionTable(g, table);

  const uint32_t distance = static_cast<uint32_t>(W * 1.5);
  const int32_t storedRows = StoredRows(out);
  DrawInBands(
      storedRows, W, v.stride, kLogoTriangles, kLogoBandsPerThread, [&](TriangleBand* band) {
        // The layers point at the band's own scenes, whose coverage settings each layer sets.
        Scenes own = scenes;
        ImagePlane bandOut = out;
        const int32_t first = band != nullptr ? band->firstRow : 0;
        const int32_t end = band != nullptr ? band->endRow : storedRows;
        PaintBackgroundRows(p, v, &bandOut, first, end);
        ClearDepth(depth + static_cast<size_t>(first) * W, static_cast<size_t>(end - first) * W);
        LayerDraw layers[kLogoLayerCount];
        for (int32_t k = 0; k < kLogoLayerCount; ++k) {
          layers[k] = PrepareLayer(p, k, v.progress, g, table, &own);
        }
        // The layers behind first, without the depth test, so that what the second pass leaves
        // uncovered still shows them; then every layer through the depth buffer.
        CameraSetup camera{Point3{10.0f, 0.0f, 0.0f}, 0xFFFFFF, distance, nullptr, 0, band};
        for (int32_t k : {kSceneBBackground, kSceneBForeground, kSceneABackground}) {
          DrawLayer(layers[k], &bandOut, camera, &own);
        }
        camera.depthBuffer = depth;
        for (int32_t k :
             {kSceneAForeground, kSceneABackground, kSceneBForeground, kSceneBBackground}) {
          DrawLayer(layers[k], &bandOut, camera, &own);
        }
      });

  scratch.release(depth);
  if (mask != nullptr) scratch.release(mask);
  return 1;
}

}  // namespace zk
