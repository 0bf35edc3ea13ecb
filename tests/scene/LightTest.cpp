#include <gtest/gtest.h>

#include <cmath>

#include "scene/Light.h"
#include "scene/ObjectRegistry.h"
#include "scene/SceneTestSupport.h"

using namespace wf;
using namespace wf::test;

namespace {
const double kInvSqrt3 = -0.5773502691896258;

void expectVector(const Vector4& v, double x, double y, double z, double w, const char* what) {
  EXPECT_DOUBLE_EQ(v.x, x) << what;
  EXPECT_DOUBLE_EQ(v.y, y) << what;
  EXPECT_DOUBLE_EQ(v.z, z) << what;
  EXPECT_EQ(v.w, w) << what;
}
}  // namespace

TEST(Light, PointAndDirectionalTypes) {
  ObjectRegistry registry;
  Light point("0");
  EXPECT_EQ(point.type(), kPointLight);
  expectVector(point.vector, 0, 0, 0, 1, "point light at the local origin");
  EXPECT_EQ(point.weight, -10);
  EXPECT_EQ(point.color.x, 1.0);
  EXPECT_STREQ(point.className(), "Light");
  EXPECT_EQ(point.parent, registry.at(0)) << "a placed object under Base";

  Light directional("1");
  EXPECT_EQ(directional.type(), kDirectionalLight);
  expectVector(directional.vector, kInvSqrt3, kInvSqrt3, kInvSqrt3, 0, "(-1,-1,-1) normalised");
  EXPECT_EQ(directional.source, "1");
}

TEST(Light, UnknownTypeIsReportedAndLightsNothing) {
  ScopedConsole console;
  Light odd("2");
  EXPECT_EQ(odd.type(), 2);
  expectVector(odd.vector, 0, 0, 0, 0, "unknown type keeps the zero vector");
  EXPECT_EQ(odd.weight, -10);
  ASSERT_EQ(console.lines().size(), 1u);
  EXPECT_EQ(console.lines()[0], "Unbekannter Lichttyp");
  EXPECT_EQ(console.log.level(2), 0);
}

TEST(Light, TypeIsAnIntegerExpression) {
  EXPECT_EQ(Light("1.9").type(), 1) << "truncated toward zero";
  EXPECT_EQ(Light("").type(), 0);
}

TEST(Light, SetLetters) {
  Light light("0");
  EXPECT_TRUE(light.setProperty('C', "0.5,0.25,2"));
  EXPECT_DOUBLE_EQ(light.color.x, 0.5);
  EXPECT_DOUBLE_EQ(light.color.y, 0.25);
  EXPECT_DOUBLE_EQ(light.color.z, 2.0);
  EXPECT_EQ(light.colorTransform.m[0][0], 1.0) << "C is the light colour, not the colour transform";

  EXPECT_TRUE(light.setProperty('D', "3,0,4"));
  expectVector(light.vector, 0.6, 0, 0.8, 0, "D normalises");
  EXPECT_EQ(light.type(), kPointLight) << "the type never changes";

  EXPECT_TRUE(light.setProperty('D', "0,0,0"));
  expectVector(light.vector, 0, 0, 0, 0, "a zero direction stays zero");

  EXPECT_TRUE(light.setProperty('X', "1,2,3"));
  expectVector(light.vector, 1, 2, 3, 1, "X is a position");

  EXPECT_TRUE(light.setProperty('W', "4")) << "other letters reach PlacedObject";
  EXPECT_EQ(light.weight, 4);
  EXPECT_FALSE(light.setProperty('Q', "1"));
}

TEST(Light, CombineLetters) {
  Light light("0");
  EXPECT_TRUE(light.addProperty('C', "0.5"));
  EXPECT_DOUBLE_EQ(light.color.y, 0.5) << "uniform scale halves the colour";

  EXPECT_TRUE(light.setProperty('X', "1,0,0"));
  EXPECT_TRUE(light.addProperty('X', "1,2,3,1"));
  expectVector(light.vector, 2, 2, 3, 1, "a translation moves a point light");

  Light sun("1");
  EXPECT_TRUE(sun.addProperty('D', "5,5,5,1"));
  expectVector(sun.vector, kInvSqrt3, kInvSqrt3, kInvSqrt3, 0, "a translation leaves a direction");
  EXPECT_TRUE(sun.setProperty('D', "1,0,0"));
  EXPECT_TRUE(sun.addProperty('D', "2,1"));  // quarter turn about z: +x toward -y
  EXPECT_NEAR(sun.vector.x, 0.0, 1e-9);
  EXPECT_DOUBLE_EQ(sun.vector.y, -1.0);
  EXPECT_EQ(sun.vector.w, 0.0);

  EXPECT_TRUE(sun.addProperty('M', "2"));
  EXPECT_EQ(sun.transform.m[0][0], 2.0) << "M still reaches PlacedObject";
  EXPECT_FALSE(sun.addProperty('A', "1"));
}

TEST(Light, UpdateCarriesTheVectorThroughTheParentChainAndRegisters) {
  ScopedLightList frame;
  ObjectRegistry registry;
  registry.at(0)->asPlaced()->transform = Matrix4::translation(0, 10, 0, 1);
  Light* point = registry.add(std::make_unique<Light>("0"));
  point->transform = Matrix4::translation(1, 0, 0, 1);
  Light* sun = registry.add(std::make_unique<Light>("1"));
  point->active = false;
  registry.updateAll();
  ASSERT_EQ(frame.list.count(), 2) << "inactive lights register too";
  EXPECT_EQ(frame.list.at(0), point);
  EXPECT_EQ(frame.list.at(1), sun);
  expectVector(point->worldVector, 1, 10, 0, 1, "point through Base");
  expectVector(sun->worldVector, kInvSqrt3, kInvSqrt3, kInvSqrt3, 0, "direction ignores translation");
}

TEST(Light, SeventeenthLightOfAFrameIsIgnored) {
  ScopedLightList frame;
  std::vector<std::unique_ptr<Light>> lights;
  for (int i = 0; i < 17; ++i) lights.push_back(std::make_unique<Light>("0"));
  for (auto& l : lights) l->update();
  ASSERT_EQ(frame.list.count(), LightList::kCapacity);
  for (int i = 0; i < LightList::kCapacity; ++i) EXPECT_EQ(frame.list.at(i), lights[static_cast<size_t>(i)].get());
  frame.list.clear();
  lights[16]->update();
  EXPECT_EQ(frame.list.at(0), lights[16].get()) << "next frame it is listed again";
}

TEST(Light, DirectionalLightGivesFullWhiteToAFacingNormal) {
  ScopedLightList frame;
  Light sun("1");
  sun.update();
  MeshVertex v;
  v.worldNormal = Vector4(-kInvSqrt3, -kInvSqrt3, -kInvSqrt3, 0);
  LightSample s{sun.type(), sun.worldVector, sun.color};
  lightVertices(&v, 1, &s, 1, Matrix4());
  EXPECT_NEAR(v.color.x, 1.0, 1e-15);
  v.worldNormal = Vector4(kInvSqrt3, kInvSqrt3, kInvSqrt3, 0);
  lightVertices(&v, 1, &s, 1, Matrix4());
  EXPECT_EQ(v.color.x, 0.0);
}
