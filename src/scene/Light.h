// An invisible object that lights meshes.
//
// Type 0 is a point light at `vector` (a position, w = 1), type 1 a
// directional light travelling along `vector` (a unit direction, w = 0): a
// surface whose normal points against it receives the full colour. The type
// is fixed at construction; D on a point light stores a unit vector that is
// still used as a position, X on a directional light a point still used as a
// direction. Each frame update() carries the vector into world space through
// the parent chain and enters the light in the frame's light list; meshes
// read that list in their own update() (lights weigh -10, so they come first).
//
// Letters (before those of PlacedObject):
//   C  = three numbers: the colour         * matrix: colour = R.transformPoint(colour)
//   D  = three numbers: direction, unit    * matrix: vector = R vector, normalised
//   X  = three numbers: position           * matrix: vector = R vector, w = 1
// C here is the light's colour, not the colour transform.
#pragma once
#include "scene/MeshLighting.h"
#include "scene/PlacedObject.h"

namespace wf {

class Light : public PlacedObject {
 public:
  // Evaluates `text` as an integer expression for the type; any type other
  // than 0 and 1 is reported ("Unbekannter Lichttyp") and lights nothing.
  explicit Light(const std::string& text);

  int type() const { return type_; }

  Vector4 vector;       // model-space position (w = 1) or direction (w = 0)
  Vector4 worldVector;  // `vector` in world space, refreshed every frame
  Vector3 color;        // (1, 1, 1) at construction

  // Every frame, active or not: world vector, then the frame's light list.
  // A 17th light in one frame is not listed (the list holds 16).
  void update() override;
  bool addProperty(char letter, const std::string& text) override;
  bool setProperty(char letter, const std::string& text) override;

  const char* className() const override { return "Light"; }
  // type, vector and worldVector (x, y, z, w), color (r, g, b).
  void dumpExtra(JsonWriter& json, bool geometry) const override;

 private:
  int type_;
};

}  // namespace wf
