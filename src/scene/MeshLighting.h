// The per-frame vertex work of every mesh, as plain data in and data out:
// carrying model-space vertices into world space and lighting them in
// software. No OpenGL here, so the loop is tested and benchmarked on its own.
//
// Lighting model (the whole of the shading; OpenGL's lights are never used):
//   point light:       q = worldPosition - light position, d = |q|,
//                      g = 1 / (d d) (1 when d = 0), f = -dot(q, worldNormal) g
//   directional light: f = -dot(light direction, worldNormal)
//   any other type:    nothing
// Only f > 0 counts; sum += f * light colour over the lights in registration
// order, then the sum is clamped to 0..1 and mapped through the composed
// colour transform as a point (column 3 adds a constant colour, unclamped).
// There is no ambient and no specular term. Because q is not normalised, a
// point light at distance d along a unit normal gives 1/d of its colour.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/math/Matrix4.h"
#include "base/math/Vector3.h"
#include "base/math/Vector4.h"

namespace wf {

struct MeshVertex {
  Vector4 position{0.0, 0.0, 0.0, 1.0};  // model space, w = 1
  Vector4 worldPosition;                  // refreshed every frame
  Vector4 texCoord;                       // x = u, y = v; z and w stay 0
  Vector4 normal;                         // model space, w = 0
  Vector4 worldNormal;                    // refreshed every frame; not renormalised
  Vector3 color;                          // lit colour of this frame, (1, 1, 1) until lit
};

// Three vertex indices; front faces are counter-clockwise seen from the side
// the computed normal points to. 16 bits: a mesh addresses at most 65536 vertices.
struct MeshTriangle {
  uint16_t corner[3] = {0, 0, 0};
};

enum LightType : int { kPointLight = 0, kDirectionalLight = 1 };

// What the lighting loop needs of one registered light.
struct LightSample {
  int type = kPointLight;
  Vector4 worldVector;  // world position (point light) or travel direction (directional)
  Vector3 color;
};

// worldNormal = world * normal, then worldPosition = world * position, per
// vertex in array order (the normal by the transform itself, not its inverse
// transpose: a scaling transform changes the lighting intensity).
void transformVertices(MeshVertex* vertices, size_t count, const Matrix4& world);

// Lights every vertex against `lights` (in order) and stores the colour.
void lightVertices(MeshVertex* vertices, size_t count, const LightSample* lights, int lightCount,
                   const Matrix4& colorTransform);

}  // namespace wf
