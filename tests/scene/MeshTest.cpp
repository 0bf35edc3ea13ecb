#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "scene/Light.h"
#include "scene/Mesh.h"
#include "scene/ObjectRegistry.h"
#include "scene/SceneTestSupport.h"

using namespace wf;
using namespace wf::test;

namespace {

MeshVertex vertexAt(double x, double y, double z, double nx, double ny, double nz) {
  MeshVertex v;
  v.position = Vector4(x, y, z, 1.0);
  v.normal = Vector4(nx, ny, nz, 0.0);
  v.worldPosition = v.position;
  v.worldNormal = v.normal;
  return v;
}

LightSample pointLight(double x, double y, double z, Vector3 color = Vector3(1, 1, 1)) {
  LightSample l;
  l.type = kPointLight;
  l.worldVector = Vector4(x, y, z, 1.0);
  l.color = color;
  return l;
}

LightSample directionalLight(double x, double y, double z, Vector3 color = Vector3(1, 1, 1)) {
  LightSample l;
  l.type = kDirectionalLight;
  l.worldVector = Vector4(x, y, z, 0.0);
  l.color = color;
  return l;
}

Vector3 lightOne(MeshVertex v, const std::vector<LightSample>& lights, const Matrix4& cw = Matrix4()) {
  lightVertices(&v, 1, lights.data(), static_cast<int>(lights.size()), cw);
  return v.color;
}

void expectColor(const Vector3& c, double r, double g, double b, const std::string& what = "") {
  EXPECT_DOUBLE_EQ(c.x, r) << what;
  EXPECT_DOUBLE_EQ(c.y, g) << what;
  EXPECT_DOUBLE_EQ(c.z, b) << what;
}

}  // namespace

TEST(MeshLighting, WithoutLightsTheColourIsColumnThreeOfTheColourTransform) {
  const MeshVertex v = vertexAt(1, 2, 3, 0, 1, 0);
  expectColor(lightOne(v, {}), 0.0, 0.0, 0.0);
  expectColor(lightOne(v, {}, Matrix4::translation(0.1, 0.2, 0.3, 1)), 0.1, 0.2, 0.3);
}

TEST(MeshLighting, PointLightFallsOffWithDistanceNotItsSquare) {
  const MeshVertex v = vertexAt(0, 0, 0, 0, 1, 0);
  expectColor(lightOne(v, {pointLight(0, 2, 0)}), 0.5, 0.5, 0.5);
  expectColor(lightOne(v, {pointLight(0, 4, 0)}), 0.25, 0.25, 0.25);
  // Raw 2.0, clamped to 1 before the colour transform halves it.
  expectColor(lightOne(v, {pointLight(0, 0.5, 0)}), 1.0, 1.0, 1.0);
  expectColor(lightOne(v, {pointLight(0, 0.5, 0)}, Matrix4::uniformScale(0.5)), 0.5, 0.5, 0.5);
  // Off the normal: f = -dot(q, n) / d^2 with q = (-3, -4, 0): 4 / 25.
  expectColor(lightOne(v, {pointLight(3, 4, 0, Vector3(1, 0.5, 0))}), 0.16, 0.08, 0.0);
}

TEST(MeshLighting, VertexAtThePointLightGetsNothing) {
  const MeshVertex v = vertexAt(1, 1, 1, 0, 1, 0);
  expectColor(lightOne(v, {pointLight(1, 1, 1)}), 0.0, 0.0, 0.0);
}

TEST(MeshLighting, BackSideLightsAddNothing) {
  const MeshVertex v = vertexAt(0, 0, 0, 0, 1, 0);
  expectColor(lightOne(v, {pointLight(0, -2, 0)}), 0.0, 0.0, 0.0);
  expectColor(lightOne(v, {directionalLight(0, 1, 0)}), 0.0, 0.0, 0.0, "along the normal");
  expectColor(lightOne(v, {directionalLight(0, -1, 0, Vector3(0.2, 0.4, 0.6))}), 0.2, 0.4, 0.6,
              "against the normal");
  // Back-side lights do not cancel front-side ones.
  expectColor(lightOne(v, {directionalLight(0, 1, 0), directionalLight(0, -1, 0, Vector3(0.5))}), 0.5, 0.5, 0.5);
}

TEST(MeshLighting, UnknownLightTypesContributeNothing) {
  LightSample odd = directionalLight(0, -1, 0);
  odd.type = 2;
  expectColor(lightOne(vertexAt(0, 0, 0, 0, 1, 0), {odd}), 0.0, 0.0, 0.0);
}

TEST(MeshLighting, ContributionsSumInOrderAndClampPerChannel) {
  const MeshVertex v = vertexAt(0, 0, 0, 0, 1, 0);
  const std::vector<LightSample> lights = {directionalLight(0, -1, 0, Vector3(0.75, 0.25, -0.5)),
                                           directionalLight(0, -1, 0, Vector3(0.5, 0.25, 0.25))};
  expectColor(lightOne(v, lights), 1.0, 0.5, 0.0);
}

TEST(MeshLighting, ColourTransformIsAppliedAfterClampingAndNotClampedAgain) {
  const MeshVertex v = vertexAt(0, 0, 0, 0, 1, 0);
  const Matrix4 cw = Matrix4::translation(0.5, 0.0, -0.25, 1);
  expectColor(lightOne(v, {directionalLight(0, -1, 0, Vector3(3))}, cw), 1.5, 1.0, 0.75);
  // The upper 3x3 block mixes channels: red into green.
  Matrix4 mix = Matrix4::zero();
  mix.m[1][0] = 1.0;
  expectColor(lightOne(v, {directionalLight(0, -1, 0, Vector3(0.3, 0.6, 0.9))}, mix), 0.0, 0.3, 0.0);
}

TEST(MeshLighting, TransformCarriesPointsAndDirections) {
  MeshVertex v = vertexAt(1, 2, 3, 0, 0, 1);
  const Matrix4 world = Matrix4::translation(10, 20, 30, 1) * Matrix4::uniformScale(2);
  transformVertices(&v, 1, world);
  EXPECT_DOUBLE_EQ(v.worldPosition.x, 12);
  EXPECT_DOUBLE_EQ(v.worldPosition.y, 24);
  EXPECT_DOUBLE_EQ(v.worldPosition.z, 36);
  EXPECT_EQ(v.worldPosition.w, 1.0);
  EXPECT_DOUBLE_EQ(v.worldNormal.x, 0);
  EXPECT_DOUBLE_EQ(v.worldNormal.z, 2) << "normals are not renormalised";
  EXPECT_EQ(v.worldNormal.w, 0.0);
}

TEST(MeshLighting, MatchesTheMatrixAndVectorOperationsExactly) {
  // The loop writes the arithmetic out for speed; it must agree bit for bit
  // with the formula built from the math types.
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> d(-3, 3);
  Matrix4 world = Matrix4::rotation('x', 0.3) * Matrix4::translation(d(gen), d(gen), d(gen), 1) *
                  Matrix4::scale(1.5, 0.7, 2.0);
  Matrix4 cw = Matrix4::rotation('z', 0.2) * Matrix4::translation(0.1, -0.2, 0.05, 1);
  std::vector<LightSample> lights = {pointLight(d(gen), d(gen), d(gen), Vector3(0.9, 0.5, 0.2)),
                                     directionalLight(-0.3, -0.9, 0.1, Vector3(0.4, 0.4, 0.9)),
                                     pointLight(d(gen), d(gen), d(gen), Vector3(0.1, 1.0, 0.3))};
  for (int i = 0; i < 200; ++i) {
    MeshVertex v = vertexAt(d(gen), d(gen), d(gen), d(gen), d(gen), d(gen));
    transformVertices(&v, 1, world);
    lightVertices(&v, 1, lights.data(), 3, cw);

    const Vector4 wn = world.transformVector(v.normal);
    const Vector4 wp = world.transformVector(v.position);
    Vector3 sum(0.0, 0.0, 0.0);
    for (const LightSample& l : lights) {
      double f;
      if (l.type == kPointLight) {
        const Vector4 q = wp - l.worldVector;
        const double dist = q.length();
        const double g = dist != 0 ? 1.0 / (dist * dist) : 1.0;
        f = -dot(q, wn) * g;
      } else {
        f = -dot(l.worldVector, wn);
      }
      if (f > 0) {
        sum.x += f * l.color.x;
        sum.y += f * l.color.y;
        sum.z += f * l.color.z;
      }
    }
    sum.clampToUnit();
    const Vector3 expected = cw.transformPoint(sum);
    ASSERT_EQ(v.worldNormal.x, wn.x) << "vertex " << i;
    ASSERT_EQ(v.worldPosition.z, wp.z) << "vertex " << i;
    ASSERT_EQ(v.color.x, expected.x) << "vertex " << i;
    ASSERT_EQ(v.color.y, expected.y) << "vertex " << i;
    ASSERT_EQ(v.color.z, expected.z) << "vertex " << i;
  }
}

TEST(Mesh, StartsEmptyWithDefaultVertices) {
  Mesh mesh("m");
  EXPECT_EQ(mesh.vertexCount(), 0);
  EXPECT_EQ(mesh.triangleCount(), 0);
  EXPECT_STREQ(mesh.className(), "Mesh");
  const MeshVertex v;
  EXPECT_EQ(v.position.w, 1.0);
  EXPECT_EQ(v.worldPosition.w, 0.0);
  EXPECT_EQ(v.normal.w, 0.0);
  expectColor(v.color, 1.0, 1.0, 1.0);
}

namespace {
void addTriangle(Mesh& m, int a, int b, int c) {
  MeshTriangle t;
  t.corner[0] = static_cast<uint16_t>(a);
  t.corner[1] = static_cast<uint16_t>(b);
  t.corner[2] = static_cast<uint16_t>(c);
  m.triangles.push_back(t);
}
}  // namespace

TEST(Mesh, ComputeNormalsWeighsFacesByArea) {
  Mesh mesh("m");
  // Vertex 0 shared by a unit triangle facing +z and a twice as large one facing +x.
  mesh.vertices = {vertexAt(0, 0, 0, 9, 9, 9), vertexAt(1, 0, 0, 9, 9, 9), vertexAt(0, 1, 0, 9, 9, 9),
                   vertexAt(0, 2, 0, 9, 9, 9), vertexAt(0, 0, 2, 9, 9, 9)};
  addTriangle(mesh, 0, 1, 2);  // cross((1,0,0), (0,1,0)) = (0, 0, 1)
  addTriangle(mesh, 0, 3, 4);  // cross((0,2,0), (0,0,2)) = (4, 0, 0)
  addTriangle(mesh, 2, 2, 2);  // degenerate: adds nothing
  mesh.computeNormals();
  const double l = std::sqrt(17.0);
  EXPECT_DOUBLE_EQ(mesh.vertices[0].normal.x, 4 / l);
  EXPECT_DOUBLE_EQ(mesh.vertices[0].normal.z, 1 / l);
  EXPECT_DOUBLE_EQ(mesh.vertices[1].normal.z, 1.0);
  EXPECT_DOUBLE_EQ(mesh.vertices[2].normal.z, 1.0);
  EXPECT_DOUBLE_EQ(mesh.vertices[3].normal.x, 1.0);
  EXPECT_EQ(mesh.vertices[0].normal.w, 0.0);
}

TEST(Mesh, ComputeNormalsLeavesUnusedVerticesZero) {
  Mesh mesh("m");
  mesh.vertices = {vertexAt(0, 0, 0, 1, 1, 1), vertexAt(1, 0, 0, 1, 1, 1), vertexAt(0, 1, 0, 1, 1, 1),
                   vertexAt(5, 5, 5, 1, 1, 1)};
  addTriangle(mesh, 0, 0, 0);
  addTriangle(mesh, 1, 2, 7);  // names a vertex that does not exist: ignored
  mesh.computeNormals();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(mesh.vertices[static_cast<size_t>(i)].normal.x, 0.0) << "vertex " << i;
    EXPECT_EQ(mesh.vertices[static_cast<size_t>(i)].normal.y, 0.0) << "vertex " << i;
    EXPECT_EQ(mesh.vertices[static_cast<size_t>(i)].normal.z, 0.0) << "vertex " << i;
  }
}

TEST(Mesh, UpdateUsesTheParentChainAndTheFrameLights) {
  ScopedLightList frame;
  ObjectRegistry registry;
  PlacedObject* group = registry.add(std::make_unique<PlacedObject>("g"));
  group->transform = Matrix4::uniformScale(2);
  group->colorTransform = Matrix4::translation(0.0, 0.0, 0.25, 1);
  Mesh* mesh = registry.add(std::make_unique<Mesh>("m"));
  mesh->parent = group;
  mesh->vertices = {vertexAt(0, 0, 0, 0, 1, 0)};
  Light* light = registry.add(std::make_unique<Light>("1"));
  light->vector = Vector4(0, -1, 0, 0);
  light->color = Vector3(0.2, 0.3, 0.1);
  registry.updateAll();
  ASSERT_EQ(frame.list.count(), 1) << "the light registered before the mesh (weight -10)";
  // World normal has length 2 under the group's scale: the contribution doubles.
  expectColor(mesh->vertices[0].color, 0.4, 0.6, 0.45);
  EXPECT_DOUBLE_EQ(mesh->vertices[0].worldNormal.y, 2.0);
}

TEST(Mesh, MeshUpdatedBeforeALightIsLitWithoutIt) {
  ScopedLightList frame;
  ObjectRegistry registry;
  Mesh* mesh = registry.add(std::make_unique<Mesh>("m"));
  mesh->vertices = {vertexAt(0, 0, 0, 0, 1, 0)};
  mesh->vertices[0].color = Vector3(0.7, 0.7, 0.7);
  Light* light = registry.add(std::make_unique<Light>("1"));
  light->vector = Vector4(0, -1, 0, 0);
  // Put the light behind the mesh by hand, as a mesh of weight below -10 would be.
  frame.list.clear();
  mesh->update();
  light->update();
  expectColor(mesh->vertices[0].color, 0.0, 0.0, 0.0);
}

TEST(Mesh, CollectFrameLightsCopiesTypeVectorAndColour) {
  ScopedLightList frame;
  ObjectRegistry registry;
  Light* a = registry.add(std::make_unique<Light>("0"));
  Light* b = registry.add(std::make_unique<Light>("1"));
  a->transform = Matrix4::translation(1, 2, 3, 1);
  b->color = Vector3(0.5, 0.25, 0.125);
  a->update();
  b->update();
  LightSample samples[LightList::kCapacity];
  ASSERT_EQ(collectFrameLights(samples), 2);
  EXPECT_EQ(samples[0].type, kPointLight);
  EXPECT_DOUBLE_EQ(samples[0].worldVector.y, 2.0);
  EXPECT_EQ(samples[1].type, kDirectionalLight);
  expectColor(samples[1].color, 0.5, 0.25, 0.125);
}
