// Face-level operations of the 3D effects: the facing test against the eye point, the turn
// of a block's front face about the block's own centre, and the turn of a card about a
// point.
#pragma once

#include "vector_math.h"

namespace zk {

enum class Axis { X, Y, Z };

// Point3 rotation about a centre by axis.
Point3 RotateAbout(Axis axis, const Point3& p, const Point3& centre, float degrees);
// Point3 rotation through the origin by axis.
Point3 RotateAxis(Axis axis, const Point3& p, float degrees);

// True when the triangle of vertices v[0..2] faces the eye E (E.z is the camera distance
// D). A zero determinant counts as not facing; a NaN one as facing.
bool FacesViewer(const RasterVertex v[3], const Point3& eye);

// The unit normal of a face's front side, Normalize(Cross(q3 - q2, q0 - q2)); for a face
// whose corners span no area (a cell less than a pixel wide) that is undefined, and
// `fallback` is returned instead.
Point3 FrontNormal(const RasterVertex face[4], const Point3& fallback);

// The centre of the block of depth `depth` behind a front face: the mean of the corners,
// kept in double, moved half the depth along the front normal and rounded to float once.
Point3 BlockTurningCentre(const RasterVertex face[4], float depth, const Point3& facing);

// Turns the four corner positions of a block's front face (row order q0..q3) about the
// centre of the block of depth `depth` behind it; texture coordinates stay. `facing` is
// the front normal to use when the face has no area of its own.
void RotateFaceAboutBlockCentre(Axis axis, RasterVertex face[4], float depth, float degrees,
                                const Point3& facing);

// Turns the four corner positions of a card (row order q0..q3) about a fixed point, in
// the order q2, q3, q0, q1; texture coordinates stay.
void RotateFaceAboutPoint(Axis axis, RasterVertex face[4], const Point3& centre, float degrees);

}  // namespace zk
