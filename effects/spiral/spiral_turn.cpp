#include "spiral_turn.h"

#include "saturating_trunc.h"
#include "zmath.h"

namespace zk {

int32_t SpiralTurnDegrees(float p, double rn, uint32_t variantFlags) {
  const double turn =
      p < 0.5f ? 2.0 * p * rn * 360.0 : 360.0 - (1.0 - (p - 0.5) * 2.0) * (1.0 - rn) * 360.0;
  int32_t degrees = SaturatingTrunc(turn);
  if (variantFlags == kSpiralVariantReverse) degrees = SaturatingTrunc(360.0 - degrees);
  return degrees;
}

TurnTrig SpiralTurnTrig(int32_t degrees) {
  const double radians = degrees * 0.017453292222222222;
  return TurnTrig{Sin(radians), Cos(static_cast<float>(radians))};
}

void ClearTurnTable(TurnTable* table) {
  for (bool& k : table->known) k = false;
}

TurnTrig LookUpTurn(TurnTable* table, int32_t degrees) {
  // Progress outside 0..1 can ask for any turn; those are worked out each time.
  if (degrees < 0 || degrees > 360) return SpiralTurnTrig(degrees);
  if (!table->known[degrees]) {
    table->trig[degrees] = SpiralTurnTrig(degrees);
    table->known[degrees] = true;
  }
  return table->trig[degrees];
}

}  // namespace zk
