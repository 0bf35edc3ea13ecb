#include "app/Runs.h"

#include <cstdio>  // Required for: std::fprintf()

#include "image/texgen/LayerImage.h"
#include "image/texgen/TextureGenerator.h"
#include "base/FileBuffer.h"
#include "platform/PngFile.h"

namespace wf {

int runTexturePng(const std::string& outPng, const std::vector<std::string>& inputs) {
  if (outPng.empty() || inputs.empty()) {
    std::fprintf(stderr, "usage: wolkenfahrt --texture-png OUT.png DESCRIPTION...\n");
    return 2;
  }
  TextureGenerator generator;
  for (const std::string& input : inputs) {
    // Read here, without the engine's error report: a tool stops at the
    // first missing input instead of going on with a half-built texture.
    FileBuffer file(input, false);
    if (file.failed()) {
      std::fprintf(stderr, "cannot read texture description %s\n", input.c_str());
      return 1;
    }
    generator.runDescription(file.data(), file.size());
  }
  const RgbaImage image = imageFromLayer(generator.layer(0));
  std::string error;
  if (!writePng(outPng, image.width, image.height, 4, image.data(), &error)) {
    std::fprintf(stderr, "cannot write %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace wf
