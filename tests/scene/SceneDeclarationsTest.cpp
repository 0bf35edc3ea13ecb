#include <gtest/gtest.h>

#include "model3ds/Writer3ds.h"
#include "scene/Light.h"
#include "scene/Model.h"
#include "scene/SceneDeclarations.h"
#include "scene/SceneTestSupport.h"
#include "support/TempDir.h"

using namespace wf;
using namespace wf::test;

TEST(SceneDeclarations, ModelRegistersItsMeshesFirstThenItself) {
  ScopedConsole console;
  TempDir dir;
  ScopedWorkingDir cwd(dir.path());
  dir.write("ballon.3ds", model3ds::writeScene(model3ds::makeBalloon(0)));
  ObjectRegistry registry;
  SceneObject* model = declareModel(registry, "Ballon", "BALLON.3DS");
  ASSERT_STREQ(model->className(), "Model");
  EXPECT_EQ(model->name, "Ballon");
  EXPECT_EQ(model->source, "BALLON.3DS");
  ASSERT_EQ(registry.count(), 8);
  const char* names[] = {"Base", "Huelle", "Gondel", "Seil1", "Seil2", "Seil3", "Seil4", "Ballon"};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(registry.at(i)->name, names[i]) << "index " << i;
  EXPECT_EQ(registry.at(2)->asPlaced()->parent, registry.at(1));
  EXPECT_EQ(registry.at(6)->asPlaced()->parent, registry.at(2));
  EXPECT_EQ(registry.at(1)->asPlaced()->parent, model);
  EXPECT_EQ(model->asPlaced()->parent, registry.at(0));
  EXPECT_EQ(console.lines().size(), 6u);
}

TEST(SceneDeclarations, LogoWordInAnyCase) {
  ObjectRegistry registry;
  EXPECT_STREQ(declareModel(registry, "a", "logo")->className(), "Logo");
  EXPECT_STREQ(declareModel(registry, "b", "LoGo")->className(), "Logo");
  ScopedConsole console;
  EXPECT_STREQ(declareModel(registry, "c", "logo.3ds")->className(), "Model") << "a file, even if missing";
}

TEST(SceneDeclarations, LightsGoBeforeTheSceneObjects) {
  ObjectRegistry registry;
  SceneObject* field = declareHeightfield(registry, "Land", "");
  SceneObject* light = declareLight(registry, "Sonne", "1");
  EXPECT_EQ(light->name, "Sonne");
  EXPECT_EQ(registry.at(0), light);
  EXPECT_EQ(registry.at(2), field);
  SceneObject* second = declareLight(registry, "Lampe", "0");
  EXPECT_EQ(registry.at(1), second) << "behind the earlier light of equal weight";
}

TEST(SceneDeclarations, SameNameTwiceMakesTwoObjects) {
  ObjectRegistry registry;
  SceneObject* a = declareSkeleton(registry, "Arm", "");
  SceneObject* b = declareSkeleton(registry, "Arm", "");
  EXPECT_NE(a, b);
  EXPECT_EQ(registry.lookup("arm"), a);
}
