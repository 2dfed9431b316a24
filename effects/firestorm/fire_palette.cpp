#include "fire_palette.h"

#include <cstddef>

namespace zk {
namespace {

// Each channel climbs one level at a time; the lists hold the heat at which each level is
// first reached, so the level at heat h is the number of entries not above h.
constexpr uint8_t kRedSteps[] = {28,  35,  40,  44,  48,  51,  54,  56,  59,  61,  63,  65,  67,
                                 69,  71,  73,  74,  76,  78,  79,  81,  82,  84,  86,  87,  89,
                                 90,  92,  93,  94,  96,  97,  99,  100, 102, 103, 105, 106, 108,
                                 109, 111, 113, 114, 116, 118, 119, 121, 123, 125, 127, 129, 131,
                                 134, 136, 139, 142, 145, 149, 153, 158, 165, 175};
constexpr uint8_t kGreenSteps[] = {44,  55,  64,  70,  76,  81,  85,  89,  93,  97,  100, 103,
                                   106, 109, 112, 115, 118, 120, 123, 126, 128, 131, 133, 136,
                                   138, 140, 143, 145, 147, 150, 152, 154, 157, 159, 161, 164,
                                   166, 169, 171, 173, 176, 178, 181, 184, 186, 189, 192, 195,
                                   198, 201, 205, 208, 212, 216, 220, 225, 230, 236, 242, 250};
constexpr uint8_t kBlueSteps[] = {110, 139, 159, 176, 190, 202, 214, 224, 234, 243, 251};

static_assert(sizeof kRedSteps == 62 && sizeof kGreenSteps == 60 && sizeof kBlueSteps == 11,
              "one entry per level above 0");

template <size_t N>
constexpr void FillLevels(const uint8_t (&steps)[N], uint8_t* levels) {
  size_t reached = 0;
  for (int heat = 0; heat < 256; ++heat) {
    while (reached < N && steps[reached] <= heat) ++reached;
    levels[heat] = static_cast<uint8_t>(reached);
  }
}

constexpr FirePalette MakeFirePalette() {
  FirePalette p{};
  FillLevels(kRedSteps, p.red);
  FillLevels(kGreenSteps, p.green);
  FillLevels(kBlueSteps, p.blue);
  return p;
}

}  // namespace

// A constant expression, so the table is in the image before any code runs.
const FirePalette kFirePalette = MakeFirePalette();

}  // namespace zk
