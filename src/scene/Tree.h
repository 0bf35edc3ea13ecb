// A tree grown once by a recursive branching procedure.
//
// Every branch segment is a small tetrahedron: three base corners around the
// segment's start point and a tip a*L away (a = the segment's level, G for
// the trunk down to 1 for the outermost twigs). Each segment spawns two
// shorter children along the other axis of the xy-plane, so the tree fans
// out in that plane with a little random jitter in z. Segments are laid out
// depth-first: the trunk, the whole first subtree, the whole second subtree,
// four vertices and four triangles each.
//
// The jitter comes from the shared MSVC-compatible generator reseeded with 0
// on every build, so the same declaration always grows the same tree, and the
// numbers later callers draw depend on the tree's size.
#pragma once
#include "scene/Mesh.h"

namespace wf {

class Tree : public Mesh {
 public:
  // Growth directions.
  enum Direction : int { kUp = 0, kDown = 1, kRight = 2, kLeft = 3 };
  // 16-bit vertex indices hold 4 * (2^14 - 1) = 65532 vertices at most.
  static constexpr int kMaxGrowthDepth = 14;

  Tree();  // an empty mesh named "BAUM (by Zweigler)"

  int depth = 0;               // declared branching depth
  double segmentLength = 0.0;  // L: a segment at level a is a * L long
  double thickness = 0.0;      // r: half-width of every segment's base

  // depth = trunc(m[0][0]), L = m[1][1], r = m[2][2]; growth depth
  // G = depth + detailLevel (clamped to 14; below 1 nothing grows). Reseeds
  // the shared generator with 0. Returns false when the arrays cannot be had.
  bool build(const Matrix4& m);

  // The growth depth the last build used (0 when nothing grew).
  int growthDepth() const { return growthDepth_; }

  const char* className() const override { return "Tree"; }

 private:
  void grow(int level, size_t firstVertex, size_t firstTriangle, int direction, double px, double py, double pz);
  int growthDepth_ = 0;
};

}  // namespace wf
