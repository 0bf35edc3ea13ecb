#include "scene/Logo.h"

#include <cmath>  // Required for: sin(), cos()

#include "base/Console.h"
#include "base/DisplaySettings.h"

namespace wf {

TorusSegments torusSegments(int detailLevel) {
  if (detailLevel <= 0) return {12, 10};
  if (detailLevel == 1) return {25, 20};
  return {50, 50};
}

std::unique_ptr<Mesh> buildTorus(double a, double s, double e) {
  auto mesh = std::make_unique<Mesh>("Torus");
  const bool open = s > 0.0 || e < 1.0;
  const TorusSegments seg = torusSegments(displaySettings().detailLevel);
  const int N = seg.ring, T = seg.tube;
  const int B = (N + 1) * (T + 1);
  mesh->vertices.resize(static_cast<size_t>(B + (open ? 2 : 0)));

  // Ring steps 0 and N are separate vertices even for the closed ring: their
  // texture v differs.
  for (int i = 0; i <= N; ++i) {
    for (int j = 0; j <= T; ++j) {
      const double phi = (2 * i * kPi10 / N) * (e - s) + 2 * s * kPi10;
      const double theta = 2 * j * kPi10 / T;
      MeshVertex& v = mesh->vertices[static_cast<size_t>(i * (T + 1) + j)];
      v.position = Vector4(std::cos(phi) * (1 + a * std::cos(theta)), std::sin(phi) * (1 + a * std::cos(theta)),
                           a * std::sin(theta), 1.0);
      v.normal = Vector4(std::cos(phi) * std::cos(theta), std::sin(phi) * std::cos(theta), std::sin(theta), 0.0);
      v.texCoord = Vector4(static_cast<double>(j) / T, static_cast<double>(i) / N, 0.0, 0.0);
    }
  }

  const int S = T + 1;
  auto addTriangle = [&mesh](int p, int q, int r) {
    MeshTriangle t;
    t.corner[0] = static_cast<uint16_t>(p);
    t.corner[1] = static_cast<uint16_t>(q);
    t.corner[2] = static_cast<uint16_t>(r);
    mesh->triangles.push_back(t);
  };
  mesh->triangles.reserve(static_cast<size_t>(2 * N * T + (open ? 2 * T : 0)));
  for (int i = 0; i < N; ++i) {
    for (int j = 0; j < T; ++j) {
      addTriangle(i * S + j, (i + 1) * S + j, i * S + j + 1);
      addTriangle((i + 1) * S + j, (i + 1) * S + j + 1, i * S + j + 1);
    }
  }

  if (open) {
    const double phiEnd = 2 * kPi10 * e;
    const double phiStart = 2 * kPi10 * s;
    MeshVertex& endCentre = mesh->vertices[static_cast<size_t>(B)];
    MeshVertex& startCentre = mesh->vertices[static_cast<size_t>(B + 1)];
    // deliberate: (sin, cos, 0), not the ring tangent (-sin, cos, 0): the
    // logo has always been lit with this cap normal
    // (Logo.TorusVerticesTrianglesAndCaps).
    endCentre.position = Vector4(std::cos(phiEnd), std::sin(phiEnd), 0.0, 1.0);
    endCentre.normal = Vector4(std::sin(phiEnd), std::cos(phiEnd), 0.0, 0.0);
    endCentre.texCoord = Vector4(0.0, 0.0, 0.0, 0.0);
    startCentre.position = Vector4(std::cos(phiStart), std::sin(phiStart), 0.0, 1.0);
    startCentre.normal = Vector4(std::sin(phiStart), std::cos(phiStart), 0.0, 0.0);
    startCentre.texCoord = Vector4(0.0, 0.0, 0.0, 0.0);
    for (int j = 0; j < T; ++j) {
      addTriangle(B + 1, j, j + 1);          // fan over ring step 0
      addTriangle(B, B - 1 - j, B - 2 - j);  // fan over ring step N, backwards
    }
  }
  return mesh;
}

Logo::Logo(ObjectRegistry& registry) : PlacedObject("asdf") {
  consolePrint("loading Logo. ", 1);

  std::unique_ptr<Mesh> outer = buildTorus(0.2, 0.0, 1.0);
  outer->name = "Aussenring";
  outer->parent = this;
  registry.add(std::move(outer));

  std::unique_ptr<Mesh> innerMesh = buildTorus(0.25, 0.1, 0.9);
  innerMesh->name = "Innen-C";
  innerMesh->parent = this;
  innerMesh->transform = Matrix4::uniformScale(0.5);
  registry.add(std::move(innerMesh));
}

}  // namespace wf
