// The one list of every scene object, in draw order.
//
// Each object is inserted behind every registered object of smaller or equal
// weight, reading the weight only at that moment (lights, weight -10, go
// before the scene; the filter, -20, before them). Names are looked up
// ignoring case; the first match in draw order wins. The registry keeps every
// object it is given alive until the registry itself goes, which is the end
// of the run: nothing is ever removed.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "scene/SceneObject.h"

namespace wf {

class ObjectRegistry {
 public:
  static constexpr int kCapacity = 2726;

  // Creates and registers the root object "Base".
  ObjectRegistry();
  virtual ~ObjectRegistry();
  ObjectRegistry(const ObjectRegistry&) = delete;
  ObjectRegistry& operator=(const ObjectRegistry&) = delete;

  // Registers the object and returns it. A full table refuses it (reported
  // once) but keeps it alive, so callers may go on naming and configuring it.
  template <class T>
  T* add(std::unique_ptr<T> object) {
    T* raw = object.get();
    addOwned(std::unique_ptr<SceneObject>(std::move(object)));
    return raw;
  }

  // Index of the first object named `name` (ignoring case), or -1.
  int find(const std::string& name) const;
  // The object named `name`, or null.
  SceneObject* lookup(const std::string& name) const;
  SceneObject* at(int index) const { return objects_[static_cast<size_t>(index)]; }
  int count() const { return static_cast<int>(objects_.size()); }
  int indexOf(const SceneObject* object) const;

  // Every update() in order, then draw() of every active object in order.
  void renderAll();
  void updateAll();
  void drawAll();

  static ObjectRegistry* current();

 private:
  void addOwned(std::unique_ptr<SceneObject> object);

  std::vector<SceneObject*> objects_;  // draw order
  std::vector<std::unique_ptr<SceneObject>> owned_;
  bool fullReported_ = false;
};

// The object named `text` in the current registry, or null.
SceneObject* lookupObject(const std::string& text);

}  // namespace wf
