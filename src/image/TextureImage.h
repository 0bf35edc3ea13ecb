// A scene object that owns an RGBA image; the base of textures and sprites.
// The value text picks the source (see ImageMaker.h): one character is a
// glyph, a text with '.' a description file, anything else a built-in name.
#pragma once
#include "image/ImageMaker.h"
#include "image/RgbaImage.h"
#include "scene/PlacedObject.h"

namespace wf {

class TextureImage : public PlacedObject {
 public:
  TextureImage(const std::string& text, const ImageSources& sources);
  // For objects whose image is made elsewhere (tests, tools).
  TextureImage(const std::string& text, RgbaImage image);

  void update() override {}
  const char* className() const override { return "TextureImage"; }
  // width, height, origin and the FNV-1a 64 hash of the RGBA bytes.
  void dumpExtra(JsonWriter& json, bool geometry) const override;

  const RgbaImage& image() const { return image_; }
  // The anchor in pixels; text lines shift their letters through it.
  Vector4& origin() { return image_.origin; }
  int width() const { return image_.width; }
  int height() const { return image_.height; }

 protected:
  RgbaImage image_;
};

}  // namespace wf
