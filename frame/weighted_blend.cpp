#include "weighted_blend.h"

namespace zk {

void MakeWeightedBlendTable(double keep, double take, ByteBlendTable* table) {
  for (int i = 0; i < 256; ++i) {
    table->weightA[i] = keep * i;
    table->weightB[i] = take * i;
  }
}

}  // namespace zk
