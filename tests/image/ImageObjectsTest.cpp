#include <gtest/gtest.h>

#include <GL/gl.h>
#include <array>

#include "base/DisplaySettings.h"
#include "base/MainWindow.h"
#include "image/FrameBufferFilter.h"
#include "image/GlTexture.h"
#include "image/GlyphRasterizer.h"
#include "image/Sprite.h"
#include "platform/EglHeadlessSurface.h"
#include "platform/GlRenderer.h"
#include "scene/ObjectRegistry.h"

using namespace wf;

namespace {

// Glyph boxes 9 pixels wide for 'W' (image 12) and 5 for the rest (image 8), left edge 2.
struct BoxFace : GlyphRasterizer {
  bool rasterize(char32_t c, GlyphBitmap& out) override {
    out = GlyphBitmap{c == U'W' ? 9 : 5, 1, 2, 1, std::vector<uint8_t>(c == U'W' ? 9 : 5, 255)};
    return true;
  }
};
GlyphRasterizer* boxFace() {
  static BoxFace face;
  return &face;
}

// A 320 x 240 headless frame with a renderer; no test runs without its context.
class ImageObjectsGl : public testing::Test {
 protected:
  ImageObjectsGl() { displaySettings().screenWidth = 320, displaySettings().screenHeight = 240; }
  void SetUp() override { ASSERT_TRUE(renderer.createContext()) << "no headless OpenGL context"; }
  HeadlessWindow window{320, 240};
  EglHeadlessSurface surface{320, 240};
  ObjectRegistry registry;
  GlRenderer renderer{&registry, &window, &surface};
};

RgbaImage square(int size, const Vector3& colour) {
  RgbaImage image(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) image.set(x, y, colour.toRGBA());
  return image;
}

}  // namespace

TEST(SpritePlacement, UsesIntegerHalvesOfTheWindowAndNeverDividesByZero) {
  const Matrix4 world = Matrix4::translation(0.5, -0.25, -1, 1) * Matrix4::uniformScale(2);
  const SpritePlacement odd = placeSprite(world, Vector4(1, 1, 0, 0), 801, 3), none = placeSprite(world, Vector4(40, 30, 0, 0), 0, 1);
  EXPECT_EQ((std::array<double, 4>{odd.rasterX, odd.rasterY, odd.rasterZ, odd.zoom}), (std::array<double, 4>{0.5 - 2.0 / 400, -2.25, -1, 2}))
      << "801 x 3: the anchor less scale x origin over the halves 400 and 1";
  EXPECT_EQ((std::array<double, 2>{none.rasterX, none.rasterY}), (std::array<double, 2>{0.5, -0.25})) << "no window size: on the anchor";
}

TEST(ImageObjects, StringLettersStandSideBySideUnderTheirGroup) {
  const ImageSources letters{nullptr, boxFace};
  ObjectRegistry registry;
  PlacedObject* group = registry.add(std::make_unique<PlacedObject>("Titel"));
  buildStringLetters(registry, *group, "", letters);
  EXPECT_EQ(registry.count(), 2) << "an empty text makes only Base and the group";
  buildStringLetters(registry, *group, "Wo\xC3\xBC", letters);
  ASSERT_EQ(registry.count(), 5) << "Base, the group and three letters (the umlaut is one)";
  const double originX[] = {2, 2 - 12, 2 - 12 - 8};  // the left edge less the widths before
  for (int i = 0; i < 3; ++i) {
    auto* letter = dynamic_cast<Sprite*>(registry.at(2 + i));
    ASSERT_NE(letter, nullptr);
    EXPECT_EQ(letter->name + (letter->parent == group ? " of the group" : ""), "Letter of the group");
    EXPECT_EQ(letter->image().origin.x, originX[i]) << "letter " << i;
  }
  EXPECT_FALSE(GlTexture("Nichts", letters).bind()) << "an unknown built-in name is the empty image, never bound";
}

TEST_F(ImageObjectsGl, SpriteLandsOnItsAnchorAtNaturalSizeAndTheFilterKeepsTheState) {
  RgbaImage square(10, 10);
  square.pixels.assign(square.pixels.size(), 255);
  square.origin = Vector4(4, 2, 0, 1);
  Sprite* sprite = registry.add(std::make_unique<Sprite>("x", square));
  sprite->transform = Matrix4::translation(0, 0, -2, 1) * Matrix4::uniformScale(2);  // zoom 1; z = -1 is clipped
  FrameBufferFilter* filter = registry.add(std::make_unique<FrameBufferFilter>("f"));
  EXPECT_EQ(registry.at(0), filter) << "weight -20 comes before everything";
  renderer.beginFrame();
  sprite->draw();
  int w, h;
  const std::vector<uint8_t> rgb = renderer.readFrameRgb(w, h);
  // Up and right from the frame's centre less the origin (4, 2): x 156..165, rows 112..121 from the top.
  for (const auto& c : {std::array<int, 3>{156, 121, 255}, {165, 112, 255}, {166, 121, 0}, {156, 111, 0}, {155, 121, 0}, {156, 122, 0}})
    EXPECT_EQ(rgb[size_t(c[1] * 320 + c[0]) * 3], c[2]) << c[0] << "," << c[1];
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE) << "blending is switched off again";
  filter->draw();
  EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  const FilterGeometry g = filterGeometry(800, 600);  // reads the inset, draws the whole screen
  EXPECT_EQ((std::array<int, 6>{g.readX, g.readY, g.readWidth, g.readHeight, g.drawWidth, g.drawHeight}),
            (std::array<int, 6>{100, 100, 600, 400, 800, 600}));
  EXPECT_EQ(g.bufferBytes, 800u * 600 * 4);
  EXPECT_EQ(filterGeometry(200, 480).readWidth, 0) << "200 pixels or less read nothing";
  EXPECT_EQ(filterGeometry(0, 0).bufferBytes, 0u) << "no screen, no buffer";
}

TEST_F(ImageObjectsGl, FilterReadsTheFrameButLeavesItAsItWas) {
  // A near white square drawn before the filter, a far red one drawn after
  // it and half hidden behind the white one: with and without the filter
  // the frames are the same (no copy drawn, no depth holes).
  Sprite* near = registry.add(std::make_unique<Sprite>("near", square(8, Vector3(1, 1, 1))));
  near->weight = -30;
  near->transform = Matrix4::translation(0, 0, -2, 1) * Matrix4::uniformScale(2);
  Sprite* far = registry.add(std::make_unique<Sprite>("far", square(16, Vector3(1, 0, 0))));
  far->transform = Matrix4::translation(0, 0, -4, 1) * Matrix4::uniformScale(4);
  std::vector<uint8_t> frames[2];
  FrameBufferFilter* filter = nullptr;
  for (int withFilter = 0; withFilter < 2; ++withFilter) {
    if (withFilter) filter = registry.add(std::make_unique<FrameBufferFilter>("f"));  // between the two
    renderer.beginFrame();
    registry.renderAll();
    int w, h;
    frames[withFilter] = renderer.readFrameRgb(w, h);
    GLint packAlignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    EXPECT_EQ(packAlignment, 4) << "a capture gives the pack alignment back";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
  // The read covers x 100..219, y 100..139 (GL rows, bottom first) in rows
  // of 120 pixels; the white square sat at x 160..167, y 120..127.
  const std::vector<uint8_t>& copy = filter->frameCopy();
  ASSERT_EQ(copy.size(), 320u * 240 * 4);
  auto copied = [&](int x, int glY) { return copy[(static_cast<size_t>(glY - 100) * 120 + (x - 100)) * 3]; };
  EXPECT_EQ(copied(160, 120), 255) << "the read-back holds the white square";
  EXPECT_EQ(copied(167, 127), 255);
  EXPECT_EQ(copied(168, 120), 0);
  EXPECT_EQ(copy[120 * 40 * 3], 0) << "the buffer past the bytes read stays cleared";
  size_t white = 0, red = 0;
  for (size_t i = 0; i < frames[1].size(); i += 3) {
    white += frames[1][i] == 255 && frames[1][i + 1] == 255;
    red += frames[1][i] == 255 && frames[1][i + 1] == 0;
  }
  EXPECT_EQ(white, 64u);
  EXPECT_EQ(red, 16u * 16 - 64) << "the far square shows around the near one";
  EXPECT_TRUE(frames[0] == frames[1]) << "a filter leaves the frame unchanged";
}
