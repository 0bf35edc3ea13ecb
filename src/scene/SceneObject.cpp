#include "scene/SceneObject.h"

#include "base/Console.h"
#include "script/VariableTable.h"

namespace wf {

SceneObject::SceneObject(const std::string& text) : source(text), name(text) {}

void SceneObject::configure(const std::string&) {}

bool SceneObject::setProperty(char letter, const std::string& text) {
  consolePrint(name, 2);
  switch (letter) {
    case 'W':
      weight = evaluateInteger(text);
      return true;
    case 'A':
      active = evaluateBoolean(text);
      return true;
    default:
      return false;
  }
}

bool SceneObject::addProperty(char letter, const std::string& text) {
  if (letter == 'W') {
    weight += evaluateInteger(text);
    return true;
  }
  return false;
}

}  // namespace wf
