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
