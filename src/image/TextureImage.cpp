#include "image/TextureImage.h"

#include "image/ImageMaker.h"

namespace wf {

TextureImage::TextureImage(const std::string& text) : PlacedObject(text), image_(makeImage(text)) {}

TextureImage::TextureImage(const std::string& text, RgbaImage image) : PlacedObject(text), image_(std::move(image)) {}

}  // namespace wf
