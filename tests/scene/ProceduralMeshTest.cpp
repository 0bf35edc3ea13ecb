// The procedural meshes: tree, logo tori, heightfield and skeleton.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "base/Random.h"
#include "scene/Heightfield.h"
#include "scene/Logo.h"
#include "scene/SceneTestSupport.h"
#include "scene/Skeleton.h"
#include "scene/Tree.h"
#include "script/VariableTable.h"

using namespace wf;
using namespace wf::test;

namespace {

using Build = std::function<std::unique_ptr<Mesh>()>;
const std::string kTreeSource = "BAUM (by Zweigler)";

Build tree(const char* value) {
  return [value] {
    auto t = std::make_unique<Tree>();
    EXPECT_TRUE(t->build(evaluateMatrix(value)));
    return std::unique_ptr<Mesh>(std::move(t));
  };
}

Build arm(const std::function<void(Skeleton&)>& change) {
  return [change] {
    auto s = std::make_unique<Skeleton>("");
    change(*s);
    s->build();
    return std::unique_ptr<Mesh>(std::move(s));
  };
}

std::vector<int> corners(const Mesh& mesh, size_t first, size_t count) {
  std::vector<int> out;
  for (size_t t = first; t < first + count && t < mesh.triangles.size(); ++t)
    out.insert(out.end(), mesh.triangles[t].corner, mesh.triangles[t].corner + 3);
  return out;
}

}  // namespace

TEST(ProceduralMesh, CountsIndicesNormalsAndReports) {
  const Build ring = [] { return buildTorus(0.2, 0, 1); }, openC = [] { return buildTorus(0.25, 0.1, 0.9); };
  const Build field = [] { return std::make_unique<Heightfield>("gibt es nicht"); };
  const Build skeleton = arm([](Skeleton&) {});
  // What, the builder, the quality; the vertex and triangle counts and the console lines.
  const std::tuple<const char*, Build, int, int, int, std::vector<std::string>> cases[] = {
      {"tree 2,1,0.1: 3 segments", tree("2,1,0.1"), 0, 12, 12, {}}, {"tree 2", tree("2"), 0, 12, 12, {}},
      {"tree: a level more", tree("2,1,0.1"), 1, 28, 28, {}},         {"two more", tree("2,1,0.1"), 2, 60, 60, {}},
      {"tree -0.5: truncated to 0", tree("-0.5,1,1"), 1, 4, 4, {}},  {"tree -3", tree("-3,1,0.1"), 2, 0, 0, {}},
      {"tree 0.9: truncated to 0", tree("0.9,1,1"), 0, 0, 0, {}},
      {"tree clamped to 14 levels", tree("13,0.1,0.01"), 2, 65532, 65532, {}},
      {"tree clamped from 2e9 levels", tree("2000000000,1,1"), 0, 65532, 65532, {}},
      {"outer ring", ring, 0, 143, 240, {}},           {"outer ring", ring, 1, 546, 1000, {}},
      {"outer ring", ring, 2, 2601, 5000, {}},         {"inner C", openC, 0, 145, 260, {}},
      {"inner C", openC, 1, 548, 1040, {}},            {"inner C", openC, 2, 2603, 5100, {}},
      {"heightfield", field, 0, 121, 200, {}},         {"heightfield", field, 1, 441, 800, {}},
      {"heightfield", field, 2, 2601, 5000, {}},       {"skeleton", skeleton, 0, 12, 18, {}},
      {"skeleton", skeleton, 1, 20, 30, {}},           {"skeleton", skeleton, 2, 36, 54, {}},
      {"forearm along the reference: the root stays",
       arm([](Skeleton& s) { s.bones[1].direction = Vector4(0.94, 1.23, 0.01, 0); }), 0, 6, 6, {"Bone-X zeros"}},
      {"hand of radius 0", arm([](Skeleton& s) { s.bones[2].radius = 0; }), 0, 9, 12, {"Bone-Y zeros"}},
      {"inactive hand", arm([](Skeleton& s) { s.bones[2].active = 0; }), 0, 9, 12, {}},
  };
  for (const auto& [what, build, level, vertices, triangles, lines] : cases) {
    SCOPED_TRACE(std::string(what) + " at quality " + std::to_string(level));
    ScopedDetailLevel quality(level);
    ScopedConsole console;
    const std::unique_ptr<Mesh> mesh = build();
    EXPECT_EQ(std::make_tuple(mesh->vertexCount(), mesh->triangleCount(), console.lines()),
              std::make_tuple(vertices, triangles, lines));
    for (const MeshTriangle& t : mesh->triangles)
      for (uint16_t corner : t.corner) ASSERT_LT(corner, mesh->vertexCount());
    for (const MeshVertex& v : mesh->vertices) {
      ASSERT_NEAR(v.normal.length(), 1.0, 1e-12);
      ASSERT_EQ(std::make_pair(v.normal.w, v.position.w), std::make_pair(0.0, 1.0)) << "a direction, a point";
    }
  }
}

TEST(Tree, ThreeLevelsFollowTheDrawsAndTheBindingOffsets) {
  ScopedDetailLevel quality(0);
  crtSrand(99);
  crtRand();  // every build reseeds 0 first, whatever was drawn before
  const std::unique_ptr<Mesh> t = tree("3,1,0.1")();
  EXPECT_EQ(std::make_pair(t->source, dynamic_cast<Tree&>(*t).growthDepth()), std::make_pair(kTreeSource, 3));
  // rand() after srand(0), two per segment: Z = (r2 % 6) * (r1 odd ? -0.01 : 0.01), children at pz + Z/2.
  // 38 7719 | 21238 2437 | 8855 11797 | 8365 32285 | 10450 30612 | 5853 28100 | 1142 281
  const double points[][4] = {
      {0, -0.1, 0, 0.1}, {1, 0.1, 0, 0.1}, {2, 0, 0, -0.1}, {3, 0, 3, 0.03},  // trunk, up; tip Z +0.03
      {4, 0, 1.4, 0.115}, {7, 2, 1.5, 0.025},                                   // right from (0, 1.5); Z +0.01
      {10, 1, 1.5, 0.02 - 0.1}, {11, 1, 2.5, 0.01},                             // its up child at px + h/2
      {14, 1.0 / 3, 1.5, 0.02 - 0.1}, {15, 1.0 / 3, 0.5, -0.03},                // its down child at px + h/2 - h/3
      {19, -2, 1, 0.015},                                                       // left from (0, 1); Z 0
      {22, -1, 1, 0.015 - 0.1}, {23, -1, 2, -0.005},          // its up child at px - h/2
      {26, 1.0 / 3, 1, 0.015 - 0.1}, {27, 1.0 / 3, 0, 0.065},  // binding: its down child on the +x side
  };
  for (const auto& p : points) {
    const MeshVertex& v = t->vertices.at(static_cast<size_t>(p[0]));
    expectNear(xyzw(v.position), {p[1], p[2], p[3], 1}, 1e-12, "vertex " + std::to_string(p[0]));
    EXPECT_EQ(xyzw(v.texCoord), xyzw({v.position.x, v.position.y, 0, 0})) << "vertex " << p[0];
  }
  // Windings: up (trunk), right, down (at 12), left (at 16).
  EXPECT_EQ(corners(*t, 0, 4), (std::vector<int>{0, 1, 2, 3, 0, 1, 0, 2, 3, 1, 3, 2}));
  EXPECT_EQ(corners(*t, 4, 4), (std::vector<int>{6, 5, 4, 4, 7, 5, 6, 4, 7, 7, 5, 6}));
  EXPECT_EQ(corners(*t, 12, 4), (std::vector<int>{12, 13, 14, 12, 15, 13, 14, 12, 15, 15, 13, 14}));
  EXPECT_EQ(corners(*t, 16, 4), (std::vector<int>{18, 17, 16, 19, 16, 17, 16, 18, 19, 17, 19, 18}));
  // 7 segments drew 14 numbers after srand(0): later callers continue from there.
  const uint32_t after = crtRandState();
  crtSrand(0);
  for (int i = 0; i < 14; ++i) crtRand();
  EXPECT_EQ(crtRandState(), after);
  // The children of a down segment (level 3, vertices 36..39 of "5,1,0") start above it, at +h/2 and +h/3.
  const std::unique_ptr<Mesh> five = tree("5,1,0")();
  const double startY = five->vertices[38].position.y;
  EXPECT_EQ(std::vector<double>({five->vertices[39].position.y, five->vertices[42].position.y, five->vertices[58].position.y}),
            std::vector<double>({startY - 3.0, startY + 1.5, startY + 1.0})) << "it grows down; first and second child";
}

TEST(Logo, TorusVerticesTrianglesAndCaps) {
  ScopedDetailLevel quality(0);  // 12 ring steps, 10 tube steps
  const std::unique_ptr<Mesh> ring = buildTorus(0.2, 0, 1), c = buildTorus(0.25, 0.1, 0.9);
  EXPECT_EQ(std::make_pair(xyzw(ring->vertices[0].position), xyzw(ring->vertices[0].normal)),
            std::make_pair(xyzw({1.2, 0, 0, 1}), xyzw({1, 0, 0, 0})));
  expectNear(xyzw(c->vertices[0].position), {1.0112712, 0.7347316, 0, 1}, 5e-8, "phi = 0.2 pi, radius 1.25");
  EXPECT_EQ(corners(*c, 24, 2), (std::vector<int>{13, 24, 14, 24, 25, 14})) << "cell (1, 2)";
  // Caps after the 240 grid triangles: (144, j, j+1) and (143, 142 - j, 141 - j).
  EXPECT_EQ(corners(*c, 240, 2), (std::vector<int>{144, 0, 1, 143, 142, 141}));
  EXPECT_EQ(corners(*c, 258, 2), (std::vector<int>{144, 9, 10, 143, 133, 132}));
  const double e = 2 * kPi10 * 0.9;  // the end cap's centre and its (sin, cos, 0) normal, not the tangent
  expectNear(xyzw(c->vertices[143].position), {std::cos(e), std::sin(e), 0, 1}, 1e-15, "end centre");
  expectNear(xyzw(c->vertices[143].normal), {std::sin(e), std::cos(e), 0, 0}, 1e-15, "end centre's normal");
  // The closed ring's first and last steps (vertices 3 and 135) coincide, but not in v.
  expectNear(xyzw(ring->vertices[3].position), xyzw(ring->vertices[135].position), 1e-9, "ring steps 0 and 12");
  EXPECT_EQ(std::make_pair(ring->vertices[3].texCoord.y, ring->vertices[135].texCoord.y), std::make_pair(0.0, 1.0));
}

TEST(Heightfield, LowQualityGrid) {
  ScopedDetailLevel quality(0);
  Heightfield field("");
  EXPECT_EQ(field.source, "höhenfeld");
  const double cases[][3] = {{0, -10.45, -11}, {10, 10.45, -11}, {5, 0, -11}, {120, 0.95, -1}, {110, -0.95, -1},
                             {60, 0, -6}};  // vertex, x, z
  for (const auto& c : cases) {
    const MeshVertex& v = field.vertices[static_cast<size_t>(c[0])];
    expectNear(xyzw(v.position), {c[1], 0, c[2], 1}, 1e-14, "vertex " + std::to_string(c[0]));
    EXPECT_EQ(xyzw(v.texCoord), xyzw({v.position.x, v.position.z, 0, 0})) << "vertex " << c[0];
  }
  EXPECT_EQ(corners(field, 2 * (1 * 10 + 2), 2), (std::vector<int>{13, 24, 14, 24, 25, 14})) << "cell (1, 2)";
}

TEST(Skeleton, BonesRingsAndTriangles) {
  ScopedDetailLevel quality(0);
  Skeleton a("arm");
  // Rings: end of the root (0), start at the origin (3), end of the forearm (6), of the hand (9).
  EXPECT_EQ(corners(a, 0, 18), (std::vector<int>{0, 3, 4, 0, 4, 1, 1, 4, 5, 1, 5, 2, 2, 5, 3, 2, 3, 0,
                                                 6, 0, 1, 6, 1, 7, 7, 1, 2, 7, 2, 8, 8, 2, 0, 8, 0, 6,
                                                 9, 6, 7, 9, 7, 10, 10, 7, 8, 10, 8, 11, 11, 8, 6, 11, 6, 9}));
  // Texture u = k/3 around, v = 0 on the start ring, else the ring centre's distance from the origin.
  for (const auto& [k, u, v] : {std::tuple(1, 1 / 3.0, std::sqrt(1.04)), std::tuple(5, 2 / 3.0, 0.0),
                                std::tuple(6, 0.0, std::sqrt(2.48)), std::tuple(11, 2 / 3.0, std::sqrt(2.92))})
    expectNear(xyzw(a.vertices[k].texCoord), {u, v, 0, 0}, 1e-15, "vertex " + std::to_string(k));
  // Every ring has its bone's radius and is perpendicular to the bone.
  const double rings[4][3] = {{0, 0, 0.2}, {3, -1, 0.2}, {6, 1, 0.15}, {9, 2, 0.3}};  // first, bone, radius
  for (const auto& r : rings) {
    const int bone = static_cast<int>(r[1]);  // -1: the root's start ring, at the origin
    const Vector4 centre = bone < 0 ? Vector4(0, 0, 0, 1) : a.endPoint(bone);
    const Vector4& dir = a.bones[static_cast<size_t>(std::max(bone, 0))].direction;
    for (size_t k = 0; k < 3; ++k) {
      const Vector4 offset = a.vertices[static_cast<size_t>(r[0]) + k].position - centre;
      EXPECT_NEAR(offset.length(), r[2], 1e-12) << "ring at " << r[0] << " vertex " << k;
      EXPECT_NEAR(dot(offset, dir), 0.0, 1e-12) << "ring at " << r[0] << " vertex " << k;
    }
  }
}
