// How far each pixel turns about the centre: whole degrees from its distance and the
// progress, and the sine and cosine of such a turn.
#pragma once

#include <cstdint>

namespace zk {

// The host's variant word that winds the spiral the other way; any other value (2 is the
// default) winds the usual way.
constexpr uint32_t kSpiralVariantReverse = 1;

// Turn in whole degrees of a pixel at relative distance rn (0 centre, 1 rim) from the
// centre. The rim winds up to a full turn by p = 0.5, then the centre catches up until
// everything has turned once at p = 1.
int32_t SpiralTurnDegrees(float p, double rn, uint32_t variantFlags);

struct TurnTrig {
  double sine;
  double cosine;
};

// Sine and cosine of a turn: the sine of the radian product, the cosine of that product
// rounded to a 32-bit float.
TurnTrig SpiralTurnTrig(int32_t degrees);

// SpiralTurnTrig for every turn a frame in progress 0..1 can use, worked out on first use.
struct TurnTable {
  TurnTrig trig[361];
  bool known[361];
};
void ClearTurnTable(TurnTable* table);
TurnTrig LookUpTurn(TurnTable* table, int32_t degrees);

}  // namespace zk
