#include "texel.h"

#include "float_rounding.h"
#include "float_to_int.h"
#include "texel_fast.h"

namespace zk {
namespace {

inline float F(double v) { return RoundToFloat(v); }

// One channel of a bilinear texel at byte offset o; fractions are zero for the clamped
// fallback sample.
int32_t SampleChannel(const ImagePlane& tex, int32_t o, int32_t c, bool right, bool lower, float fu,
                      float fv) {
  const uint8_t* T = tex.data;
  const int32_t bpp = tex.bytesPerPixel;
  auto rowValue = [&](int32_t at) {
    const int32_t left = T[at + c];
    if (!right) return left;
    return TruncToInt(left + (T[at + bpp + c] - left) * double{fu});
  };
  const int32_t top = rowValue(o);
  if (!lower) return top;
  const int32_t bottom = rowValue(o + tex.stride);
  return TruncToInt(top + (bottom - top) * double{fv});
}

uint8_t LightChannel(const TexelShading& s, int32_t c, int32_t val) {
  const double shade = s.shade;
  const double lit = s.cosine < 0 ? val - val * shade : val + (s.light[c] - val) * shade;
  return TruncToByteBits(lit);
}

}  // namespace

void LitTexel(const ImagePlane& tex, const TexelShading& shading, double U, double V,
              bool* haveColour, uint8_t colour[4]) {
  int32_t tu = TruncToInt(U);
  int32_t tv = TruncToInt(V);
  float fu = F(U - tu);
  float fv = F(V - tv);
  const bool inside = tu >= 0 && tu < tex.width && tv >= 0 && tv < tex.height;
  if (!inside) {
    if (*haveColour || TakeCarryAbove(shading.above, haveColour, colour)) return;
    tu = tu < 0 ? 0 : (tu >= tex.width ? tex.width - 1 : tu);
    tv = tv < 0 ? 0 : (tv >= tex.height ? tex.height - 1 : tv);
    fu = 0.0f;
    fv = 0.0f;
  }
  const int32_t step = EffectiveRowStep(tex);
  const int32_t o = (tv / step) * tex.stride + tu * tex.bytesPerPixel;
  const bool right = inside && tu + 1 < tex.width;
  const bool lower = inside && tv + step < tex.height;
  for (int32_t c = 0; c < shading.channels; ++c) {
    colour[c] = LightChannel(shading, c, SampleChannel(tex, o, c, right, lower, fu, fv));
  }
  *haveColour = true;
}

void LitTexel3(const ImagePlane& texture, const TexelShading& shading, double U, double V,
               bool* haveColour, uint8_t colour[4]) {
  const TexelLighting lighting = MakeTexelLighting(shading);
  LitTexel3At(texture, lighting, U, V, haveColour, colour);
}

}  // namespace zk
