// Models declared by a script, end to end: file name mapping, registration order, hierarchy, a missing file, the logo.
#include <gtest/gtest.h>

#include "app/EngineHost.h"
#include "model3ds/Writer3ds.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "scene/SceneTestSupport.h"
#include "script/Script.h"
#include "support/TempDir.h"

using namespace wf;
using namespace wf::test;

TEST(SceneScript, ModelsThroughAScript) {
  ScopedConsole console;
  TempDir dir;
  ScopedWorkingDir cwd(dir.path());
  dir.write("Luft/paar.3ds", model3ds::writeScene(model3ds::makeAirship(0)));
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  Script script(Script::FromText{}, "Schiff:MODEL(luft\\PAAR.3DS);\nFehlt:MODEL(logo.3ds);\nLogo:MODEL(LoGo);", &host);
  script.step();
  EXPECT_EQ(console.lines(), (std::vector<std::string>{
                                 "loading model: Rumpf", "loading model: Flosse1", "loading model: Flosse2",
                                 "loading model: Flosse3", "loading model: Flosse4", "loading model: Gondel",
                                 "loading model: Propeller", "logo.3ds", "loading Logo. "}));
  const char* order[] = {"Base",      "Rumpf",  "Flosse1", "Flosse2",    "Flosse3", "Flosse4", "Gondel",
                         "Propeller", "Schiff", "Fehlt",   "Aussenring", "Innen-C", "Logo"};
  ASSERT_EQ(registry.count(), 13);
  for (int i = 0; i < 13; ++i) EXPECT_EQ(registry.at(i)->name, order[i]) << "index " << i;
  EXPECT_STREQ(registry.at(9)->className(), "Model") << "a file, even a missing one";
  const auto parent = [&](int i) { return static_cast<SceneObject*>(registry.at(i)->asPlaced()->parent); };
  EXPECT_EQ(parent(1), registry.at(8)) << "the file's root mesh hangs under its model";
  EXPECT_EQ(parent(7), registry.at(6)) << "Propeller under Gondel, from the keyframer";
  EXPECT_EQ(parent(8), registry.at(0)) << "the model under Base";
  EXPECT_EQ(std::make_pair(parent(10), parent(11)), std::make_pair(registry.at(12), registry.at(12))) << "logo parts";
}
