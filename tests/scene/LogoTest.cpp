#include <gtest/gtest.h>

#include <cmath>

#include "scene/Logo.h"
#include "scene/SceneDeclarations.h"
#include "scene/SceneTestSupport.h"

using namespace wf;
using namespace wf::test;

TEST(Logo, CountsPerQuality) {
  struct Case {
    int quality, outerVertices, outerTriangles, innerVertices, innerTriangles;
  };
  const Case cases[] = {{0, 143, 240, 145, 260}, {1, 546, 1000, 548, 1040}, {2, 2601, 5000, 2603, 5100}};
  for (const Case& c : cases) {
    ScopedDetailLevel quality(c.quality);
    ObjectRegistry registry;
    Logo logo(registry);
    Mesh* outer = static_cast<Mesh*>(registry.lookup("Aussenring"));
    Mesh* inner = static_cast<Mesh*>(registry.lookup("Innen-C"));
    ASSERT_TRUE(outer && inner) << "quality " << c.quality;
    EXPECT_EQ(outer->vertexCount(), c.outerVertices) << "quality " << c.quality;
    EXPECT_EQ(outer->triangleCount(), c.outerTriangles) << "quality " << c.quality;
    EXPECT_EQ(inner->vertexCount(), c.innerVertices) << "quality " << c.quality;
    EXPECT_EQ(inner->triangleCount(), c.innerTriangles) << "quality " << c.quality;
    for (const Mesh* m : {outer, inner})
      for (const MeshTriangle& t : m->triangles)
        for (int k = 0; k < 3; ++k) ASSERT_LT(t.corner[k], m->vertexCount()) << m->name;
  }
}

TEST(Logo, PartsRegistrationNamesAndConsole) {
  ScopedDetailLevel quality(0);
  ScopedConsole console;
  ObjectRegistry registry;
  SceneObject* logo = declareModel(registry, "Zeichen", "LOGO");
  ASSERT_STREQ(logo->className(), "Logo");
  EXPECT_EQ(logo->source, "asdf");
  EXPECT_EQ(logo->name, "Zeichen");
  ASSERT_EQ(registry.count(), 4);
  EXPECT_EQ(registry.at(1)->name, "Aussenring");
  EXPECT_EQ(registry.at(2)->name, "Innen-C");
  EXPECT_EQ(registry.at(3), logo);
  Mesh* outer = static_cast<Mesh*>(registry.at(1));
  Mesh* inner = static_cast<Mesh*>(registry.at(2));
  EXPECT_EQ(outer->parent, logo);
  EXPECT_EQ(inner->parent, logo);
  EXPECT_EQ(outer->source, "Torus");
  EXPECT_EQ(outer->transform.m[0][0], 1.0);
  EXPECT_EQ(inner->transform.m[0][0], 0.5);
  EXPECT_EQ(inner->transform.m[2][2], 0.5);
  EXPECT_EQ(inner->transform.m[3][3], 1.0);
  EXPECT_EQ(console.lines(), std::vector<std::string>{"loading Logo. "});
}

TEST(Logo, FirstVertices) {
  ScopedDetailLevel quality(1);
  const std::unique_ptr<Mesh> outer = buildTorus(0.2, 0, 1);
  const MeshVertex& v = outer->vertices[0];
  EXPECT_DOUBLE_EQ(v.position.x, 1.2);
  EXPECT_EQ(v.position.y, 0.0);
  EXPECT_EQ(v.position.z, 0.0);
  EXPECT_EQ(v.position.w, 1.0);
  EXPECT_EQ(v.normal.x, 1.0);
  EXPECT_EQ(v.normal.w, 0.0);
  EXPECT_EQ(v.texCoord.x, 0.0);
  EXPECT_EQ(v.texCoord.y, 0.0);

  const std::unique_ptr<Mesh> inner = buildTorus(0.25, 0.1, 0.9);
  EXPECT_NEAR(inner->vertices[0].position.x, 1.0112712, 5e-8);
  EXPECT_NEAR(inner->vertices[0].position.y, 0.7347316, 5e-8);
  EXPECT_EQ(inner->vertices[0].position.z, 0.0);
  const double phi = 2 * 0.1 * kPi10;
  EXPECT_EQ(inner->vertices[0].position.x, std::cos(phi) * (1 + 0.25 * std::cos(0.0)));
}

TEST(Logo, TorusGridFollowsTheFormula) {
  ScopedDetailLevel quality(0);  // N = 12, T = 10
  const std::unique_ptr<Mesh> torus = buildTorus(0.25, 0.1, 0.9);
  const int i = 5, j = 3;
  const MeshVertex& v = torus->vertices[static_cast<size_t>(i * 11 + j)];
  const double phi = (2 * i * kPi10 / 12) * (0.9 - 0.1) + 2 * 0.1 * kPi10;
  const double theta = 2 * j * kPi10 / 10;
  EXPECT_EQ(v.position.x, std::cos(phi) * (1 + 0.25 * std::cos(theta)));
  EXPECT_EQ(v.position.y, std::sin(phi) * (1 + 0.25 * std::cos(theta)));
  EXPECT_EQ(v.position.z, 0.25 * std::sin(theta));
  EXPECT_EQ(v.normal.x, std::cos(phi) * std::cos(theta));
  EXPECT_EQ(v.normal.z, std::sin(theta));
  EXPECT_EQ(v.texCoord.x, 0.3);
  EXPECT_EQ(v.texCoord.y, 5.0 / 12);
  // The two triangles of cell (0, 0) and of cell (1, 2).
  const int expected[4][3] = {{0, 11, 1}, {11, 12, 1}, {13, 24, 14}, {24, 25, 14}};
  const int index[4] = {0, 1, 2 * (1 * 10 + 2), 2 * (1 * 10 + 2) + 1};
  for (int t = 0; t < 4; ++t)
    for (int c = 0; c < 3; ++c)
      EXPECT_EQ(torus->triangles[static_cast<size_t>(index[t])].corner[c], expected[t][c]) << "triangle " << index[t];
}

TEST(Logo, OpenSectionCaps) {
  ScopedDetailLevel quality(0);
  const std::unique_ptr<Mesh> torus = buildTorus(0.25, 0.1, 0.9);
  const int B = 13 * 11;
  const MeshVertex& endCentre = torus->vertices[B];
  const MeshVertex& startCentre = torus->vertices[B + 1];
  const double e = 2 * kPi10 * 0.9, s = 2 * kPi10 * 0.1;
  EXPECT_DOUBLE_EQ(endCentre.position.x, std::cos(e));
  EXPECT_DOUBLE_EQ(endCentre.position.y, std::sin(e));
  EXPECT_DOUBLE_EQ(endCentre.normal.x, std::sin(e)) << "(sin, cos, 0), not the tangent";
  EXPECT_DOUBLE_EQ(endCentre.normal.y, std::cos(e));
  EXPECT_DOUBLE_EQ(startCentre.position.x, std::cos(s));
  EXPECT_DOUBLE_EQ(startCentre.normal.x, std::sin(s));
  EXPECT_EQ(startCentre.texCoord.x, 0.0);
  EXPECT_EQ(startCentre.position.w, 1.0);
  // Caps follow the grid: for j, (B+1, j, j+1) then (B, B-1-j, B-2-j).
  const size_t first = 2 * 12 * 10;
  for (int j = 0; j < 10; ++j) {
    const MeshTriangle& a = torus->triangles[first + 2 * static_cast<size_t>(j)];
    const MeshTriangle& b = torus->triangles[first + 2 * static_cast<size_t>(j) + 1];
    EXPECT_EQ(a.corner[0], B + 1) << j;
    EXPECT_EQ(a.corner[1], j) << j;
    EXPECT_EQ(a.corner[2], j + 1) << j;
    EXPECT_EQ(b.corner[0], B) << j;
    EXPECT_EQ(b.corner[1], B - 1 - j) << j;
    EXPECT_EQ(b.corner[2], B - 2 - j) << j;
  }
}

TEST(Logo, ClosedRingEndsCoincideButNotTheirTextureCoordinates) {
  ScopedDetailLevel quality(0);
  const std::unique_ptr<Mesh> ring = buildTorus(0.2, 0, 1);
  ASSERT_EQ(ring->vertexCount(), 143) << "no cap vertices";
  for (int j = 0; j <= 10; ++j) {
    const MeshVertex& first = ring->vertices[static_cast<size_t>(j)];
    const MeshVertex& last = ring->vertices[static_cast<size_t>(12 * 11 + j)];
    EXPECT_NEAR(first.position.x, last.position.x, 1e-9) << j;
    EXPECT_NEAR(first.position.y, last.position.y, 1e-9) << j;
    EXPECT_EQ(first.texCoord.y, 0.0) << j;
    EXPECT_EQ(last.texCoord.y, 1.0) << j;
  }
}

TEST(Logo, PropertiesOnAPartStayWithThatPart) {
  ScopedDetailLevel quality(0);
  ObjectRegistry registry;
  SceneObject* logo = declareModel(registry, "Zeichen", "logo");
  registry.lookup("Aussenring")->setProperty('M', "2");
  Mesh* inner = static_cast<Mesh*>(registry.lookup("Innen-C"));
  EXPECT_EQ(inner->worldTransform().m[0][0], 0.5);
  logo->setProperty('M', "3");
  EXPECT_EQ(inner->worldTransform().m[0][0], 1.5);
  EXPECT_EQ(static_cast<Mesh*>(registry.lookup("Aussenring"))->worldTransform().m[0][0], 6.0);
}
