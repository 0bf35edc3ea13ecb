// A scene object with a place in the hierarchy: parent (P), local transform
// (M), colour transform (C) and texture (T), each inherited down the parent
// chain. Every PlacedObject except one declared with the text "Base" starts
// as a child of the registry's root object "Base", so moving "Base" moves the
// whole scene.
#pragma once
#include "scene/SceneObject.h"
#include "base/math/Matrix4.h"

namespace wf {

class PlacedObject : public SceneObject {
 public:
  explicit PlacedObject(const std::string& text);

  PlacedObject* parent = nullptr;  // P
  Matrix4 transform;               // M, identity at construction
  Matrix4 colorTransform;          // C: lit colours (R, G, B as a point) go through it
  // T: null means inherit from the parent; noTexture() means explicitly none.
  SceneObject* texture = nullptr;

  // The marker for "none"/"keine": non-null, so it stops the inheritance walk.
  static SceneObject* noTexture();

  // root.M x ... x parent.M x own.M
  Matrix4 worldTransform() const;
  Matrix4 worldColorTransform() const;
  // The first non-null texture on this object or up its ancestors; may be
  // noTexture(); null if none.
  SceneObject* effectiveTexture() const;

  // Would making `candidate` our parent close a loop?
  bool wouldBeOwnAncestor(const PlacedObject* candidate) const;

  bool addProperty(char letter, const std::string& text) override;
  bool setProperty(char letter, const std::string& text) override;

  const char* className() const override { return "PlacedObject"; }
  PlacedObject* asPlaced() override { return this; }
  const PlacedObject* asPlaced() const override { return this; }
};

}  // namespace wf
