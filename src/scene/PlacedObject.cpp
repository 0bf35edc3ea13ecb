#include "scene/PlacedObject.h"

#include "base/Console.h"
#include "base/NumberText.h"
#include "scene/ObjectRegistry.h"
#include "script/VariableTable.h"

namespace wf {

SceneObject* PlacedObject::noTexture() {
  static SceneObject marker("none");
  return &marker;
}

PlacedObject::PlacedObject(const std::string& text) : SceneObject(text) {
  if (equalsIgnoreCase(text, "Base")) return;
  if (ObjectRegistry* registry = ObjectRegistry::current()) {
    const int index = registry->find("Base");
    if (index >= 0) parent = registry->at(index)->asPlaced();
  }
}

Matrix4 PlacedObject::worldTransform() const {
  Matrix4 result = transform;
  for (const PlacedObject* a = parent; a; a = a->parent) result = a->transform * result;
  return result;
}

Matrix4 PlacedObject::worldColorTransform() const {
  Matrix4 result = colorTransform;
  for (const PlacedObject* a = parent; a; a = a->parent) result = a->colorTransform * result;
  return result;
}

SceneObject* PlacedObject::effectiveTexture() const {
  for (const PlacedObject* o = this; o; o = o->parent)
    if (o->texture) return o->texture;
  return nullptr;
}

bool PlacedObject::wouldBeOwnAncestor(const PlacedObject* candidate) const {
  for (const PlacedObject* a = candidate; a; a = a->parent)
    if (a == this) return true;
  return false;
}

bool PlacedObject::setProperty(char letter, const std::string& text) {
  // The trace appends ".L=" and the value as two pieces: a value too long for
  // the line is dropped on its own and "name.L=" stays.
  switch (letter) {
    case 'C':
      consoleAppend(".C=", 2);
      consoleAppend(text, 2);
      colorTransform = evaluateMatrix(text);
      return true;
    case 'M':
      consoleAppend(".M=", 2);
      consoleAppend(text, 2);
      transform = evaluateMatrix(text);
      return true;
    case 'P': {
      consoleAppend(".P=", 2);
      consoleAppend(text, 2);
      if (!text.empty() && text[0] == '0') {
        parent = nullptr;
        return true;
      }
      SceneObject* target = lookupObject(text);
      if (!target) return false;
      PlacedObject* placed = target->asPlaced();
      // Safety: only placed objects have transforms to inherit, and a parent
      // loop would make every world-transform walk spin forever.
      if (!placed || wouldBeOwnAncestor(placed)) return false;
      parent = placed;
      return true;
    }
    case 'T': {
      consoleAppend(".T=", 2);
      consoleAppend(text, 2);
      if (!text.empty() && text[0] == '0') {
        texture = nullptr;
        return true;
      }
      if (equalsIgnoreCase(text, "none") || equalsIgnoreCase(text, "keine")) {
        texture = noTexture();
        return true;
      }
      SceneObject* target = lookupObject(text);
      // Only texture objects can be bound; anything else would be drawn as
      // garbage, so the command is refused.
      if (!target || !target->isTexture()) return false;
      texture = target;
      return true;
    }
    default:
      return SceneObject::setProperty(letter, text);
  }
}

bool PlacedObject::addProperty(char letter, const std::string& text) {
  switch (letter) {
    case 'M':
      transform = evaluateMatrix(text) * transform;
      return true;
    case 'C':
      colorTransform = evaluateMatrix(text) * colorTransform;
      return true;
    default:
      return SceneObject::addProperty(letter, text);
  }
}

}  // namespace wf
