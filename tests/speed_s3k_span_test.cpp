// The renderer's fast walk of textured spans (three channels, three-byte textures, no
// outline) against the plain span, byte for byte: the same triangles drawn into a
// three-byte picture from a three-byte texture, and into a four-byte picture (which takes
// the plain span) from a four-byte texture whose first three bytes are the same. Textures
// are large enough that most texels take the paired loads, and stored without a spare
// byte so that a load past the last texel shows in the sanitizer build; triangles reach
// past every side of the picture and of the texture, lie flat or turned (unlit, lit,
// darkened, over-lit), with and without the depth test, in field mode, with masks of
// flat areas and soft edges, inverted, translucent. Every case runs once with the walk
// built for AVX2 (skipped on a processor without it) and once with the SSE2 walk.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "depth_clear.h"
#include "face_math.h"
#include "kernel_choice.h"
#include "kit3d_random.h"
#include "triangle_renderer.h"
#include "wide_kernel_forms.h"

namespace zk {
namespace {

using test::Next;
using test::Uniform;

// A picture of `bpp` bytes a pixel whose first three bytes of every pixel are the same for
// every bpp given the same seed. `pad` bytes follow every stored row but the last.
struct Picture {
  std::vector<uint8_t> bytes;
  ImagePlane plane;
  Picture(int32_t width, int32_t height, int32_t rowStep, int32_t bpp, int32_t pad, uint32_t seed)
      : plane{} {
    const int32_t stride = width * bpp + pad;
    const int32_t rows = (height + rowStep - 1) / rowStep;
    bytes.resize(static_cast<size_t>(stride) * (rows - 1) + static_cast<size_t>(width) * bpp);
    uint32_t other = seed ^ 0x3C3Cu;
    for (int32_t r = 0; r < rows; ++r) {
      for (int32_t x = 0; x < width; ++x) {
        uint8_t* p = At(x, r, stride, bpp);
        // Smooth ramps with noise, so neighbouring texels differ both ways.
        for (int32_t c = 0; c < 3; ++c) {
          p[c] = static_cast<uint8_t>((x * (3 + c) + r * (5 - c)) + Next(&seed) % 40);
        }
        for (int32_t c = 3; c < bpp; ++c) p[c] = static_cast<uint8_t>(Next(&other));
      }
    }
    plane = ImagePlane{bytes.data(), bpp, stride, width, height, rowStep};
  }
  uint8_t* At(int32_t x, int32_t storedRow, int32_t stride, int32_t bpp) {
    return bytes.data() + static_cast<size_t>(storedRow) * stride + static_cast<size_t>(x) * bpp;
  }
  const uint8_t* Pixel(int32_t x, int32_t storedRow) const {
    return bytes.data() + static_cast<size_t>(storedRow) * plane.stride +
           static_cast<size_t>(x) * plane.bytesPerPixel;
  }
};

// A mask of flat areas (0 and 255) with soft borders and scattered grey texels.
std::vector<uint8_t> MakeMask(int32_t width, int32_t rows, uint32_t seed) {
  std::vector<uint8_t> mask(static_cast<size_t>(width) * rows);
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t x = 0; x < width; ++x) {
      const int32_t band = (x / 9 + r / 7) % 3;
      uint8_t v = band == 0 ? 0 : (band == 1 ? 255 : static_cast<uint8_t>(x * 20 + r * 3));
      if (Next(&seed) % 17 == 0) v = static_cast<uint8_t>(Next(&seed));
      mask[static_cast<size_t>(r) * width + x] = v;
    }
  }
  return mask;
}

RasterVertex RandomVertex(uint32_t* s, int32_t w, int32_t h, int32_t tw, int32_t th) {
  return RasterVertex{static_cast<float>(Uniform(s, -0.4 * w, 1.4 * w)),
                      static_cast<float>(Uniform(s, -0.4 * h, 1.4 * h)),
                      static_cast<float>(Uniform(s, -60.0, 80.0)),
                      static_cast<float>(Uniform(s, -1.5, tw + 1.5)),
                      static_cast<float>(Uniform(s, -1.5, th + 1.5)),
                      0.0f};
}

// A card over the whole picture with the texture's own coordinates, turned about y and x
// by the given degrees (0, 0: at rest in the image plane, unlit).
QuadCard Card(int32_t w, int32_t h, float aboutY, float aboutX, const ImagePlane* texture,
              float impact) {
  QuadCard c{};
  const float r = static_cast<float>(w - 1), b = static_cast<float>(h - 1);
  c.corner[0] = RasterVertex{0, 0, 0, 0, 0, 0};
  c.corner[1] = RasterVertex{r, 0, 0, r, 0, 0};
  c.corner[2] = RasterVertex{0, b, 0, 0, b, 0};
  c.corner[3] = RasterVertex{r, b, 0, r, b, 0};
  const Point3 centre{static_cast<float>(w / 2), static_cast<float>(h / 2), 1.0f};
  if (aboutY != 0) RotateFaceAboutPoint(Axis::Y, c.corner, centre, aboutY);
  if (aboutX != 0) RotateFaceAboutPoint(Axis::X, c.corner, centre, aboutX);
  c.front = FaceLook{255, impact, 1, texture};
  c.back = FaceLook{65280, impact, 2, texture};
  return c;
}

struct Sides {
  Picture fast, plain;        // outputs: three and four bytes a pixel
  Picture texFast, texPlain;  // textures: three and four bytes a texel
  std::vector<uint8_t> mask;
  std::vector<float> depthFast, depthPlain;
  int32_t width, height, rowStep;
  Sides(int32_t w, int32_t h, int32_t rowStep, int32_t tw, int32_t th, int32_t texStep,
        uint32_t seed)
      : fast(w, h, rowStep, 3, 2, seed),
        plain(w, h, rowStep, 4, 1, seed),
        texFast(tw, th, texStep, 3, 0, seed + 1),
        texPlain(tw, th, texStep, 4, 0, seed + 1),
        mask(MakeMask(tw, (th + texStep - 1) / texStep, seed + 2)),
        width(w),
        height(h),
        rowStep(rowStep) {
    const size_t entries = static_cast<size_t>(w) * ((h + rowStep - 1) / rowStep);
    depthFast.assign(entries, kDepthClear);
    depthPlain.assign(entries, kDepthClear);
  }
  void Cover(int32_t kind) {
    for (ImagePlane* t : {&texFast.plane, &texPlain.plane}) {
      t->mask = kind == 0 || kind == 3 ? nullptr : mask.data();
      t->invertMask = kind == 2 ? 1 : 0;
      t->opacity = kind == 3 ? 0.6f : (kind == 4 ? 0.35f : 1.0f);
    }
  }
  CameraSetup Camera(bool fastSide, bool depth) {
    float* buffer = fastSide ? depthFast.data() : depthPlain.data();
    return CameraSetup{Point3{10, 0, 0}, 0xFFE0C0, static_cast<uint32_t>(width * 1.5),
                       depth ? buffer : nullptr, 0};
  }
  // The triangle drawn on both sides, each from its own texture; both give the same result.
  void DrawBoth(ShadedTriangle t, bool depth) {
    CameraSetup camFast = Camera(true, depth), camPlain = Camera(false, depth);
    ShadedTriangle u = t;
    t.texture = &texFast.plane;
    u.texture = &texPlain.plane;
    ASSERT_EQ(DrawTriangle(&fast.plane, &camFast, &t), DrawTriangle(&plain.plane, &camPlain, &u));
  }
  void ExpectSame(const char* what) {
    for (int32_t r = 0; r < (height + rowStep - 1) / rowStep; ++r) {
      for (int32_t x = 0; x < width; ++x) {
        ASSERT_EQ(0, std::memcmp(fast.Pixel(x, r), plain.Pixel(x, r), 3))
            << what << ": " << width << "x" << height << " step " << rowStep << " at " << x << ","
            << r;
      }
    }
    ASSERT_EQ(0, std::memcmp(depthFast.data(), depthPlain.data(), depthFast.size() * sizeof(float)))
        << what;
  }
};

class SpeedS3kSpanWalk : public test::WideKernelForms {};

INSTANTIATE_TEST_SUITE_P(Forms, SpeedS3kSpanWalk, ::testing::Values(true, false),
                         test::KernelFormName);

TEST_P(SpeedS3kSpanWalk, RandomTrianglesDrawWhatThePlainSpanDraws) {
  uint32_t seed = 2026;
  const int32_t sizes[][4] = {
      {1, 1, 2, 2}, {3, 5, 4, 3}, {31, 17, 64, 40}, {97, 61, 97, 61}, {160, 90, 57, 33}};
  for (const auto& size : sizes) {
    for (int32_t rowStep : {1, 2}) {
      for (int32_t kind = 0; kind < 5; ++kind) {  // opaque, masked, inverted, translucent, both
        Sides s(size[0], size[1], rowStep, size[2], size[3], rowStep, Next(&seed));
        s.Cover(kind);
        for (int i = 0; i < 60; ++i) {
          ShadedTriangle t{};
          for (RasterVertex& v : t.vertex) {
            v = RandomVertex(&seed, size[0], size[1], size[2], size[3]);
          }
          t.colour = Next(&seed);
          // Impacts above 1 light texels past 255: their low eight bits are kept.
          t.impact = static_cast<float>(Uniform(&seed, 0.0, 2.5));
          t.gloss = 1 + static_cast<int32_t>(Next(&seed) % 3);
          s.DrawBoth(t, i % 3 != 0);
        }
        s.ExpectSame("random triangles");
      }
    }
  }
}

TEST_P(SpeedS3kSpanWalk, CardsAtRestAndTurnedDrawWhatThePlainSpanDraws) {
  // Layered cards as the logo draws them: whole-picture cards at rest (w exactly 1) and
  // turned, first without and then with the depth test, one over the other.
  uint32_t seed = 55;
  const int32_t sizes[][2] = {{2, 2}, {33, 17}, {160, 90}, {203, 111}};
  const float turns[][2] = {{0, 0}, {20, 0}, {-35, 0}, {0, 25}, {12, -50}, {170, 0}, {75, 30}};
  for (const auto& size : sizes) {
    for (int32_t rowStep : {1, 2}) {
      for (int32_t kind = 0; kind < 5; ++kind) {
        Sides s(size[0], size[1] * rowStep, rowStep, size[0], size[1] * rowStep, rowStep,
                Next(&seed));
        s.Cover(kind);
        for (int pass = 0; pass < 2; ++pass) {
          for (const auto& turn : turns) {
            CameraSetup camFast = s.Camera(true, pass == 1), camPlain = s.Camera(false, pass == 1);
            const float impact = static_cast<float>(Uniform(&seed, 0.2, 1.3));
            const QuadCard a = Card(s.width, s.height, turn[0], turn[1], &s.texFast.plane, impact);
            const QuadCard b = Card(s.width, s.height, turn[0], turn[1], &s.texPlain.plane, impact);
            ASSERT_EQ(DrawQuad(&s.fast.plane, &camFast, &a),
                      DrawQuad(&s.plain.plane, &camPlain, &b));
          }
        }
        s.ExpectSame("cards");
      }
    }
  }
}

TEST_P(SpeedS3kSpanWalk, FlatCardsStepOverMaskAreasAlike) {
  // Triangles lying in the picture plane (w stays 1) whose rows keep V: the walk steps over
  // the pixels of mask areas that cover nothing, with U growing or falling along the walk
  // (the texture as it is or mirrored), areas of every length up to past the texture's
  // edge, a row of the mask at a time or with the row below differing.
  uint32_t seed = 31;
  for (int32_t kind = 1; kind < 5; ++kind) {
    for (int32_t mirrored = 0; mirrored < 2; ++mirrored) {
      Sides s(150, 40, 1, 150, 40, 1, Next(&seed));
      s.Cover(kind);
      for (size_t i = 0; i < s.mask.size();) {
        const uint8_t value = Next(&seed) % 3 == 0 ? static_cast<uint8_t>(Next(&seed)) : 0;
        const size_t run = 1 + Next(&seed) % 45;
        for (size_t k = 0; k < run && i < s.mask.size(); ++k)
          s.mask[i++] = Next(&seed) % 2 ? value : 255 - value;
      }
      for (int i = 0; i < 40; ++i) {
        const float x0 = static_cast<float>(Uniform(&seed, -20, 60));
        const float x1 = static_cast<float>(Uniform(&seed, 90, 170));
        const float y0 = static_cast<float>(Uniform(&seed, -5, 20));
        const float y1 = static_cast<float>(Uniform(&seed, 25, 45));
        const float shift = static_cast<float>(Uniform(&seed, -1.5, 1.5));
        auto at = [&](float x, float y) {
          const float u = mirrored != 0 ? 149.0f - x + shift : x + shift;
          return RasterVertex{x, y, 0.0f, u, y, 0.0f};
        };
        ShadedTriangle t{};
        t.vertex[0] = at(x0, y0);
        t.vertex[1] = at(x1, i % 2 == 0 ? y0 : y1);
        t.vertex[2] = at(i % 3 == 0 ? x1 : x0, y1);
        t.impact = 0.5f;
        t.gloss = 1;
        s.DrawBoth(t, i % 4 >= 2);
      }
      s.ExpectSame("flat cards");
    }
  }
}

TEST_P(SpeedS3kSpanWalk, TexturePositionsJustOutsideTheFirstTexelDrawAlike) {
  // Texture coordinates a hair below 0 truncate into the first texel with negative
  // fractions; with a mask those interpolate past 0..255.
  uint32_t seed = 7;
  for (int32_t kind = 0; kind < 5; ++kind) {
    Sides s(40, 30, 1, 12, 9, 1, Next(&seed));
    s.Cover(kind);
    for (int i = 0; i < 200; ++i) {
      ShadedTriangle t{};
      for (RasterVertex& v : t.vertex) {
        v = RasterVertex{static_cast<float>(Uniform(&seed, -5, 45)),
                         static_cast<float>(Uniform(&seed, -5, 35)),
                         static_cast<float>(Uniform(&seed, -3, 3)),
                         static_cast<float>(Uniform(&seed, -0.999, 0.5)),
                         static_cast<float>(Uniform(&seed, -0.999, 9.5)),
                         0.0f};
      }
      if (i % 2 == 1) std::swap(t.vertex[0].u, t.vertex[0].v);
      t.impact = 0.7f;
      t.gloss = 1;
      s.DrawBoth(t, i % 2 == 0);
    }
    s.ExpectSame("near the first texel");
  }
}

}  // namespace
}  // namespace zk

namespace zk {
namespace {

TEST(SpeedS3kSpan, DrawingIntoItsOwnTextureTheAvx2WalkDrawsWhatTheSse2WalkDraws) {
  // Each pixel may read texels that the pixels before it have just written.
  AllowWideKernels(true);
  if (!WideKernels()) GTEST_SKIP() << "the AVX2 walk does not run here";
  uint32_t seed = 404;
  for (int i = 0; i < 40; ++i) {
    const uint32_t pictureSeed = Next(&seed);
    Picture wide(64, 48, 1, 3, i % 2, pictureSeed), narrow(64, 48, 1, 3, i % 2, pictureSeed);
    ShadedTriangle t{};
    for (RasterVertex& v : t.vertex) v = RandomVertex(&seed, 64, 48, 64, 48);
    t.impact = static_cast<float>(Uniform(&seed, 0.0, 1.5));
    t.gloss = 1;
    CameraSetup camera{Point3{10, 0, 0}, 0xFFE0C0, 96, nullptr, 0};
    ShadedTriangle u = t;
    t.texture = &wide.plane;
    u.texture = &narrow.plane;
    DrawTriangle(&wide.plane, &camera, &t);
    AllowWideKernels(false);
    DrawTriangle(&narrow.plane, &camera, &u);
    AllowWideKernels(true);
    ASSERT_EQ(wide.bytes, narrow.bytes) << "triangle " << i;
  }
}

TEST(SpeedS3kSpan, DepthClearSetsEveryEntryAndNoOther) {
  for (size_t entries = 0; entries < 23; ++entries) {
    std::vector<float> buffer(entries + 2, -1.0f);
    ClearDepth(buffer.data() + 1, entries);
    EXPECT_EQ(buffer.front(), -1.0f);
    EXPECT_EQ(buffer.back(), -1.0f);
    for (size_t i = 1; i <= entries; ++i) ASSERT_EQ(buffer[i], kDepthClear) << entries << " " << i;
  }
}

}  // namespace
}  // namespace zk
