// An arm skinned over a fixed chain of three bones: upper arm, forearm, hand.
//
// Each bone is a direction from the end of its parent bone (from the origin
// for the root) and a radius. The skin is a tube of rings: one ring of s
// vertices at the end of every bone, plus a start ring at the origin for the
// root, each ring perpendicular to its own bone, neighbouring rings joined by
// triangles. s follows detailLevel: 3, 5 or 9. Built once; afterwards a
// plain mesh. Angles use the ten-digit pi (kPi10).
#pragma once
#include <vector>

#include "scene/Mesh.h"

namespace wf {

struct Bone {
  double radius = 0.0;          // of the ring at the bone's end
  const char* name = "not used";  // nothing reads it
  Vector4 direction;            // w = 0: from the parent's end to this bone's end
  int parent = 0;               // parent bone index, -1 for the root
  int active = 0;               // only bones with 1 get geometry
  int firstVertex = 0;          // this bone's end ring in `vertices`, set while building
};

class Skeleton : public Mesh {
 public:
  // The builder's fixed array sizes.
  static constexpr int kVertexCapacity = 1024;
  static constexpr int kTriangleCapacity = 2048 / static_cast<int>(sizeof(uint16_t) * 3);  // 341

  explicit Skeleton(const std::string& text);

  std::vector<Bone> bones;  // boneCount = bones.size() = 3

  // Generates the tube. Stops at a bone whose ring axes cannot be made,
  // reporting "Bone-X zeros" or "Bone-Y zeros"; earlier bones keep theirs.
  void build();
  // The end of bone i: its direction plus the end of its parent.
  Vector4 endPoint(int i) const;

  // Ring vertices for a quality level (outside 0..2: the nearest level).
  static int ringSize(int detailLevel);

  const char* className() const override { return "Skeleton"; }

 private:
  bool appendVertex(const Vector4& position, const Vector4& normal, double u, double v);
  bool appendTriangle(int a, int b, int c);
};

}  // namespace wf
