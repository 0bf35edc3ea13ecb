// The root of every object a script can name.
//
// The script talks to objects only through property letters: setProperty for
// "=" commands and addProperty for "*" commands, each with an upper-case
// letter and the argument text. Every frame the registry calls update() on
// all objects and then draw() on the active ones. Each class handles its own
// letters and passes the rest to its base class.
#pragma once
#include <string>

#include "script/ScriptHost.h"  // Required for: PropertyTarget

namespace wf {

class JsonWriter;
class PlacedObject;

class SceneObject : public PropertyTarget {
 public:
  explicit SceneObject(const std::string& text);
  virtual ~SceneObject() = default;
  SceneObject(const SceneObject&) = delete;
  SceneObject& operator=(const SceneObject&) = delete;

  std::string source;  // the constructor text (for most objects the declaration's argument)
  std::string name;    // the script name; registry look-ups compare it ignoring case
  int weight = 0;      // W: draw-order key, read only when the object is registered
  bool active = true;  // A: only active objects are drawn

  // A hook taking one text; nothing in the engine calls it.
  virtual void configure(const std::string& text);
  // Every frame, active or not, before any object is drawn.
  virtual void update() {}
  // "*" commands: W adds to the weight. False means the letter is not handled.
  bool addProperty(char letter, const std::string& text) override;
  // "=" commands: W sets the weight, A the active flag.
  bool setProperty(char letter, const std::string& text) override;
  // Every frame for active objects.
  virtual void draw() {}

  // The class name that scene dumps and the console show.
  virtual const char* className() const { return "SceneObject"; }
  // Objects with a place in the hierarchy; null for the others (the filter).
  virtual PlacedObject* asPlaced() { return nullptr; }
  virtual const PlacedObject* asPlaced() const { return nullptr; }
  // True for objects that can be bound as a mesh's texture.
  virtual bool isTexture() const { return false; }
  // Binds this object's OpenGL texture name to GL_TEXTURE_2D and says whether
  // it did; a mesh enables texturing only then. Texture objects override it.
  virtual bool bindTexture() const { return false; }
  // Scene dumps: the fields of this class beyond the common ones (name,
  // weight, hierarchy, transforms), as members of the object being written.
  // `geometry` asks for bulk data (mesh vertices and triangles).
  virtual void dumpExtra(JsonWriter& json, bool geometry) const {
    (void)json;
    (void)geometry;
  }
};

}  // namespace wf
