// DrawQuad: a card as two triangles, front or back look chosen by which side faces the
// viewer; the back look mirrors its texture left to right.
#include "triangle_renderer.h"

namespace zk {
namespace {

// Corner indices of the card: top-left, top-right, bottom-left, bottom-right.
enum { kQ0 = 0, kQ1 = 1, kQ2 = 2, kQ3 = 3 };

struct Slot {
  int position;  // corner giving x, y, z and v
  int uFrom;     // corner giving u
};

void FillTriangle(const QuadCard& card, const Slot slots[3], const FaceLook& look,
                  ShadedTriangle* t) {
  for (int i = 0; i < 3; ++i) {
    t->vertex[i] = card.corner[slots[i].position];
    t->vertex[i].u = card.corner[slots[i].uFrom].u;
  }
  t->colour = look.colour;
  t->impact = look.impact;
  t->gloss = look.gloss;
  t->texture = look.texture;
}

}  // namespace

int32_t DrawQuad(ImagePlane* output, const CameraSetup* camera, const QuadCard* card) {
  if (card == nullptr) return 0;
  const Slot firstFront[3] = {{kQ1, kQ1}, {kQ2, kQ2}, {kQ0, kQ0}};
  const Slot firstBack[3] = {{kQ0, kQ1}, {kQ2, kQ3}, {kQ1, kQ0}};
  const Slot secondFront[3] = {{kQ1, kQ1}, {kQ3, kQ3}, {kQ2, kQ2}};
  const Slot secondBack[3] = {{kQ2, kQ3}, {kQ3, kQ2}, {kQ1, kQ0}};

  ShadedTriangle t{};
  FillTriangle(*card, firstFront, card->front, &t);
  const bool front = FaceLightCosine(&t, Point3{0.0f, 0.0f, 1.0f}) >= 0;
  if (!front) FillTriangle(*card, firstBack, card->back, &t);
  DrawTriangle(output, camera, &t);

  FillTriangle(*card, front ? secondFront : secondBack, front ? card->front : card->back, &t);
  return DrawTriangle(output, camera, &t);
}

}  // namespace zk
