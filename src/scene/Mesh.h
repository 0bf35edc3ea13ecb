// The one kind of drawable 3D geometry: an indexed triangle list lit in
// software.
//
// Every frame update() carries the vertices into world space through the
// parent chain and lights them against the lights registered for this frame
// (see MeshLighting.h for the formula); draw() then submits the triangles in
// OpenGL immediate mode with the lit colour per vertex. Vertices are already
// in world space, so draw() pushes no matrix. Meshes are never declared by a
// script directly: the model loader, the logo, the tree, the heightfield and
// the skeleton make them and fill the arrays once.
#pragma once
#include <vector>

#include "scene/MeshLighting.h"
#include "scene/PlacedObject.h"

namespace wf {

class Mesh : public PlacedObject {
 public:
  explicit Mesh(const std::string& text);

  // Filled once by the producer; every corner index is below vertexCount()
  // (the producers guarantee it; draw and computeNormals skip any that is not).
  std::vector<MeshVertex> vertices;
  std::vector<MeshTriangle> triangles;

  int vertexCount() const { return static_cast<int>(vertices.size()); }
  int triangleCount() const { return static_cast<int>(triangles.size()); }

  // Vertex normals from the triangles: the unnormalised face vectors
  // cross(p1 - p0, p2 - p0) are summed per corner (larger faces weigh more),
  // then each sum is normalised (a zero sum stays zero).
  void computeNormals();

  // World transform and lighting of every vertex for this frame.
  void update() override;
  // Immediate-mode triangles: colour, normal, texture coordinate, vertex per
  // corner. GL_TEXTURE_2D is disabled afterwards in every case.
  void draw() override;

  const char* className() const override { return "Mesh"; }
  // vertexCount, triangleCount; with geometry also every vertex as 17
  // numbers (position xyz, normal xyz, u, v, worldPosition xyz, worldNormal
  // xyz, colour rgb) and every triangle as its three corner indices.
  void dumpExtra(JsonWriter& json, bool geometry) const override;
};

// The current frame's lights in the form the lighting loop takes; returns
// how many were written (at most LightList::kCapacity).
int collectFrameLights(LightSample* out);

}  // namespace wf
