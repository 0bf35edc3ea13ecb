// An image copied straight into the frame at the screen position of its
// anchor, scaled with the distance: zoom = s / -A.z, where A is the anchor in
// view space and s the object's scale along z. The image point `origin` lands
// on the anchor. Black pixels (alpha 0) are transparent.
#pragma once
#include "image/TextureImage.h"

namespace wf {

// Where and how large a sprite is drawn; plain arithmetic, testable alone.
struct SpritePlacement {
  double rasterX = 0.0, rasterY = 0.0, rasterZ = 0.0;
  float zoom = 0.0f;
};
SpritePlacement placeSprite(const Matrix4& world, const Vector4& origin, int windowWidth, int windowHeight);

class Sprite : public TextureImage {
 public:
  using TextureImage::TextureImage;
  const char* className() const override { return "Sprite"; }
  void draw() override;
};

class ObjectRegistry;

// The letters of a text line: one glyph sprite per character, each a child of
// `group`, shifted left in its image by the widths of the letters before it
// (so they stand side by side), named "Letter" and registered after the group.
void buildStringLetters(ObjectRegistry& registry, PlacedObject& group, const std::string& text,
                        const ImageSources& sources);

}  // namespace wf
