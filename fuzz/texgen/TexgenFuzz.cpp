// Fuzz target: texture-description files run through one long-lived
// generator (as in a run, every input starts from the layers the previous
// ones left), then converted like a texture object's image.
#include <cstddef>
#include <cstdint>

#include "image/texgen/LayerImage.h"
#include "image/texgen/TextureGenerator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static wf::TextureGenerator* generator = new wf::TextureGenerator();
  generator->runDescription(data, size);
  const wf::RgbaImage image = wf::imageFromLayer(generator->layer(0));
  return image.pixels.size() == 256u * 256u * 4u ? 0 : 1;
}
