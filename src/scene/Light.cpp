#include "scene/Light.h"

#include "base/Report.h"
#include "scene/LightList.h"
#include "script/VariableTable.h"

namespace wf {

Light::Light(const std::string& text) : PlacedObject(text), type_(evaluateInteger(text)) {
  if (type_ == kPointLight) {
    vector = Vector4(0.0, 0.0, 0.0, 1.0);
  } else if (type_ == kDirectionalLight) {
    vector = Vector4(-1.0, -1.0, -1.0, 0.0);
    vector.normalize();
  } else {
    reportError("Unbekannter Lichttyp");  // vector stays (0, 0, 0, 0)
  }
  color = Vector3(1.0, 1.0, 1.0);
  weight = -10;
}

void Light::update() {
  worldVector = worldTransform().transformVector(vector);
  currentLightList().add(this);
}

bool Light::setProperty(char letter, const std::string& text) {
  switch (letter) {
    case 'C': {
      const Vector4 v = evaluateVector(text);
      color = Vector3(v.x, v.y, v.z);
      return true;
    }
    case 'D': {
      const Vector4 v = evaluateVector(text);
      vector = Vector4(v.x, v.y, v.z, 0.0);
      vector.normalize();
      return true;
    }
    case 'X': {
      const Vector4 v = evaluateVector(text);
      vector = Vector4(v.x, v.y, v.z, 1.0);
      return true;
    }
    default:
      return PlacedObject::setProperty(letter, text);
  }
}

bool Light::addProperty(char letter, const std::string& text) {
  switch (letter) {
    case 'C':
      color = evaluateMatrix(text).transformPoint(color);
      return true;
    case 'D':
      vector = evaluateMatrix(text).transformVector(vector);
      vector.normalize();
      return true;
    case 'X':
      vector = evaluateMatrix(text).transformVector(vector);
      vector.w = 1.0;
      return true;
    default:
      return PlacedObject::addProperty(letter, text);
  }
}

}  // namespace wf
