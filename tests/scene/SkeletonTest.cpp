#include <gtest/gtest.h>

#include <cmath>

#include "scene/SceneDeclarations.h"
#include "scene/SceneTestSupport.h"
#include "scene/Skeleton.h"

using namespace wf;
using namespace wf::test;

TEST(Skeleton, Bones) {
  ScopedDetailLevel quality(0);
  Skeleton arm("arm");
  ASSERT_EQ(arm.bones.size(), 3u);
  EXPECT_STREQ(arm.bones[0].name, "Oberarm");
  EXPECT_STREQ(arm.bones[1].name, "Elle");
  EXPECT_STREQ(arm.bones[2].name, "Hand");
  EXPECT_EQ(arm.bones[0].parent, -1);
  EXPECT_EQ(arm.bones[2].parent, 1);
  EXPECT_EQ(arm.bones[1].radius, 0.15);
  const Vector4 end2 = arm.endPoint(2);
  EXPECT_DOUBLE_EQ(end2.x, 1.2);
  EXPECT_DOUBLE_EQ(end2.y, -1.2);
  EXPECT_DOUBLE_EQ(end2.z, 0.2);
  EXPECT_EQ(end2.w, 0.0);
  EXPECT_EQ(arm.source, "arm");
  EXPECT_STREQ(arm.className(), "Skeleton");
}

TEST(Skeleton, CountsPerQuality) {
  const int ring[3] = {3, 5, 9};
  for (int q = 0; q < 3; ++q) {
    ScopedDetailLevel quality(q);
    Skeleton arm("");
    const int s = ring[q];
    EXPECT_EQ(arm.vertexCount(), 4 * s) << "quality " << q;
    EXPECT_EQ(arm.triangleCount(), 6 * s) << "quality " << q;
    EXPECT_EQ(arm.bones[0].firstVertex, 0);
    EXPECT_EQ(arm.bones[1].firstVertex, 2 * s) << "after the root's end and start rings";
    EXPECT_EQ(arm.bones[2].firstVertex, 3 * s);
  }
}

TEST(Skeleton, TextureCoordinates) {
  ScopedDetailLevel quality(1);
  Skeleton arm("");
  const int s = 5;
  const double lengths[3] = {std::sqrt(0.2 * 0.2 + 1.0), std::sqrt(1.0 + 1.44 + 0.04), std::sqrt(1.44 + 1.44 + 0.04)};
  EXPECT_NEAR(lengths[0], 1.0198, 5e-5);
  EXPECT_NEAR(lengths[1], 1.5748, 5e-5);
  EXPECT_NEAR(lengths[2], 1.7088, 5e-5);
  for (int k = 0; k < s; ++k) {
    EXPECT_DOUBLE_EQ(arm.vertices[static_cast<size_t>(k)].texCoord.y, lengths[0]) << k;
    EXPECT_EQ(arm.vertices[static_cast<size_t>(s + k)].texCoord.y, 0.0) << "start ring " << k;
    EXPECT_DOUBLE_EQ(arm.vertices[static_cast<size_t>(2 * s + k)].texCoord.y, lengths[1]) << k;
    EXPECT_DOUBLE_EQ(arm.vertices[static_cast<size_t>(3 * s + k)].texCoord.y, lengths[2]) << k;
    EXPECT_EQ(arm.vertices[static_cast<size_t>(k)].texCoord.x, k * 1.0 / s) << k;
    EXPECT_EQ(arm.vertices[static_cast<size_t>(s + k)].texCoord.x, static_cast<double>(k) / s) << k;
  }
}

TEST(Skeleton, RingsHaveTheBoneRadiusAndArePerpendicular) {
  ScopedDetailLevel quality(2);
  Skeleton arm("");
  const int s = 9;
  struct Ring {
    int first, bone;
    double radius;
    bool atOrigin;
  };
  const Ring rings[] = {{0, 0, 0.2, false}, {s, 0, 0.2, true}, {2 * s, 1, 0.15, false}, {3 * s, 2, 0.3, false}};
  for (const Ring& r : rings) {
    const Vector4 centre = r.atOrigin ? Vector4(0, 0, 0, 1) : arm.endPoint(r.bone);
    const Vector4& dir = arm.bones[static_cast<size_t>(r.bone)].direction;
    for (int k = 0; k < s; ++k) {
      const MeshVertex& v = arm.vertices[static_cast<size_t>(r.first + k)];
      Vector4 offset = v.position - centre;
      offset.w = 0;
      EXPECT_NEAR(offset.length(), r.radius, 1e-12) << "ring at " << r.first << " vertex " << k;
      EXPECT_NEAR(dot(offset, dir), 0.0, 1e-12) << "ring at " << r.first << " vertex " << k;
      EXPECT_NEAR(v.normal.length(), 1.0, 1e-12);
      EXPECT_NEAR(dot(v.normal, offset), r.radius, 1e-12) << "normal points outward";
      EXPECT_EQ(v.position.w, 1.0);
    }
  }
}

TEST(Skeleton, RingVerticesFollowTheFormula) {
  ScopedDetailLevel quality(0);
  Skeleton arm("");
  const Vector4 dir(0.2, -1.0, 0.0, 0.0);
  Vector4 A = cross(dir, Vector4(0.94, 1.23, 0.01, 0));
  A = Matrix4::uniformScale(0.2 / A.length()).transformVector(A);
  Vector4 B = cross(dir, A);
  B = Matrix4::uniformScale(0.2 / B.length()).transformVector(B);
  const double theta = 2 * 1 * kPi10 / 3;
  const Vector4 O = Matrix4::uniformScale(std::cos(theta)).transformVector(A) +
                    Matrix4::uniformScale(std::sin(theta)).transformVector(B);
  const Vector4 p = O + dir;
  EXPECT_EQ(arm.vertices[1].position.x, p.x);
  EXPECT_EQ(arm.vertices[1].position.y, p.y);
  EXPECT_EQ(arm.vertices[1].position.z, p.z);
  EXPECT_EQ(arm.vertices[4].position.x, O.x) << "start ring vertex 1";
}

TEST(Skeleton, Triangles) {
  ScopedDetailLevel quality(0);
  Skeleton arm("");
  const int s = 3;
  std::vector<std::array<int, 3>> expected;
  for (int k = 0; k < s; ++k) {  // root: end ring to start ring
    const int k1 = (k + 1) % s;
    expected.push_back({k, s + k, s + k1});
    expected.push_back({k, s + k1, k1});
  }
  for (int bone = 1; bone <= 2; ++bone) {
    const int F = (bone + 1) * s, P = bone == 1 ? 0 : 2 * s;
    for (int k = 0; k < s; ++k) {
      const int k1 = (k + 1) % s;
      expected.push_back({F + k, P + k, P + k1});
      expected.push_back({F + k, P + k1, F + k1});
    }
  }
  ASSERT_EQ(arm.triangles.size(), expected.size());
  for (size_t t = 0; t < expected.size(); ++t)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(arm.triangles[t].corner[c], expected[t][static_cast<size_t>(c)]) << t;
}

TEST(Skeleton, BoneAlongTheReferenceStopsTheBuild) {
  ScopedDetailLevel quality(0);
  ScopedConsole console;
  Skeleton arm("");
  arm.bones[1].direction = Vector4(0.94, 1.23, 0.01, 0) ;
  arm.build();
  EXPECT_EQ(arm.vertexCount(), 6) << "the root keeps its rings";
  EXPECT_EQ(arm.triangleCount(), 6);
  EXPECT_EQ(console.lines(), std::vector<std::string>{"Bone-X zeros"});

  arm.bones[1].direction = Vector4(0, 0, 0, 0);
  arm.bones[0].direction = Vector4(0, 0, 0, 0);
  arm.build();
  EXPECT_EQ(arm.vertexCount(), 0);
}

TEST(Skeleton, ZeroRadiusGivesTheSecondAxisReport) {
  ScopedDetailLevel quality(0);
  ScopedConsole console;
  Skeleton arm("");
  arm.bones[2].radius = 0.0;
  arm.build();
  EXPECT_EQ(arm.vertexCount(), 9) << "root and forearm keep their rings";
  EXPECT_EQ(arm.triangleCount(), 12);
  EXPECT_EQ(console.lines(), std::vector<std::string>{"Bone-Y zeros"});
}

TEST(Skeleton, InactiveBonesGetNoGeometry) {
  ScopedDetailLevel quality(0);
  Skeleton arm("");
  arm.bones[2].active = 0;
  arm.build();
  EXPECT_EQ(arm.vertexCount(), 9);
  EXPECT_EQ(arm.triangleCount(), 12);
}

TEST(Skeleton, Declaration) {
  ScopedDetailLevel quality(1);
  ScopedConsole console;
  ObjectRegistry registry;
  SceneObject* arm = declareSkeleton(registry, "Arm", "x");
  EXPECT_EQ(arm->name, "Arm");
  EXPECT_EQ(arm->source, "x");
  EXPECT_EQ(registry.at(1), arm);
  EXPECT_TRUE(console.lines().empty());
}
