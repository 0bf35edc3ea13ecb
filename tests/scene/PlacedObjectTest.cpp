#include <gtest/gtest.h>

#include "base/Console.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "script/VariableTable.h"

using namespace wf;

namespace {
struct Scene {
  ObjectRegistry registry;
  PlacedObject* make(const std::string& name) {
    PlacedObject* o = registry.add(std::make_unique<PlacedObject>("x"));
    o->name = name;
    return o;
  }
};

struct FakeTexture : PlacedObject {
  using PlacedObject::PlacedObject;
  bool isTexture() const override { return true; }
};
}  // namespace

TEST(PlacedObject, DefaultParentIsBaseUnlessDeclaredAsBase) {
  Scene s;
  PlacedObject* a = s.make("a");
  EXPECT_EQ(a->parent, s.registry.at(0));
  PlacedObject* b = s.registry.add(std::make_unique<PlacedObject>("bAsE"));
  EXPECT_EQ(b->parent, nullptr);
}

TEST(PlacedObject, WeightAndActiveLetters) {
  Scene s;
  PlacedObject* a = s.make("a");
  EXPECT_TRUE(a->addProperty('W', "3"));
  EXPECT_TRUE(a->addProperty('W', "3"));
  EXPECT_EQ(a->weight, 6);
  EXPECT_TRUE(a->setProperty('W', "-2.9"));
  EXPECT_EQ(a->weight, -2);
  EXPECT_TRUE(a->setProperty('A', "0"));
  EXPECT_FALSE(a->active);
  EXPECT_TRUE(a->setProperty('A', "ja"));
  EXPECT_TRUE(a->active);
  EXPECT_FALSE(a->addProperty('A', "1")) << "A cannot be combined";
  EXPECT_FALSE(a->addProperty('P', "Base"));
  EXPECT_FALSE(a->addProperty('T', "none"));
  EXPECT_FALSE(a->setProperty('Q', "1"));
}

TEST(PlacedObject, ParentLetter) {
  Scene s;
  PlacedObject* a = s.make("a");
  PlacedObject* b = s.make("b");
  EXPECT_TRUE(b->setProperty('P', "A"));
  EXPECT_EQ(b->parent, a);
  EXPECT_FALSE(b->setProperty('P', "nobody"));
  EXPECT_EQ(b->parent, a) << "a failed look-up leaves the parent";
  EXPECT_TRUE(b->setProperty('P', "0irgendwas"));
  EXPECT_EQ(b->parent, nullptr) << "only the first character is tested";
}

TEST(PlacedObject, ParentLoopsAreRefused) {
  Scene s;
  PlacedObject* a = s.make("a");
  PlacedObject* b = s.make("b");
  EXPECT_FALSE(a->setProperty('P', "a")) << "own parent";
  ASSERT_TRUE(b->setProperty('P', "a"));
  EXPECT_FALSE(a->setProperty('P', "b")) << "own grandparent";
  EXPECT_EQ(a->parent, s.registry.at(0));
  EXPECT_FALSE(s.registry.at(0)->asPlaced()->setProperty('P', "b"));
}

TEST(PlacedObject, TransformsComposeDownTheChain) {
  Scene s;
  PlacedObject* base = s.registry.at(0)->asPlaced();
  PlacedObject* a = s.make("a");
  ASSERT_TRUE(base->setProperty('M', "1,0,0,1"));
  ASSERT_TRUE(a->setProperty('M', "2"));
  Vector4 p = a->worldTransform().transformVector(Vector4(1, 1, 1, 1));
  EXPECT_EQ(p.x, 3.0) << "base.M x a.M: scale first, then translate";
  EXPECT_EQ(p.y, 2.0);
  // Combining multiplies on the left: applied after the existing transform.
  ASSERT_TRUE(a->addProperty('M', "0,0,1,1"));
  Vector4 q = a->transform.transformVector(Vector4(1, 0, 0, 1));
  EXPECT_EQ(q.x, 2.0);
  EXPECT_EQ(q.z, 1.0);
  ASSERT_TRUE(a->setProperty('C', "0.5"));
  ASSERT_TRUE(a->addProperty('C', "2"));
  EXPECT_EQ(a->worldColorTransform().m[0][0], 1.0);
}

TEST(PlacedObject, TextureInheritanceAndTheNoneMarker) {
  Scene s;
  FakeTexture* tex = s.registry.add(std::make_unique<FakeTexture>("t"));
  tex->name = "Holz";
  PlacedObject* grand = s.make("grand");
  PlacedObject* parent = s.make("parent");
  PlacedObject* mesh = s.make("mesh");
  ASSERT_TRUE(parent->setProperty('P', "grand"));
  ASSERT_TRUE(mesh->setProperty('P', "parent"));
  ASSERT_TRUE(grand->setProperty('T', "holz"));
  EXPECT_EQ(mesh->effectiveTexture(), tex);
  ASSERT_TRUE(parent->setProperty('T', "NONE"));
  EXPECT_EQ(mesh->effectiveTexture(), PlacedObject::noTexture());
  ASSERT_TRUE(parent->setProperty('T', "keine"));
  ASSERT_TRUE(parent->setProperty('T', "0"));
  EXPECT_EQ(mesh->effectiveTexture(), tex);
  EXPECT_FALSE(mesh->setProperty('T', "grand")) << "not a texture";
  EXPECT_FALSE(mesh->setProperty('T', "missing"));
  EXPECT_EQ(mesh->texture, nullptr);
}

TEST(PlacedObject, ConsoleTraceReadsNameDotLetterEqualsText) {
  Scene s;
  PlacedObject* a = s.make("Ring");
  ConsoleLog log;
  setCurrentConsole(&log);
  log.print("Ring", 2);  // what the interpreter prints first
  a->setProperty('M', "0,0.5");
  a->setProperty('W', "1");
  setCurrentConsole(nullptr);
  EXPECT_EQ(log.line(2), "Ring.M=0,0.5");
  EXPECT_EQ(log.line(3), "Ring") << "W and A print the name on a line of its own";
  EXPECT_EQ(log.level(3), 2);
}
