#include <gtest/gtest.h>

#include <cmath>

#include "scene/Heightfield.h"
#include "scene/Light.h"
#include "scene/SceneDeclarations.h"
#include "scene/SceneTestSupport.h"

using namespace wf;
using namespace wf::test;

TEST(Heightfield, CountsPerQuality) {
  struct Case {
    int quality, size, vertices, triangles;
    double farZ, nearZ;
  };
  const Case cases[] = {{0, 10, 121, 200, -11, -1}, {1, 20, 441, 800, -10.5, -0.5}, {2, 50, 2601, 5000, -10.2, -0.2}};
  for (const Case& c : cases) {
    ScopedDetailLevel quality(c.quality);
    Heightfield field("egal");
    EXPECT_EQ(field.columns, c.size) << "quality " << c.quality;
    EXPECT_EQ(field.rows, c.size) << "quality " << c.quality;
    EXPECT_EQ(field.vertexCount(), c.vertices) << "quality " << c.quality;
    EXPECT_EQ(field.triangleCount(), c.triangles) << "quality " << c.quality;
    EXPECT_DOUBLE_EQ(field.vertices.front().position.z, c.farZ) << "quality " << c.quality;
    EXPECT_DOUBLE_EQ(field.vertices.back().position.z, c.nearZ) << "quality " << c.quality;
    for (const MeshVertex& v : field.vertices) {
      ASSERT_EQ(v.normal.x, 0.0) << "quality " << c.quality;
      ASSERT_EQ(v.normal.y, 1.0) << "quality " << c.quality;
      ASSERT_EQ(v.normal.z, 0.0) << "quality " << c.quality;
    }
  }
}

TEST(Heightfield, LowQualityVertices) {
  ScopedDetailLevel quality(0);
  Heightfield field("");
  EXPECT_EQ(field.source, "höhenfeld");
  EXPECT_STREQ(field.className(), "Heightfield");
  struct Case {
    int index;
    double x, z;
  };
  const Case cases[] = {{0, -10.45, -11}, {10, 10.45, -11}, {5, 0, -11}, {120, 0.95, -1}, {110, -0.95, -1}, {60, 0, -6}};
  for (const Case& c : cases) {
    const MeshVertex& v = field.vertices[static_cast<size_t>(c.index)];
    EXPECT_DOUBLE_EQ(v.position.x, c.x) << "vertex " << c.index;
    EXPECT_EQ(v.position.y, 0.0) << "vertex " << c.index;
    EXPECT_DOUBLE_EQ(v.position.z, c.z) << "vertex " << c.index;
    EXPECT_EQ(v.position.w, 1.0) << "vertex " << c.index;
    EXPECT_EQ(v.texCoord.x, v.position.x) << "vertex " << c.index;
    EXPECT_EQ(v.texCoord.y, v.position.z) << "vertex " << c.index;
  }
  // The formula term by term for one inner vertex (row 3, column 7).
  const double z = (3 - 10 - 1) * 10.0 / 10;
  EXPECT_EQ(field.vertices[3 * 11 + 7].position.x, -1.9 * z * (7 - 5) / 10);
  // Triangles of cell (1, 2).
  const MeshTriangle& a = field.triangles[2 * (1 * 10 + 2)];
  const MeshTriangle& b = field.triangles[2 * (1 * 10 + 2) + 1];
  EXPECT_EQ(a.corner[0], 13);
  EXPECT_EQ(a.corner[1], 24);
  EXPECT_EQ(a.corner[2], 14);
  EXPECT_EQ(b.corner[0], 24);
  EXPECT_EQ(b.corner[1], 25);
  EXPECT_EQ(b.corner[2], 14);
}

TEST(Heightfield, OddGridCentresOnTheIntegerHalf) {
  // W / 2 is an integer division; for the even sizes used the grid is symmetric.
  ScopedDetailLevel quality(1);
  Heightfield field("");
  EXPECT_DOUBLE_EQ(field.vertices[10].position.x, 0.0);
  EXPECT_DOUBLE_EQ(field.vertices[0].position.x, -field.vertices[20].position.x);
}

TEST(Heightfield, LitByTheDefaultDirectionalLight) {
  ScopedDetailLevel quality(0);
  ScopedLightList frame;
  ObjectRegistry registry;
  declareLight(registry, "Sonne", "1");
  SceneObject* field = declareHeightfield(registry, "Land", "gibtsnicht");
  EXPECT_EQ(field->name, "Land");
  registry.updateAll();
  for (const MeshVertex& v : static_cast<Heightfield*>(field)->vertices) {
    ASSERT_NEAR(v.color.x, 1 / std::sqrt(3.0), 1e-15);
    ASSERT_EQ(v.color.x, v.color.z);
  }
}
