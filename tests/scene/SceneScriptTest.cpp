// Scene declarations reached through a script, end to end: console lines,
// registration order, names, and a light command lighting a mesh.
#include <gtest/gtest.h>

#include "app/EngineHost.h"

#include "model3ds/Writer3ds.h"
#include "scene/Heightfield.h"
#include "scene/Light.h"
#include "scene/Model.h"
#include "scene/SceneTestSupport.h"
#include "scene/Tree.h"
#include "script/Script.h"
#include "support/TempDir.h"

using namespace wf;
using namespace wf::test;

TEST(SceneScript, DeclarationsPrintCreateRegisterAndName) {
  ScopedDetailLevel quality(0);
  ScopedConsole console;
  TempDir dir;
  ScopedWorkingDir cwd(dir.path());
  dir.write("paar.3ds", model3ds::writeScene(model3ds::makeAirship(0)));
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  Script script(Script::FromText{}, "Eiche:BAUM(2,1,0.1);\nLand:HEIGHTFIELD(x);\nSonne:LIGHT(1);\n"
                                    "Schiff:MODEL(paar.3ds);\nZeichen:MODEL(logo);\nArm:SKELETT(y);",
                &host);
  script.step();
  const std::vector<std::string> expected = {
      "Eiche neuer Baum",        "Land neue Landscape",     "Sonne neues Light.",      "loading model: Rumpf",
      "loading model: Flosse1",  "loading model: Flosse2",  "loading model: Flosse3",  "loading model: Flosse4",
      "loading model: Gondel",   "loading model: Propeller", "loading Logo. ",         "Arm neues Skelett"};
  EXPECT_EQ(console.lines(), expected);
  const char* order[] = {"Sonne", "Base",   "Eiche",     "Land",   "Rumpf",      "Flosse1", "Flosse2", "Flosse3",
                         "Flosse4", "Gondel", "Propeller", "Schiff", "Aussenring", "Innen-C", "Zeichen", "Arm"};
  ASSERT_EQ(registry.count(), 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(registry.at(i)->name, order[i]) << "index " << i;
  EXPECT_EQ(static_cast<Tree*>(registry.lookup("Eiche"))->vertexCount(), 12);
  EXPECT_EQ(static_cast<Model*>(registry.lookup("Schiff"))->meshes().size(), 7u);
}

TEST(SceneScript, LightCommandsReachTheLight) {
  ScopedDetailLevel quality(0);
  ScopedLightList frame;
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  Script script(Script::FromText{}, "Sonne:LIGHT(1);\nLand:HEIGHTFIELD(x);\nSonne.D=0,-1,0;\nSonne.C*0.5;",
                &host);
  script.step();
  registry.updateAll();
  Heightfield* land = static_cast<Heightfield*>(registry.lookup("Land"));
  ASSERT_NE(land, nullptr);
  EXPECT_DOUBLE_EQ(land->vertices[0].color.x, 0.5) << "straight down on an upward floor, colour halved";
}
