#include "scene/SceneDeclarations.h"

#include "base/NumberText.h"
#include "scene/Heightfield.h"
#include "scene/Light.h"
#include "scene/Logo.h"
#include "scene/Model.h"
#include "scene/Skeleton.h"
#include "scene/Tree.h"
#include "script/VariableTable.h"

namespace wf {

SceneObject* declareModel(ObjectRegistry& registry, const std::string& name, const std::string& argument) {
  SceneObject* object;
  if (equalsIgnoreCase(argument, "Logo"))
    object = registry.add(std::make_unique<Logo>(registry));
  else
    object = registry.add(std::make_unique<Model>(argument, registry));
  object->name = name;
  return object;
}

SceneObject* declareLight(ObjectRegistry& registry, const std::string& name, const std::string& argument) {
  SceneObject* object = registry.add(std::make_unique<Light>(argument));
  object->name = name;
  return object;
}

SceneObject* declareTree(ObjectRegistry& registry, const std::string& name, const std::string& argument) {
  Tree* tree = registry.add(std::make_unique<Tree>());
  tree->build(evaluateMatrix(argument));
  tree->name = name;
  return tree;
}

SceneObject* declareHeightfield(ObjectRegistry& registry, const std::string& name, const std::string& argument) {
  SceneObject* object = registry.add(std::make_unique<Heightfield>(argument));
  object->name = name;
  return object;
}

SceneObject* declareSkeleton(ObjectRegistry& registry, const std::string& name, const std::string& argument) {
  SceneObject* object = registry.add(std::make_unique<Skeleton>(argument));
  object->name = name;
  return object;
}

}  // namespace wf
