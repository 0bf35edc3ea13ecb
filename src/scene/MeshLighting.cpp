#include "scene/MeshLighting.h"

#include <cmath>  // Required for: sqrt()

namespace wf {
namespace {

// The same arithmetic, term for term, as Matrix4::transformVector and
// Matrix4::transformPoint; written out here so the per-vertex loop inlines.
inline void transformInto(const Matrix4& m, const Vector4& v, Vector4& out) {
  out.x = m.m[0][0] * v.x + m.m[0][1] * v.y + m.m[0][2] * v.z + m.m[0][3] * v.w;
  out.y = m.m[1][0] * v.x + m.m[1][1] * v.y + m.m[1][2] * v.z + m.m[1][3] * v.w;
  out.z = m.m[2][0] * v.x + m.m[2][1] * v.y + m.m[2][2] * v.z + m.m[2][3] * v.w;
  out.w = v.w;
}

inline Vector3 colourPoint(const Matrix4& m, const Vector3& p) {
  return {m.m[0][0] * p.x + m.m[0][1] * p.y + m.m[0][2] * p.z + m.m[0][3],
          m.m[1][0] * p.x + m.m[1][1] * p.y + m.m[1][2] * p.z + m.m[1][3],
          m.m[2][0] * p.x + m.m[2][1] * p.y + m.m[2][2] * p.z + m.m[2][3]};
}

inline double clampUnit(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

}  // namespace

void transformVertices(MeshVertex* vertices, size_t count, const Matrix4& world) {
  for (size_t i = 0; i < count; ++i) {
    MeshVertex& v = vertices[i];
    transformInto(world, v.normal, v.worldNormal);
    transformInto(world, v.position, v.worldPosition);
  }
}

void lightVertices(MeshVertex* vertices, size_t count, const LightSample* lights, int lightCount,
                   const Matrix4& colorTransform) {
  for (size_t i = 0; i < count; ++i) {
    MeshVertex& v = vertices[i];
    const double nx = v.worldNormal.x, ny = v.worldNormal.y, nz = v.worldNormal.z;
    double sr = 0.0, sg = 0.0, sb = 0.0;
    for (int l = 0; l < lightCount; ++l) {
      const LightSample& light = lights[l];
      double f;
      if (light.type == kPointLight) {
        const double qx = v.worldPosition.x - light.worldVector.x;
        const double qy = v.worldPosition.y - light.worldVector.y;
        const double qz = v.worldPosition.z - light.worldVector.z;
        const double d = std::sqrt(qx * qx + qy * qy + qz * qz);
        // deliberate: 1/d^2 of an unnormalised q, so the light falls off as
        // 1/d; scenes were lit that way (MeshLighting.HandWorkedCases).
        const double g = d != 0.0 ? 1.0 / (d * d) : 1.0;
        f = -(qx * nx + qy * ny + qz * nz) * g;
      } else if (light.type == kDirectionalLight) {
        f = -(light.worldVector.x * nx + light.worldVector.y * ny + light.worldVector.z * nz);
      } else {
        continue;
      }
      if (f > 0.0) {
        sr += f * light.color.x;
        sg += f * light.color.y;
        sb += f * light.color.z;
      }
    }
    v.color = colourPoint(colorTransform, Vector3(clampUnit(sr), clampUnit(sg), clampUnit(sb)));
  }
}

}  // namespace wf
