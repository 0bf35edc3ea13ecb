// Placed objects' property letters and the registry that orders, updates and draws them.
#include <gtest/gtest.h>

#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "scene/SceneTestSupport.h"

using namespace wf;
using namespace wf::test;

namespace {
PlacedObject* make(ObjectRegistry& r, const std::string& name, int weight = 0) {
  auto o = std::make_unique<PlacedObject>("x");
  o->weight = weight, o->name = name;
  return r.add(std::move(o));
}

struct Probe : PlacedObject {  // logs its updates and draws, and counts as a texture
  Probe(const char* text, std::vector<std::string>& log) : PlacedObject(text), log_(log) {}
  void update() override { log_.push_back("update " + name); }
  void draw() override { log_.push_back("draw " + name); }
  bool isTexture() const override { return true; }
  std::vector<std::string>& log_;
};
}  // namespace

TEST(PlacedObject, Letters) {
  ObjectRegistry r;
  PlacedObject *a = make(r, "a"), *b = make(r, "b"), *grand = make(r, "grand"), *base = r.at(0)->asPlaced();
  std::vector<std::string> log;
  Probe* wood = r.add(std::make_unique<Probe>("Holz", log));
  SceneObject* none = PlacedObject::noTexture();
  EXPECT_EQ(a->parent, base) << "the default parent is Base";
  EXPECT_EQ(r.add(std::make_unique<PlacedObject>("bAsE"))->parent, nullptr) << "declared as Base: no parent";
  // object, command, accepted, then the object's weight, active, parent and texture
  const std::tuple<PlacedObject*, const char*, bool, int, bool, PlacedObject*, SceneObject*> steps[] = {
      {a, "W*3", true, 3, true, base, nullptr},          {a, "W*3", true, 6, true, base, nullptr},
      {a, "W=-2.9", true, -2, true, base, nullptr},      {a, "A=0", true, -2, false, base, nullptr},
      {a, "A=ja", true, -2, true, base, nullptr},        {b, "P=A", true, 0, true, a, nullptr},
      {b, "P=nobody", false, 0, true, a, nullptr},       {b, "P*grand", false, 0, true, a, nullptr},
      {a, "P=a", false, -2, true, base, nullptr},        // its own parent
      {a, "P=b", false, -2, true, base, nullptr},        // its own grandparent
      {a, "P=0irgendwas", true, -2, true, nullptr, nullptr},  // only the first character counts
      {a, "P=grand", true, -2, true, grand, nullptr},    {grand, "T=holz", true, 0, true, base, wood},
      {a, "T=NONE", true, -2, true, grand, none},        {a, "T=keine", true, -2, true, grand, none},
      {a, "T=0", true, -2, true, grand, nullptr},        {a, "T=b", false, -2, true, grand, nullptr},  // no texture
      {a, "T=missing", false, -2, true, grand, nullptr},
  };
  for (const auto& [o, command, accepted, weight, active, parent, texture] : steps) {
    const std::string what = o->name + "." + command, text = command + 2;
    EXPECT_EQ(command[1] == '=' ? o->setProperty(command[0], text) : o->addProperty(command[0], text), accepted)
        << what;
    EXPECT_EQ(std::make_tuple(o->weight, o->active, o->parent, o->texture),
              std::make_tuple(weight, active, parent, texture)) << what;
  }
  EXPECT_EQ(b->effectiveTexture(), wood) << "b under a under grand, which has the texture";
  a->texture = none;
  EXPECT_EQ(b->effectiveTexture(), none) << "the none marker stops the inheritance";
  // Combining multiplies on the left: the new transform applies after the old one.
  ASSERT_TRUE(a->setProperty('M', "2") && a->addProperty('M', "1,0,0,1") && a->setProperty('C', "0.5") &&
              a->addProperty('C', "0.25,0,0,1"));
  EXPECT_EQ(std::make_pair(a->transform.m[0][3], a->colorTransform.m[0][3]), std::make_pair(1.0, 0.25));
}

TEST(ObjectRegistry, OrderFindAndCapacity) {
  ScopedConsole console;
  ObjectRegistry r;
  EXPECT_EQ(std::make_tuple(r.count(), r.at(0)->name, r.find("base"), r.find("nobody"), ObjectRegistry::current()),
            std::make_tuple(1, std::string("Base"), 0, -1, &r));
  const std::pair<const char*, int> objects[] = {{"z1", 0}, {"m1", -10}, {"z2", 0}, {"f", 5}, {"m2", -10}, {"Z1", 7}};
  for (const auto& o : objects) make(r, o.first, o.second);
  std::vector<std::string> order;
  for (int i = 0; i < r.count(); ++i) order.push_back(r.at(i)->name);
  EXPECT_EQ(order, (std::vector<std::string>{"m1", "m2", "Base", "z1", "z2", "f", "Z1"})) << "ties keep their order";
  EXPECT_EQ(r.find("z1"), 3) << "the first of two names";
  for (int i = r.count(); i < ObjectRegistry::kCapacity + 5; ++i) make(r, "o");
  EXPECT_EQ(r.count(), ObjectRegistry::kCapacity);
  EXPECT_EQ(console.lines(), std::vector<std::string>{"Zuviele Objekte: o"}) << "one report, with the name";
  EXPECT_EQ(console.log.level(2), 0);
}

TEST(ObjectRegistry, RenderAllUpdatesEverythingThenDrawsActiveObjects) {
  ObjectRegistry r;
  std::vector<std::string> log;
  r.add(std::make_unique<Probe>("a", log));
  r.add(std::make_unique<Probe>("b", log))->active = false;
  r.renderAll();
  EXPECT_EQ(log, (std::vector<std::string>{"update a", "update b", "draw a"}));
}
