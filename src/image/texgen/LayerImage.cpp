#include "image/texgen/LayerImage.h"

#include "base/Report.h"  // Required for: logDiagnostic()
#include "image/texgen/TextureGenerator.h"

namespace wf {

RgbaImage imageFromLayer(const uint8_t* layer) {
  constexpr int kSize = TextureGenerator::kSize;
  RgbaImage image(kSize, kSize);
  // The conversion depends on the byte values only: one table of 256
  // channel values and one of alphas would do, but the colour packing is
  // cheap enough to keep the obvious form.
  uint8_t* out = image.pixels.data();
  for (int i = 0; i < kSize * kSize; ++i) {
    const uint8_t* p = layer + size_t(i) * 3;
    const Vector3 colour(p[2] / 256.0, p[1] / 256.0, p[0] / 256.0);
    const PackedPixel packed = colour.toRGBA();
    out[size_t(i) * 4 + 0] = packed.r;
    out[size_t(i) * 4 + 1] = packed.g;
    out[size_t(i) * 4 + 2] = packed.b;
    out[size_t(i) * 4 + 3] = packed.a;
  }
  return image;
}

RgbaImage makeGeneratedImage(TextureGenerator* generator, const std::string& path) {
  if (generator == nullptr) {
    logDiagnostic("no texture generator exists: \"" + path + "\" gives a black image");
    return RgbaImage(TextureGenerator::kSize, TextureGenerator::kSize);
  }
  // A missing file is reported by the file reader; the texture then shows
  // whatever layer 0 holds, as it always did.
  generator->runFile(path);
  return imageFromLayer(generator->layer(0));
}

}  // namespace wf
