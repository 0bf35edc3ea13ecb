#include <gtest/gtest.h>

#include "base/Console.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"

using namespace wf;

namespace {
struct Probe : SceneObject {
  explicit Probe(std::vector<std::string>* log) : SceneObject("probe"), log_(log) {}
  void update() override { log_->push_back("update " + name); }
  void draw() override { log_->push_back("draw " + name); }
  std::vector<std::string>* log_;
};

SceneObject* addWeighted(ObjectRegistry& r, const std::string& name, int weight) {
  auto o = std::make_unique<PlacedObject>("x");
  o->weight = weight;
  SceneObject* raw = r.add(std::move(o));
  raw->name = name;
  return raw;
}
}  // namespace

TEST(ObjectRegistry, StartsWithBase) {
  ObjectRegistry r;
  EXPECT_EQ(r.count(), 1);
  EXPECT_EQ(r.at(0)->name, "Base");
  EXPECT_EQ(r.find("base"), 0);
  EXPECT_EQ(r.find("nobody"), -1);
  EXPECT_EQ(ObjectRegistry::current(), &r);
}

TEST(ObjectRegistry, WeightOrderedInsertionKeepsRegistrationOrderForTies) {
  ObjectRegistry r;
  addWeighted(r, "z1", 0);
  addWeighted(r, "m1", -10);
  addWeighted(r, "z2", 0);
  addWeighted(r, "f", 5);
  addWeighted(r, "m2", -10);
  std::vector<std::string> order;
  for (int i = 0; i < r.count(); ++i) order.push_back(r.at(i)->name);
  EXPECT_EQ(order, (std::vector<std::string>{"m1", "m2", "Base", "z1", "z2", "f"}));
}

TEST(ObjectRegistry, WeightChangesAfterRegistrationDoNotMove) {
  ObjectRegistry r;
  SceneObject* a = addWeighted(r, "a", 0);
  a->weight = -50;
  EXPECT_EQ(r.find("A"), 1) << "a weight change does not move the object";
  // Insertion compares with the neighbours' current weights: b (-1) is not
  // below a (-50), so it stays where it was appended, behind a.
  addWeighted(r, "b", -1);
  EXPECT_EQ(r.find("b"), 2);
}

TEST(ObjectRegistry, FindReturnsTheFirstOfTwoNames) {
  ObjectRegistry r;
  SceneObject* first = addWeighted(r, "twin", 0);
  addWeighted(r, "TWIN", 0);
  EXPECT_EQ(r.lookup("Twin"), first);
}

TEST(ObjectRegistry, RenderAllUpdatesEverythingThenDrawsActiveObjects) {
  ObjectRegistry r;
  std::vector<std::string> log;
  SceneObject* a = r.add(std::make_unique<Probe>(&log));
  a->name = "a";
  SceneObject* b = r.add(std::make_unique<Probe>(&log));
  b->name = "b";
  b->active = false;
  r.renderAll();
  EXPECT_EQ(log, (std::vector<std::string>{"update a", "update b", "draw a"}));
}

TEST(ObjectRegistry, FullTableRefusesFurtherObjectsWithOneReport) {
  ObjectRegistry r;
  ConsoleLog console;
  setCurrentConsole(&console);
  for (int i = 1; i < ObjectRegistry::kCapacity + 5; ++i) addWeighted(r, "o", 0);
  setCurrentConsole(nullptr);
  EXPECT_EQ(r.count(), ObjectRegistry::kCapacity);
  EXPECT_EQ(console.lineCount(), 2) << "one report";
  EXPECT_EQ(console.level(2), 0);
}
