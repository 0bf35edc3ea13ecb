#include "scene/Skeleton.h"

#include <cmath>  // Required for: sin(), cos()

#include "base/DisplaySettings.h"
#include "base/Report.h"

namespace wf {

int Skeleton::ringSize(int detailLevel) {
  if (detailLevel <= 0) return 3;
  if (detailLevel == 1) return 5;
  return 9;
}

Skeleton::Skeleton(const std::string& text) : Mesh(text), bones(3) {
  bones[0].name = "Oberarm";
  bones[0].parent = -1;
  bones[0].direction = Vector4(0.2, -1.0, 0.0, 0.0);
  bones[0].radius = 0.2;
  bones[0].active = 1;
  bones[1].name = "Elle";
  bones[1].parent = 0;
  bones[1].direction = Vector4(0.8, -0.2, 0.2, 0.0);
  bones[1].radius = 0.15;
  bones[1].active = 1;
  bones[2].name = "Hand";
  bones[2].parent = 1;
  bones[2].direction = Vector4(0.2, 0.0, 0.0, 0.0);
  bones[2].radius = 0.3;
  bones[2].active = 1;
  build();
}

Vector4 Skeleton::endPoint(int i) const {
  // Iterative walk up the chain, bounded by the bone count so a bad parent
  // index can neither recurse forever nor read outside the array. The sum is
  // formed in the same order as direction(i) + endPoint(parent).
  Vector4 chain[8];
  int depth = 0;
  for (int b = i; b >= 0 && b < static_cast<int>(bones.size()) && depth < 8; b = bones[static_cast<size_t>(b)].parent)
    chain[depth++] = bones[static_cast<size_t>(b)].direction;
  if (depth == 0) return Vector4();
  Vector4 sum = chain[depth - 1];
  for (int k = depth - 2; k >= 0; --k) sum = chain[k] + sum;
  return sum;
}

bool Skeleton::appendVertex(const Vector4& position, const Vector4& normal, double u, double v) {
  if (vertexCount() >= kVertexCapacity) return false;
  MeshVertex vertex;
  vertex.position = position;
  vertex.normal = normal;
  vertex.texCoord = Vector4(u, v, 0.0, 0.0);
  vertices.push_back(vertex);
  return true;
}

bool Skeleton::appendTriangle(int a, int b, int c) {
  if (triangleCount() >= kTriangleCapacity) return false;
  MeshTriangle t;
  t.corner[0] = static_cast<uint16_t>(a);
  t.corner[1] = static_cast<uint16_t>(b);
  t.corner[2] = static_cast<uint16_t>(c);
  triangles.push_back(t);
  return true;
}

void Skeleton::build() {
  vertices.clear();
  triangles.clear();
  vertices.reserve(kVertexCapacity);
  triangles.reserve(kTriangleCapacity);
  const int s = ringSize(displaySettings().detailLevel);

  for (size_t i = 0; i < bones.size(); ++i) {
    Bone& bone = bones[i];
    if (bone.active != 1) continue;
    const Vector4 reference(0.94, 1.23, 0.01, 0.0);
    Vector4 A = cross(bone.direction, reference);
    if (A.length() == 0) {
      reportError("Bone-X zeros");
      return;
    }
    A = Matrix4::uniformScale(bone.radius / A.length()).transformVector(A);
    Vector4 B = cross(bone.direction, A);
    if (B.length() == 0) {
      reportError("Bone-Y zeros");
      return;
    }
    B = Matrix4::uniformScale(bone.radius / B.length()).transformVector(B);
    bone.firstVertex = vertexCount();
    const Vector4 E = endPoint(static_cast<int>(i));

    auto ringOffset = [&](int k) {
      const double theta = 2 * k * kPi10 / s;
      return Matrix4::uniformScale(std::cos(theta)).transformVector(A) +
             Matrix4::uniformScale(std::sin(theta)).transformVector(B);
    };
    // The capacities (1024 vertices, 341 triangles) are far above what three
    // bones need; a full array simply ends the build.
    for (int k = 0; k < s; ++k) {
      const Vector4 O = ringOffset(k);
      Vector4 position = O + E;
      position.w = 1.0;
      Vector4 normal = O;
      normal.normalize();
      if (!appendVertex(position, normal, k * 1.0 / s, E.length())) return;
    }
    const int F = bone.firstVertex;
    if (bone.parent == -1) {
      for (int k = 0; k < s; ++k) {
        const Vector4 O = ringOffset(k);
        Vector4 position = O;
        position.w = 1.0;
        Vector4 normal = O;
        normal.normalize();
        if (!appendVertex(position, normal, static_cast<double>(k) / s, 0.0)) return;
      }
      for (int k = 0; k < s; ++k) {
        const int k1 = (k + 1) % s;
        if (!appendTriangle(F + k, F + s + k, F + s + k1)) return;
        if (!appendTriangle(F + k, F + s + k1, F + k1)) return;
      }
    } else {
      if (bone.parent < 0 || bone.parent >= static_cast<int>(bones.size())) continue;
      const int P = bones[static_cast<size_t>(bone.parent)].firstVertex;
      for (int k = 0; k < s; ++k) {
        const int k1 = (k + 1) % s;
        if (!appendTriangle(F + k, P + k, P + k1)) return;
        if (!appendTriangle(F + k, P + k1, F + k1)) return;
      }
    }
  }
}

}  // namespace wf
