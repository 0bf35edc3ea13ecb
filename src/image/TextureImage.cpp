#include "image/TextureImage.h"

#include "base/Json.h"
#include "image/ImageMaker.h"

namespace wf {

TextureImage::TextureImage(const std::string& text, const ImageSources& sources)
    : PlacedObject(text), image_(makeImage(text, sources)) {}

TextureImage::TextureImage(const std::string& text, RgbaImage image) : PlacedObject(text), image_(std::move(image)) {}

void TextureImage::dumpExtra(JsonWriter& json, bool geometry) const {
  PlacedObject::dumpExtra(json, geometry);
  json.key("width").value(static_cast<int>(image_.width));
  json.key("height").value(static_cast<int>(image_.height));
  const double origin[4] = {image_.origin.x, image_.origin.y, image_.origin.z, image_.origin.w};
  json.key("origin").numbers(origin, 4);
  json.key("pixelsFnv1a64").value(fnv1a64Hex(image_.pixels.data(), image_.pixels.size()));
}

}  // namespace wf
