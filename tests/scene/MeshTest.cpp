// Software lighting of mesh vertices, normals, and the lights that feed them.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/Light.h"
#include "scene/Mesh.h"
#include "scene/ObjectRegistry.h"
#include "scene/SceneTestSupport.h"

using namespace wf;
using namespace wf::test;

namespace {

MeshVertex vertexAt(double x, double y, double z, double nx, double ny, double nz) {
  MeshVertex v;
  v.position = v.worldPosition = Vector4(x, y, z, 1.0);
  v.normal = v.worldNormal = Vector4(nx, ny, nz, 0.0);
  return v;
}

LightSample light(int type, double x, double y, double z, Vector3 color = Vector3(1, 1, 1)) {
  return LightSample{type, Vector4(x, y, z, type == kPointLight ? 1.0 : 0.0), color};
}

}  // namespace

TEST(MeshLighting, HandWorkedCases) {
  // One vertex at the origin with normal +y; every value below is exact in binary.
  const int P = kPointLight, D = kDirectionalLight;
  const Matrix4 I;
  const std::tuple<const char*, std::vector<LightSample>, Matrix4, Vector3> cases[] = {
      {"no lights: column 3 of the colour transform", {}, Matrix4::translation(0.5, 0.25, 0, 1), {0.5, 0.25, 0}},
      {"point light 2 away: falls off as 1/d", {light(P, 0, 2, 0)}, I, {0.5, 0.5, 0.5}},
      {"off the normal: -dot(q, n) / |q|^2 = 1 / 1.5625", {light(P, 0.75, 1, 0, {1, 0.5, 0})}, I, {0.64, 0.32, 0}},
      {"raw 2 clamped to 1, then halved", {light(P, 0, 0.5, 0)}, Matrix4::uniformScale(0.5), {0.5, 0.5, 0.5}},
      {"vertex at the point light", {light(P, 0, 0, 0)}, I, {0, 0, 0}},
      {"point light behind: adds nothing, takes nothing", {light(P, 0, -2, 0), light(D, 0, -1, 0, {0.5, 0.5, 0.5})}, I,
       {0.5, 0.5, 0.5}},
      {"directional against the normal", {light(D, 0, -1, 0, {0.25, 0.5, 0.75})}, I, {0.25, 0.5, 0.75}},
      {"unknown light type", {light(2, 0, -1, 0)}, I, {0, 0, 0}},
      {"sum clamped per channel", {light(D, 0, -1, 0, {0.75, 0.25, -0.5}), light(D, 0, -1, 0, {0.5, 0.25, 0.25})}, I,
       {1, 0.5, 0}},
      {"colour transform after the clamp, not clamped again", {light(D, 0, -1, 0, Vector3(3))},
       Matrix4::translation(0.5, 0, -0.25, 1), {1.5, 1, 0.75}},
  };
  for (const auto& [what, lights, colorTransform, expected] : cases) {
    MeshVertex v = vertexAt(0, 0, 0, 0, 1, 0);
    lightVertices(&v, 1, lights.data(), static_cast<int>(lights.size()), colorTransform);
    EXPECT_EQ(xyz(v.color), xyz(expected)) << what;
  }
}

TEST(Mesh, ComputeNormalsWeighsFacesByAreaAndSkipsBadOnes) {
  Mesh mesh("m");
  // Vertex 0 shared by a unit triangle facing +z and a twice as large one facing +x; vertex 5 unused.
  mesh.vertices = {vertexAt(0, 0, 0, 9, 9, 9), vertexAt(1, 0, 0, 9, 9, 9), vertexAt(0, 1, 0, 9, 9, 9),
                   vertexAt(0, 2, 0, 9, 9, 9), vertexAt(0, 0, 2, 9, 9, 9), vertexAt(5, 5, 5, 9, 9, 9)};
  mesh.triangles = {{{0, 1, 2}}, {{0, 3, 4}}, {{2, 2, 2}}, {{1, 3, 7}}};  // degenerate; a missing vertex
  mesh.computeNormals();
  const double l = std::sqrt(17.0);  // |(4, 0, 1)|
  const double expected[6][3] = {{4 / l, 0, 1 / l}, {0, 0, 1}, {0, 0, 1}, {1, 0, 0}, {1, 0, 0}, {0, 0, 0}};
  for (size_t i = 0; i < 6; ++i)
    EXPECT_EQ(xyzw(mesh.vertices[i].normal), xyzw({expected[i][0], expected[i][1], expected[i][2], 0})) << i;
}

TEST(Mesh, UpdateUsesTheParentChainAndTheFrameLights) {
  ScopedLightList frame;
  ObjectRegistry registry;
  PlacedObject* group = registry.add(std::make_unique<PlacedObject>("g"));
  group->transform = Matrix4::translation(1, 2, 3, 1) * Matrix4::uniformScale(2);
  group->colorTransform = Matrix4::translation(0.0, 0.0, 0.25, 1);
  Mesh* mesh = registry.add(std::make_unique<Mesh>("m"));
  mesh->parent = group;
  mesh->vertices = {vertexAt(1, 0, 0, 0, 1, 0)};
  Light* sun = registry.add(std::make_unique<Light>("1"));
  sun->vector = Vector4(0, -1, 0, 0);
  sun->color = Vector3(0.25, 0.125, 0.5);
  sun->active = false;
  registry.updateAll();
  ASSERT_EQ(frame.list.count(), 1) << "the light (weight -10) updates before the mesh, inactive or not";
  // The group's scale doubles the world normal and so the contribution; the translation moves only the point.
  EXPECT_EQ(xyzw(mesh->vertices[0].worldNormal), xyzw({0, 2, 0, 0}));
  EXPECT_EQ(xyzw(mesh->vertices[0].worldPosition), xyzw({3, 2, 3, 1}));
  EXPECT_EQ(xyz(mesh->vertices[0].color), xyz({0.5, 0.25, 1.25}));
}

TEST(Light, TypeAndLetters) {
  const double s = -0.5773502691896258;  // -1/sqrt(3)
  const std::tuple<const char*, int, Vector4, std::vector<std::string>> cases[] = {
      {"0", kPointLight, {0, 0, 0, 1}, {}},
      {"1.9", kDirectionalLight, {s, s, s, 0}, {}},  // an integer expression, truncated
      {"2", 2, {0, 0, 0, 0}, {"Unbekannter Lichttyp"}}};
  for (const auto& [value, type, vector, lines] : cases) {
    ScopedConsole console;
    Light l(value);
    EXPECT_EQ(std::make_tuple(l.type(), xyzw(l.vector), console.lines(), l.weight, xyz(l.color)),
              std::make_tuple(type, xyzw(vector), lines, -10, xyz({1, 1, 1}))) << value;
  }
  Light l("0");  // the letters, on a point light
  const Vector3 c(0.25, 0.125, 1);
  const std::tuple<const char*, Vector4, Vector3> steps[] = {  // command, then the vector and the colour
      {"C=0.5,0.25,2", {0, 0, 0, 1}, {0.5, 0.25, 2}},
      {"C*0.5", {0, 0, 0, 1}, c},           {"X=1,2,3", {1, 2, 3, 1}, c},
      {"X*1,2,3,1", {2, 4, 6, 1}, c},      {"D=3,0,4", {0.6, 0, 0.8, 0}, c},
      {"D=0,0,0", {0, 0, 0, 0}, c},        {"D=0,0,2", {0, 0, 1, 0}, c},
      {"D*5,5,5,1", {0, 0, 1, 0}, c},      // a translation leaves a direction
      {"D*3", {0, 0, 1, 0}, c},            // renormalised
  };
  for (const auto& [command, vector, color] : steps) {
    const char letter = command[0];
    const std::string text = command + 2;
    EXPECT_TRUE(command[1] == '=' ? l.setProperty(letter, text) : l.addProperty(letter, text)) << command;
    EXPECT_EQ(std::make_pair(xyzw(l.vector), xyz(l.color)), std::make_pair(xyzw(vector), xyz(color))) << command;
  }
  ASSERT_TRUE(l.addProperty('D', "0,1"));  // a quarter turn about x turns +z toward +y
  expectNear(xyzw(l.vector), {0, 1, 0, 0}, 1e-10, "D*0,1");
  EXPECT_EQ(std::make_pair(l.type(), l.colorTransform.m[0][0]), std::make_pair(int{kPointLight}, 1.0))
      << "the type never changes; C is the light's colour, not the colour transform";
  EXPECT_TRUE(l.setProperty('W', "4") && l.addProperty('M', "2")) << "other letters reach PlacedObject";
  EXPECT_EQ(std::make_pair(l.weight, l.transform.m[0][0]), std::make_pair(4, 2.0));
  EXPECT_FALSE(l.setProperty('Q', "1") || l.addProperty('A', "1"));
}
