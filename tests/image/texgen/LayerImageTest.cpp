// The layer-to-pixel conversion of generated textures.
#include <gtest/gtest.h>

#include <vector>

#include "image/texgen/LayerImage.h"
#include "image/texgen/TextureGenerator.h"
#include "support/TempDir.h"

using namespace wf;

namespace {

struct Case {
  int b, g, r;             // layer bytes
  int R, G, B, A;          // packed pixel
  const char* what;
};

}  // namespace

TEST(LayerImage, PacksDividedBy256ThenTimes255) {
  const Case cases[] = {
      {0, 0, 255, 254, 0, 0, 254, "pure red: 255 becomes 254"},
      {0, 0, 0, 0, 0, 0, 0, "black is transparent"},
      {128, 128, 128, 127, 127, 127, 223, "grey 128: alpha 1 - 1/8"},
      {255, 255, 255, 254, 254, 254, 254, "white"},
      {255, 0, 0, 0, 0, 254, 254, "pure blue from the first byte"},
      {0, 1, 0, 0, 0, 0, 0, "1 / 256 * 255 truncates to 0"},
      {0, 2, 0, 0, 1, 0, 1, "2 / 256 * 255 = 1.99"},
      {10, 20, 30, 29, 19, 9, 55, "mixed"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> layer(TextureGenerator::kLayerBytes, 0);
    layer[0] = uint8_t(c.b);
    layer[1] = uint8_t(c.g);
    layer[2] = uint8_t(c.r);
    const RgbaImage image = imageFromLayer(layer.data());
    const PackedPixel p = image.at(0, 0);
    EXPECT_EQ(p.r, c.R) << c.what;
    EXPECT_EQ(p.g, c.G) << c.what;
    EXPECT_EQ(p.b, c.B) << c.what;
    EXPECT_EQ(p.a, c.A) << c.what;
  }
}

TEST(LayerImage, KeepsTheLinearPixelOrderAndSize) {
  std::vector<uint8_t> layer(TextureGenerator::kLayerBytes, 0);
  const size_t i = 2 * 256 + 3;  // x = 3, y = 2
  layer[i * 3 + 2] = 255;
  const RgbaImage image = imageFromLayer(layer.data());
  EXPECT_EQ(image.width, 256);
  EXPECT_EQ(image.height, 256);
  EXPECT_EQ(image.pixels.size(), 256u * 256u * 4u);
  EXPECT_EQ(image.at(3, 2).r, 254);
  EXPECT_EQ(image.pixels[i * 4], 254);
  EXPECT_EQ(image.at(2, 3).r, 0);
  EXPECT_EQ(image.origin.x, 0.0);
  EXPECT_EQ(image.origin.y, 0.0);
  EXPECT_EQ(image.origin.w, 0.0);
}

TEST(LayerImage, GeneratedImageRunsTheFileOnTheCurrentLayers) {
  test::TempDir dir;
  // one record: invert layer 0
  const std::string path = dir.write("inv.tex", std::vector<uint8_t>{1, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0});
  TextureGenerator gen;
  RgbaImage first = makeGeneratedImage(&gen, path);
  EXPECT_EQ(first.at(10, 10).r, 254);
  EXPECT_EQ(first.at(10, 10).a, 254);
  // the second run builds on the first: inverted back to black
  RgbaImage second = makeGeneratedImage(&gen, path);
  EXPECT_EQ(second.at(10, 10).r, 0);
  EXPECT_EQ(second.at(10, 10).a, 0);
  // a missing file shows layer 0 as it is
  gen.invert(0);
  RgbaImage missing = makeGeneratedImage(&gen, dir.file("nothing.tex"));
  EXPECT_EQ(missing.at(0, 0).g, 254);
}

TEST(LayerImage, WithoutAGeneratorTheImageIsBlack) {
  const RgbaImage image = makeGeneratedImage(nullptr, "sky.tex");
  EXPECT_EQ(image.width, 256);
  EXPECT_EQ(image.height, 256);
  EXPECT_EQ(image.at(100, 100).a, 0);
}
