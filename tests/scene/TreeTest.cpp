#include <gtest/gtest.h>

#include "base/Random.h"
#include "scene/SceneDeclarations.h"
#include "scene/SceneTestSupport.h"
#include "scene/Tree.h"
#include "script/VariableTable.h"

using namespace wf;
using namespace wf::test;

namespace {

void expectPoint(const Vector4& p, double x, double y, double z, const std::string& what) {
  EXPECT_NEAR(p.x, x, 1e-12) << what;
  EXPECT_NEAR(p.y, y, 1e-12) << what;
  EXPECT_NEAR(p.z, z, 1e-12) << what;
  EXPECT_EQ(p.w, 1.0) << what;
}

std::unique_ptr<Tree> grown(const std::string& value) {
  auto tree = std::make_unique<Tree>();
  EXPECT_TRUE(tree->build(evaluateMatrix(value)));
  return tree;
}

void expectTriangles(const Tree& tree, size_t first, const int (&offsets)[4][3], int base, const char* what) {
  for (size_t t = 0; t < 4; ++t)
    for (int c = 0; c < 3; ++c)
      EXPECT_EQ(tree.triangles[first + t].corner[c], base + offsets[t][c]) << what << " triangle " << t;
}

}  // namespace

TEST(Tree, OneSegment) {
  ScopedDetailLevel quality(0);
  auto tree = grown("1,1,0.1");
  EXPECT_EQ(tree->depth, 1);
  EXPECT_EQ(tree->segmentLength, 1.0);
  EXPECT_EQ(tree->thickness, 0.1);
  EXPECT_EQ(tree->source, "BAUM (by Zweigler)");
  EXPECT_STREQ(tree->className(), "Tree");
  ASSERT_EQ(tree->vertexCount(), 4);
  ASSERT_EQ(tree->triangleCount(), 4);
  expectPoint(tree->vertices[0].position, -0.1, 0, 0.1, "v0");
  expectPoint(tree->vertices[1].position, 0.1, 0, 0.1, "v1");
  expectPoint(tree->vertices[2].position, 0, 0, -0.1, "v2");
  // rand() after srand(0): 38 (even) and 7719 (mod 6 = 3): Z = +0.03.
  expectPoint(tree->vertices[3].position, 0, 1, 0.03, "tip");
  EXPECT_EQ(tree->vertices[3].position.z, 3 * 0.01);
  const int up[4][3] = {{0, 1, 2}, {3, 0, 1}, {0, 2, 3}, {1, 3, 2}};
  expectTriangles(*tree, 0, up, 0, "trunk");
  for (const MeshVertex& v : tree->vertices) {
    EXPECT_EQ(v.texCoord.x, v.position.x);
    EXPECT_EQ(v.texCoord.y, v.position.y);
    EXPECT_EQ(v.texCoord.z, 0.0);
    EXPECT_NEAR(v.normal.length(), 1.0, 1e-12) << "normals computed";
  }
  // Exactly two draws after srand(0): later callers continue from there.
  const uint32_t after = crtRandState();
  crtSrand(0);
  EXPECT_EQ(crtRand(), 38);
  EXPECT_EQ(crtRand(), 7719);
  EXPECT_EQ(crtRandState(), after);
}

TEST(Tree, TwoLevels) {
  ScopedDetailLevel quality(0);
  auto tree = grown("2,1,0.1");
  ASSERT_EQ(tree->vertexCount(), 12);
  expectPoint(tree->vertices[3].position, 0, 2, 0.03, "trunk tip");
  // First child: right from (0, 1, 0.015); draws 21238, 2437: Z = +0.01.
  expectPoint(tree->vertices[4].position, 0, 0.9, 0.115, "right child v4");
  expectPoint(tree->vertices[6].position, 0, 1, 0.015 - 0.1, "right child v6");
  expectPoint(tree->vertices[7].position, 1, 1, 0.025, "right child tip");
  // Second child: left from (0, 2/3, 0.015); draws 8855, 11797: Z = -0.01.
  expectPoint(tree->vertices[8].position, 0, 2.0 / 3 - 0.1, 0.115, "left child v8");
  expectPoint(tree->vertices[11].position, -1, 2.0 / 3, 0.005, "left child tip");
  const int right[4][3] = {{2, 1, 0}, {0, 3, 1}, {2, 0, 3}, {3, 1, 2}};
  const int left[4][3] = {{2, 1, 0}, {3, 0, 1}, {0, 2, 3}, {1, 3, 2}};
  expectTriangles(*tree, 4, right, 4, "right child");
  expectTriangles(*tree, 8, left, 8, "left child");
}

TEST(Tree, ThreeLevelsUseTheBindingOffsets) {
  ScopedDetailLevel quality(0);
  auto tree = grown("3,1,0.1");
  ASSERT_EQ(tree->vertexCount(), 28);
  // Draws: 38 7719 | 21238 2437 | 8855 11797 | 8365 32285 | 10450 30612 | 5853 28100 | 1142 281
  expectPoint(tree->vertices[3].position, 0, 3, 0.03, "trunk tip");
  expectPoint(tree->vertices[7].position, 2, 1.5, 0.025, "right (level 2) tip");
  // Its children start at px + h/2 (up) and px + h/2 - h/3 (down).
  expectPoint(tree->vertices[10].position, 1, 1.5, 0.02 - 0.1, "up child base");
  expectPoint(tree->vertices[11].position, 1, 2.5, 0.01, "up child tip");
  expectPoint(tree->vertices[14].position, 1.0 / 3, 1.5, 0.02 - 0.1, "down child base");
  expectPoint(tree->vertices[15].position, 1.0 / 3, 0.5, -0.03, "down child tip (Z = -0.05)");
  const int down[4][3] = {{0, 1, 2}, {0, 3, 1}, {2, 0, 3}, {3, 1, 2}};
  expectTriangles(*tree, 12, down, 12, "down child");
  // The left segment from (0, 1, 0.015): draws 10450, 30612: Z = 0.
  expectPoint(tree->vertices[19].position, -2, 1, 0.015, "left (level 2) tip");
  // Deliberate offsets: its up child starts at px + h/2 - h = -1, its down
  // child at px + h/2 - h/3 = +1/3, on the +x side.
  expectPoint(tree->vertices[22].position, -1, 1, 0.015 - 0.1, "left's up child base");
  expectPoint(tree->vertices[23].position, -1, 2, -0.005, "left's up child tip");
  expectPoint(tree->vertices[26].position, 1.0 / 3, 1, 0.015 - 0.1, "left's down child base");
  expectPoint(tree->vertices[27].position, 1.0 / 3, 0, 0.065, "left's down child tip");
}

TEST(Tree, DownwardSegmentChildrenStartAboveItsStart) {
  // Level 3 down segment: grown as the second child of a level-4 right segment.
  ScopedDetailLevel quality(0);
  auto tree = grown("5,1,0");
  // Layout: trunk 0 (level 5), right 4 (4), up 8 (3) ... down at 4 + 4*2^3 = 36 (level 3).
  const Vector4 start = tree->vertices[38].position;  // base corner (px, py, pz - r) with r = 0
  const Vector4 tip = tree->vertices[39].position;
  EXPECT_DOUBLE_EQ(tip.y, start.y - 3.0) << "a down segment grows down";
  // Its first child (right, level 2) starts at py + h/2, above the start.
  EXPECT_DOUBLE_EQ(tree->vertices[42].position.y, start.y + 1.5);
  // Its second child (left) at py + h/3.
  EXPECT_DOUBLE_EQ(tree->vertices[4 * 14 + 2].position.y, start.y + 1.0);
}

TEST(Tree, QualityAddsLevels) {
  const int expected[3] = {12, 28, 60};
  for (int q = 0; q < 3; ++q) {
    ScopedDetailLevel quality(q);
    auto tree = grown("2,1,0.1");
    EXPECT_EQ(tree->vertexCount(), expected[q]) << "quality " << q;
    EXPECT_EQ(tree->triangleCount(), expected[q]) << "quality " << q;
    EXPECT_EQ(tree->growthDepth(), 2 + q);
  }
}

TEST(Tree, SameDeclarationGrowsTheSameTreeAndLeavesTheSameGeneratorState) {
  ScopedDetailLevel quality(1);
  auto a = grown("3,0.5,0.05");
  const uint32_t after = crtRandState();
  crtSrand(12345);
  for (int i = 0; i < 17; ++i) crtRand();
  auto b = grown("3,0.5,0.05");
  EXPECT_EQ(crtRandState(), after);
  ASSERT_EQ(a->vertexCount(), b->vertexCount());
  for (size_t i = 0; i < a->vertices.size(); ++i) {
    EXPECT_EQ(a->vertices[i].position.x, b->vertices[i].position.x) << i;
    EXPECT_EQ(a->vertices[i].position.z, b->vertices[i].position.z) << i;
  }
  // 2^4 - 1 segments, two draws each, after srand(0).
  crtSrand(0);
  for (int i = 0; i < 30; ++i) crtRand();
  EXPECT_EQ(crtRandState(), after);
}

TEST(Tree, SingleNumberGivesDepthLengthAndThickness) {
  ScopedDetailLevel quality(0);
  auto tree = grown("2");
  EXPECT_EQ(tree->depth, 2);
  EXPECT_EQ(tree->segmentLength, 2.0);
  EXPECT_EQ(tree->thickness, 2.0);
  EXPECT_EQ(tree->vertexCount(), 12);
}

TEST(Tree, GrowthDepthBelowOneBuildsNothing) {
  struct Case {
    const char* value;
    int quality;
  };
  const Case cases[] = {{"0,1,0.1", 0}, {"-3,1,0.1", 2}, {"0.9,1,1", 0}, {"-1.5,1,1", 1}};
  for (const Case& c : cases) {
    ScopedDetailLevel quality(c.quality);
    crtSrand(99);
    auto tree = grown(c.value);
    EXPECT_EQ(tree->vertexCount(), 0) << c.value << " at quality " << c.quality;
    EXPECT_EQ(tree->triangleCount(), 0) << c.value;
    EXPECT_EQ(crtRandState(), 0u) << "srand(0) still happens: " << c.value;
  }
  ScopedDetailLevel quality(1);
  EXPECT_EQ(grown("0,1,1")->vertexCount(), 4) << "depth 0 at quality 1 grows one segment";
}

TEST(Tree, GrowthDepthIsClampedToFourteen) {
  ScopedDetailLevel quality(2);
  auto tree = grown("13,0.1,0.01");
  EXPECT_EQ(tree->growthDepth(), Tree::kMaxGrowthDepth);
  ASSERT_EQ(tree->vertexCount(), 65532);
  uint16_t highest = 0;
  for (const MeshTriangle& t : tree->triangles)
    for (int c = 0; c < 3; ++c) highest = std::max(highest, t.corner[c]);
  EXPECT_EQ(highest, 65531);
  auto huge = grown("2000000000,1,1");
  EXPECT_EQ(huge->vertexCount(), 65532);
}

TEST(Tree, DeclarationRegistersBuildsAndNames) {
  ScopedDetailLevel quality(0);
  ScopedConsole console;
  ObjectRegistry registry;
  SceneObject* tree = declareTree(registry, "Eiche", "2,1,0.1");
  EXPECT_EQ(tree->name, "Eiche");
  EXPECT_EQ(registry.at(1), tree);
  EXPECT_EQ(static_cast<Tree*>(tree)->vertexCount(), 12);
  EXPECT_TRUE(console.lines().empty());
}
