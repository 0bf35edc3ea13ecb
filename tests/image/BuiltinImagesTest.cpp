// The built-in Flare, Cloud and Screenshot images.
#include <gtest/gtest.h>

#include "base/Random.h"
#include "image/BuiltinImages.h"

using namespace wf;

namespace {

void expectPixel(const RgbaImage& image, int x, int y, int r, int g, int b, int a) {
  const PackedPixel p = image.at(x, y);
  EXPECT_EQ(p.r, r) << "red at " << x << "," << y;
  EXPECT_EQ(p.g, g) << "green at " << x << "," << y;
  EXPECT_EQ(p.b, b) << "blue at " << x << "," << y;
  EXPECT_EQ(p.a, a) << "alpha at " << x << "," << y;
}

Vector3 randomColour() {
  const double r = crtRand() / 32767.0;
  const double g = crtRand() / 32767.0;
  const double b = crtRand() / 32767.0;
  return Vector3(r, g, b);
}

}  // namespace

TEST(Flare, SizeOriginAndKnownPixels) {
  const RgbaImage flare = makeFlare();
  ASSERT_EQ(flare.width, 32);
  ASSERT_EQ(flare.height, 32);
  EXPECT_EQ(flare.origin.x, 16.0);
  EXPECT_EQ(flare.origin.y, 16.0);
  EXPECT_EQ(flare.origin.w, 1.0);
  expectPixel(flare, 16, 16, 255, 0, 0, 255);  // the loops' x = 0, y = 0
  for (int x : {0, 31})
    for (int y : {0, 31}) expectPixel(flare, x, y, 0, 0, 0, 0);
  // Column x + 16, row y + 16 of the sheared disc.
  expectPixel(flare, 20, 16, 124, 0, 127, 189);  // x = 4, y = 0
  expectPixel(flare, 16, 20, 127, 0, 127, 191);  // x = 0, y = 4
  expectPixel(flare, 13, 21, 52, 0, 83, 118);    // x = -3, y = 5
  expectPixel(flare, 18, 9, 10, 0, 20, 30);      // x = 2, y = -7
}

TEST(Flare, IsPointSymmetricAboutItsCentre) {
  const RgbaImage flare = makeFlare();
  for (int y = -15; y <= 15; ++y)
    for (int x = -15; x <= 15; ++x) {
      const PackedPixel a = flare.at(16 + x, 16 + y), b = flare.at(16 - x, 16 - y);
      ASSERT_TRUE(a.r == b.r && a.b == b.b && a.a == b.a) << x << "," << y;
    }
}

TEST(Screenshot, IsAConstantGreenFill) {
  const RgbaImage shot = makeScreenshot();
  ASSERT_EQ(shot.width, 64);
  ASSERT_EQ(shot.height, 64);
  EXPECT_EQ(shot.origin.x, 32.0);
  EXPECT_EQ(shot.origin.y, 32.0);
  EXPECT_EQ(shot.origin.w, 0.0);
  for (int y = 0; y < 64; y += 9)
    for (int x = 0; x < 64; x += 7) expectPixel(shot, x, y, 51, 204, 25, 218);
  expectPixel(shot, 63, 63, 51, 204, 25, 218);
}

TEST(Screenshot, TakesEveryPixelFromItsShader) {
  class Gradient : public PixelShader {
   public:
    Vector3 shade(int x, int y) const override { return Vector3(x / 64.0, y / 64.0, 0); }
  };
  const RgbaImage shot = makeScreenshot(Gradient());
  expectPixel(shot, 32, 16, 127, 63, 0, 159);
}

TEST(Cloud, SizeOriginAndDrawCount) {
  crtSrand(42);
  const RgbaImage cloud = makeCloud();
  ASSERT_EQ(cloud.width, 64);
  ASSERT_EQ(cloud.height, 64);
  EXPECT_EQ(cloud.origin.x, 32.0);
  EXPECT_EQ(cloud.origin.w, 1.0);
  // 3 draws for pixel (0, 0), 12 per square: 1 + 4 + 16 + 64 + 256 + 1024 squares.
  const uint32_t after = crtRandState();
  crtSrand(42);
  for (int i = 0; i < 3 + 12 * 1365; ++i) crtRand();
  EXPECT_EQ(after, crtRandState());
}

TEST(Cloud, SameSeedSameImage) {
  crtSrand(46346);
  const RgbaImage a = makeCloud();
  crtSrand(46346);
  const RgbaImage b = makeCloud();
  EXPECT_EQ(a.pixels, b.pixels);
  const RgbaImage c = makeCloud();  // the sequence goes on
  EXPECT_NE(a.pixels, c.pixels);
}

TEST(Cloud, EdgesWrapOntoEachOther) {
  // The four corners of the first square are all pixel (0, 0): the bottom
  // midpoint (32, 64) overwrites the top one (32, 0), the right midpoint
  // (64, 32) the left one (0, 32), and the centre reads those back.
  crtSrand(7);
  const RgbaImage cloud = makeCloud();
  crtSrand(7);
  const PackedPixel first = randomColour().toRGBA();
  const Vector3 corner(first);  // read back from the packed pixel
  randomColour();                        // top, overwritten
  const Vector3 bottomDraw = randomColour();
  randomColour();                        // left, overwritten
  const Vector3 rightDraw = randomColour();
  const double s = 64 * 0.1 / 64;
  const Vector3 bottom(corner.x + bottomDraw.x * s, corner.y + bottomDraw.y * s, corner.z + bottomDraw.z * s);
  const Vector3 right(corner.x + rightDraw.x * s, corner.y + rightDraw.y * s, corner.z + rightDraw.z * s);
  const PackedPixel b = bottom.toRGBA(), r = right.toRGBA();
  expectPixel(cloud, 0, 0, first.r, first.g, first.b, first.a);
  expectPixel(cloud, 32, 0, b.r, b.g, b.b, b.a);
  expectPixel(cloud, 0, 32, r.r, r.g, r.b, r.a);
  const Vector3 bRead(b), rRead(r);
  const Vector3 centre((bRead.x + bRead.x + rRead.x + rRead.x) / 4, (bRead.y + bRead.y + rRead.y + rRead.y) / 4,
                       (bRead.z + bRead.z + rRead.z + rRead.z) / 4);
  const PackedPixel c = centre.toRGBA();
  expectPixel(cloud, 32, 32, c.r, c.g, c.b, c.a);
}

TEST(BuiltinNames, FirstLettersIgnoringCase) {
  struct Case {
    const char* text;
    int width;  // 0: no image
  };
  const Case cases[] = {
      {"Flare", 32},      {"FLARE", 32},       {"flare", 32},  {"FLARE2", 32},     {"Flar", 0},
      {"Cloud", 64},      {"cloudy sky", 64},  {"CLOUD", 64},  {"Clou", 0},        {"Screen", 0},
      {"Screenshot", 64}, {"SCREENSHOT!", 64}, {"Screenshop", 0}, {"", 0},        {"Sprite", 0},
      {" Flare", 0},
  };
  for (const Case& c : cases) {
    const RgbaImage image = makeBuiltin(c.text);
    EXPECT_EQ(image.width, c.width) << '"' << c.text << '"';
    EXPECT_EQ(image.empty(), c.width == 0) << '"' << c.text << '"';
  }
  // Screenshot has w = 0, the others 1: the right maker was chosen.
  EXPECT_EQ(makeBuiltin("screenSHOT").origin.w, 0.0);
  EXPECT_EQ(makeBuiltin("cloud").origin.w, 1.0);
}
