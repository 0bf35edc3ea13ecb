#include "scene/Tree.h"

#include <algorithm>  // Required for: std::copy()
#include <new>        // Required for: std::bad_alloc

#include "base/Console.h"
#include "base/DisplaySettings.h"
#include "base/NumberText.h"
#include "base/Random.h"

namespace wf {

Tree::Tree() : Mesh("BAUM (by Zweigler)") {}

bool Tree::build(const Matrix4& m) {
  depth = truncToInt(m.m[0][0]);
  segmentLength = m.m[1][1];
  thickness = m.m[2][2];
  crtSrand(0);
  vertices.clear();
  triangles.clear();
  growthDepth_ = 0;

  long long g = static_cast<long long>(depth) + displaySettings().detailLevel;
  if (g < 1) return true;  // safety: nothing to grow (the recursion would never end)
  // Safety: more levels would need vertex indices beyond 16 bits.
  if (g > kMaxGrowthDepth) g = kMaxGrowthDepth;
  const int G = static_cast<int>(g);
  const size_t count = 4 * ((size_t{1} << G) - 1);
  try {
    vertices.resize(count);
    triangles.resize(count);
  } catch (const std::bad_alloc&) {
    vertices.clear();
    triangles.clear();
    return false;
  }
  growthDepth_ = G;
  grow(G, 0, 0, kUp, 0.0, 0.0, 0.0);
  computeNormals();
  return true;
}

void Tree::grow(int level, size_t v, size_t f, int direction, double px, double py, double pz) {
  const double h = level * segmentLength;
  const double r = thickness;
  const int r1 = crtRand();
  const int r2 = crtRand();
  const double Z = (r2 % 6) * ((r1 % 2) != 0 ? -0.01 : 0.01);  // -0.05 .. +0.05

  double corners[4][3];
  static const int kTriangles[4][4][3] = {
      {{0, 1, 2}, {3, 0, 1}, {0, 2, 3}, {1, 3, 2}},  // up
      {{0, 1, 2}, {0, 3, 1}, {2, 0, 3}, {3, 1, 2}},  // down
      {{2, 1, 0}, {0, 3, 1}, {2, 0, 3}, {3, 1, 2}},  // right
      {{2, 1, 0}, {3, 0, 1}, {0, 2, 3}, {1, 3, 2}},  // left
  };
  switch (direction) {
    case kUp:
    case kDown: {
      const double tipY = direction == kUp ? py + h : py - h;
      const double c[4][3] = {{px - r, py, pz + r}, {px + r, py, pz + r}, {px, py, pz - r}, {px, tipY, pz + Z}};
      std::copy(&c[0][0], &c[0][0] + 12, &corners[0][0]);
      break;
    }
    case kRight:
    case kLeft: {
      const double tipX = direction == kRight ? px + h : px - h;
      const double c[4][3] = {{px, py - r, pz + r}, {px, py + r, pz + r}, {px, py, pz - r}, {tipX, py, pz + Z}};
      std::copy(&c[0][0], &c[0][0] + 12, &corners[0][0]);
      break;
    }
    default:
      consolePrint("DER BAUM WÄCHST INS PARALELLUNIVERSUM", 3);
      return;
  }
  for (int i = 0; i < 4; ++i) {
    MeshVertex& vertex = vertices[v + static_cast<size_t>(i)];
    vertex.position = Vector4(corners[i][0], corners[i][1], corners[i][2], 1.0);
    vertex.texCoord = Vector4(corners[i][0], corners[i][1], 0.0, 0.0);
    vertex.color = Vector3(1.0, 1.0, 1.0);
  }
  for (int t = 0; t < 4; ++t) {
    MeshTriangle& triangle = triangles[f + static_cast<size_t>(t)];
    for (int c = 0; c < 3; ++c)
      triangle.corner[c] = static_cast<uint16_t>(v + static_cast<size_t>(kTriangles[direction][t][c]));
  }

  const int next = level - 1;
  if (next == 0) return;
  // deliberate: a downward segment's children start above its start point
  // like an upward one's, and a leftward segment's second child starts at
  // px + h/6, on the +x side; stored trees rely on it
  // (Tree.ThreeLevelsFollowTheDrawsAndTheBindingOffsets).
  int dirA, dirB;
  double ax, ay, bx, by;
  if (direction == kUp || direction == kDown) {
    dirA = kRight;
    dirB = kLeft;
    ax = px;
    ay = py + h / 2;
    bx = px;
    by = py + h / 3;
  } else {
    dirA = kUp;
    dirB = kDown;
    ax = direction == kRight ? px + h / 2 : px + h / 2 - h;
    ay = py;
    bx = px + h / 2 - h / 3;
    by = py;
  }
  const double childZ = pz + Z / 2;
  const size_t span = 4 * (size_t{1} << next);  // the first subtree's 2^next - 1 segments, plus this one
  grow(next, v + 4, f + 4, dirA, ax, ay, childZ);
  grow(next, v + span, f + span, dirB, bx, by, childZ);
}

}  // namespace wf
