#include "scene/ObjectRegistry.h"

#include "base/NumberText.h"
#include "base/Report.h"
#include "scene/PlacedObject.h"

namespace wf {
namespace {
ObjectRegistry* theRegistry = nullptr;
}

ObjectRegistry* ObjectRegistry::current() { return theRegistry; }

ObjectRegistry::ObjectRegistry() {
  theRegistry = this;
  objects_.reserve(kCapacity);
  PlacedObject* base = add(std::make_unique<PlacedObject>("Base"));
  base->name = "Base";
}

ObjectRegistry::~ObjectRegistry() {
  if (theRegistry == this) theRegistry = nullptr;
}

void ObjectRegistry::addOwned(std::unique_ptr<SceneObject> object) {
  SceneObject* raw = object.get();
  owned_.push_back(std::move(object));
  if (objects_.size() >= static_cast<size_t>(kCapacity)) {
    // The table has a fixed size; further objects stay alive but are neither
    // drawn nor found. One report is enough to explain what is missing.
    if (!fullReported_) {
      reportError("Zuviele Objekte: " + raw->name);
      fullReported_ = true;
    }
    return;
  }
  objects_.push_back(raw);
  for (size_t i = objects_.size() - 1; i > 0 && objects_[i]->weight < objects_[i - 1]->weight; --i)
    std::swap(objects_[i], objects_[i - 1]);
}

int ObjectRegistry::find(const std::string& name) const {
  for (size_t i = 0; i < objects_.size(); ++i)
    if (equalsIgnoreCase(objects_[i]->name, name)) return static_cast<int>(i);
  return -1;
}

SceneObject* ObjectRegistry::lookup(const std::string& name) const {
  const int index = find(name);
  return index < 0 ? nullptr : objects_[static_cast<size_t>(index)];
}

int ObjectRegistry::indexOf(const SceneObject* object) const {
  for (size_t i = 0; i < objects_.size(); ++i)
    if (objects_[i] == object) return static_cast<int>(i);
  return -1;
}

void ObjectRegistry::updateAll() {
  // By index: an update may register further objects, which then take part.
  for (size_t i = 0; i < objects_.size(); ++i) objects_[i]->update();
}

void ObjectRegistry::drawAll() {
  for (size_t i = 0; i < objects_.size(); ++i)
    if (objects_[i]->active) objects_[i]->draw();
}

void ObjectRegistry::renderAll() {
  updateAll();
  drawAll();
}

SceneObject* lookupObject(const std::string& text) {
  ObjectRegistry* registry = ObjectRegistry::current();
  return registry ? registry->lookup(text) : nullptr;
}

}  // namespace wf
