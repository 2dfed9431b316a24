// The renderer's fast per-pixel forms against their plain forms, byte for byte: the SSE2
// lit texel against LitTexel, the inlined coverage against MaskCoverage, and whole
// triangles drawn through the three-channel fast span against the plain span (a
// four-channel picture takes the plain path; its first three bytes must be the same).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "coverage.h"
#include "coverage_fast.h"
#include "kit3d_random.h"
#include "texel.h"
#include "triangle_renderer.h"

namespace zk {
namespace {

using test::Next;
using test::Uniform;

struct Texture {
  std::vector<uint8_t> pixels;
  std::vector<uint8_t> mask;
  ImagePlane plane;
  // Exactly as many bytes as the stored rows need (no spare row), so a read past the last
  // texel is caught by the sanitizer build.
  Texture(int32_t width, int32_t height, int32_t rowStep, int32_t bpp, int32_t pad, uint32_t seed)
      : plane{} {
    const int32_t stride = width * bpp + pad;
    const int32_t rows = (height + rowStep - 1) / rowStep;
    pixels.resize(static_cast<size_t>(stride) * rows - pad);
    for (uint8_t& b : pixels) b = static_cast<uint8_t>(Next(&seed));
    mask.resize(static_cast<size_t>(width) * rows);
    for (uint8_t& b : mask) {
      const uint32_t r = Next(&seed) % 4;
      b = r == 0 ? 0 : (r == 1 ? 255 : static_cast<uint8_t>(Next(&seed)));
    }
    plane = ImagePlane{pixels.data(), bpp, stride, width, height, rowStep};
  }
};

// Positions inside, on the edges, just outside, far outside and not numbers at all.
double Coordinate(uint32_t* s, int32_t size) {
  switch (Next(s) % 10) {
    case 0:
      return Uniform(s, -3.0, 0.0);
    case 1:
      return size + Uniform(s, -1.0, 2.0);
    case 2:
      return static_cast<double>(Next(s) % (size + 1));
    case 3: {
      const double special[] = {std::numeric_limits<double>::quiet_NaN(), 1e12, -1e12,
                                std::numeric_limits<double>::infinity(),  -0.0, -0.99};
      return special[Next(s) % 6];
    }
    default:
      return Uniform(s, 0.0, size);
  }
}

TexelShading Shading(uint32_t* s) {
  TexelShading sh{};
  const double cosines[] = {0.0, -0.0, 0.7, -0.4, 1.0, -1.0};
  sh.cosine = cosines[Next(s) % 6];
  const float shades[] = {0.0f, 0.25f, 0.3333333f, 1.0f, 0.999f, 1.5f};
  sh.shade = shades[Next(s) % 6];
  for (int c = 0; c < 4; ++c) sh.light[c] = static_cast<uint8_t>(Next(s));
  sh.channels = 3;
  return sh;
}

TEST(SpeedKit3dTexel, Sse2TexelEqualsPlainTexel) {
  uint32_t seed = 12345;
  const int32_t sizes[][2] = {{1, 1}, {2, 2}, {3, 5}, {17, 9}, {64, 33}};
  for (const auto& size : sizes) {
    for (int32_t rowStep : {1, 2}) {
      for (int32_t bpp : {3, 4}) {
        Texture tex(size[0], size[1], rowStep, bpp, 3, Next(&seed));
        for (int i = 0; i < 4000; ++i) {
          const TexelShading sh = Shading(&seed);
          const double U = Coordinate(&seed, size[0]);
          const double V = Coordinate(&seed, size[1]);
          const bool had = Next(&seed) % 2 == 0;
          uint8_t plain[4] = {1, 2, 3, 4}, fast[4] = {1, 2, 3, 4};
          bool havePlain = had, haveFast = had;
          LitTexel(tex.plane, sh, U, V, &havePlain, plain);
          LitTexel3(tex.plane, sh, U, V, &haveFast, fast);
          ASSERT_EQ(havePlain, haveFast);
          ASSERT_EQ(0, std::memcmp(plain, fast, 4))
              << size[0] << "x" << size[1] << " step " << rowStep << " bpp " << bpp << " at " << U
              << "," << V << " shade " << sh.shade << " cos " << sh.cosine;
        }
      }
    }
  }
}

TEST(SpeedKit3dTexel, InlinedCoverageEqualsMaskCoverage) {
  uint32_t seed = 777;
  const int32_t sizes[][2] = {{1, 1}, {2, 2}, {3, 5}, {17, 9}, {64, 33}};
  for (const auto& size : sizes) {
    for (int32_t rowStep : {1, 2, 3}) {
      for (int32_t invert : {0, 1}) {
        Texture tex(size[0], size[1], rowStep, 3, 0, Next(&seed));
        tex.plane.mask = tex.mask.data();
        tex.plane.invertMask = invert;
        for (int i = 0; i < 4000; ++i) {
          const double U = Coordinate(&seed, size[0]);
          const double V = Coordinate(&seed, size[1]);
          const float plain = MaskCoverage(tex.plane, U, V);
          const float fast = MaskCoverageFast(tex.plane, U, V);
          ASSERT_EQ(0, std::memcmp(&plain, &fast, sizeof plain)) << U << "," << V;
        }
      }
    }
  }
  ImagePlane unmasked{};
  EXPECT_EQ(MaskCoverageFast(unmasked, 0.5, 0.5), 1.0f);
}

// A picture with `bpp` bytes per pixel whose first three bytes of every pixel come from
// `seed`, the fourth from elsewhere.
struct Picture {
  std::vector<uint8_t> bytes;
  ImagePlane plane;
  Picture(int32_t width, int32_t height, int32_t rowStep, int32_t bpp, uint32_t seed) : plane{} {
    const int32_t stride = width * bpp + 1;
    const int32_t rows = (height + rowStep - 1) / rowStep;
    bytes.resize(static_cast<size_t>(stride) * rows);
    uint32_t other = seed ^ 0x5555u;
    for (int32_t r = 0; r < rows; ++r) {
      for (int32_t x = 0; x < width; ++x) {
        uint8_t* p = bytes.data() + static_cast<size_t>(r) * stride + static_cast<size_t>(x) * bpp;
        for (int32_t c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(Next(&seed));
        for (int32_t c = 3; c < bpp; ++c) p[c] = static_cast<uint8_t>(Next(&other));
      }
    }
    plane = ImagePlane{bytes.data(), bpp, stride, width, height, rowStep};
  }
  const uint8_t* At(int32_t x, int32_t storedRow) const {
    return bytes.data() + static_cast<size_t>(storedRow) * plane.stride +
           static_cast<size_t>(x) * plane.bytesPerPixel;
  }
};

RasterVertex RandomVertex(uint32_t* s, int32_t w, int32_t h, int32_t tw, int32_t th) {
  return RasterVertex{static_cast<float>(Uniform(s, -0.3 * w, 1.3 * w)),
                      static_cast<float>(Uniform(s, -0.3 * h, 1.3 * h)),
                      static_cast<float>(Uniform(s, -40.0, 60.0)),
                      static_cast<float>(Uniform(s, -2.0, tw + 2.0)),
                      static_cast<float>(Uniform(s, -2.0, th + 2.0)),
                      0.0f};
}

TEST(SpeedKit3dTexel, FastSpanDrawsWhatThePlainSpanDraws) {
  uint32_t seed = 4242;
  const int32_t sizes[][2] = {{1, 1}, {2, 2}, {3, 5}, {31, 17}, {97, 61}};
  for (const auto& size : sizes) {
    const int32_t W = size[0], H = size[1];
    for (int32_t rowStep : {1, 2}) {
      for (int32_t kind = 0; kind < 4; ++kind) {  // opaque, masked, translucent, inverted
        Picture fast(W, H, rowStep, 3, 99), plain(W, H, rowStep, 4, 99);
        Picture texFast(23, 19, 1, 4, 7), texPlain(23, 19, 1, 4, 7);
        std::vector<uint8_t> mask(23 * 19);
        for (uint8_t& b : mask) b = static_cast<uint8_t>(Next(&seed) % 3 == 0 ? 255 : Next(&seed));
        for (ImagePlane* t : {&texFast.plane, &texPlain.plane}) {
          t->mask = kind == 1 || kind == 3 ? mask.data() : nullptr;
          t->invertMask = kind == 3 ? 1 : 0;
          t->opacity = kind == 2 ? 0.6f : 1.0f;
        }
        const size_t depthCount = static_cast<size_t>(W) * ((H + rowStep - 1) / rowStep);
        std::vector<float> depthFast(depthCount, kDepthClear), depthPlain(depthCount, kDepthClear);
        for (int i = 0; i < 40; ++i) {
          const bool useDepth = i % 3 != 0;
          CameraSetup camFast{Point3{10, 0, 0}, 0xFFE0C0, 120,
                              useDepth ? depthFast.data() : nullptr, i % 5 == 0 ? 1 : 0};
          CameraSetup camPlain = camFast;
          camPlain.depthBuffer = useDepth ? depthPlain.data() : nullptr;
          ShadedTriangle t{};
          for (RasterVertex& v : t.vertex) v = RandomVertex(&seed, W, H, 23, 19);
          t.colour = Next(&seed);
          t.impact = static_cast<float>(Uniform(&seed, 0.0, 1.2));
          t.gloss = 1 + static_cast<int32_t>(Next(&seed) % 3);
          ShadedTriangle u = t;
          t.texture = &texFast.plane;
          u.texture = &texPlain.plane;
          ASSERT_EQ(DrawTriangle(&fast.plane, &camFast, &t),
                    DrawTriangle(&plain.plane, &camPlain, &u));
        }
        for (int32_t r = 0; r < (H + rowStep - 1) / rowStep; ++r) {
          for (int32_t x = 0; x < W; ++x) {
            ASSERT_EQ(0, std::memcmp(fast.At(x, r), plain.At(x, r), 3))
                << W << "x" << H << " step " << rowStep << " kind " << kind << " at " << x << ","
                << r;
          }
        }
        ASSERT_EQ(0, std::memcmp(depthFast.data(), depthPlain.data(), depthCount * sizeof(float)));
      }
    }
  }
}

}  // namespace
}  // namespace zk
