#include <gtest/gtest.h>

#include <GL/gl.h>

#include "platform/GlyphRasterizer.h"
#include "base/DisplaySettings.h"
#include "image/FrameBufferFilter.h"
#include "image/GlTexture.h"
#include "image/Sprite.h"
#include "platform/EglHeadlessSurface.h"
#include "platform/GlRenderer.h"
#include "base/MainWindow.h"
#include "scene/ObjectRegistry.h"

using namespace wf;

static const ImageSources kLetters{nullptr, systemGlyphRasterizer};

TEST(SpritePlacement, AnchorAtDepthOneDrawsAtZoomOne) {
  Matrix4 world = Matrix4::translation(0.5, -0.25, -1, 1);
  Vector4 origin(0, 0, 0, 0);
  SpritePlacement p = placeSprite(world, origin, 800, 600);
  EXPECT_EQ(p.zoom, 1.0f);
  EXPECT_EQ(p.rasterX, 0.5);
  EXPECT_EQ(p.rasterY, -0.25);
  EXPECT_EQ(p.rasterZ, -1.0);
}

TEST(SpritePlacement, OriginShiftsByScaledPixelsOverHalfTheWindow) {
  Vector4 origin(40, 30, 0, 0);
  SpritePlacement p = placeSprite(Matrix4::translation(0, 0, -2, 1), origin, 800, 600);
  EXPECT_EQ(p.rasterX, -40.0 / 400);
  EXPECT_EQ(p.rasterY, -30.0 / 300);
  EXPECT_EQ(p.zoom, 0.5f);
  // Doubling the scale doubles the zoom and the offset.
  Matrix4 doubled = Matrix4::translation(0, 0, -2, 1) * Matrix4::uniformScale(2);
  SpritePlacement q = placeSprite(doubled, origin, 800, 600);
  EXPECT_EQ(q.zoom, 1.0f);
  EXPECT_EQ(q.rasterX, -80.0 / 400);
  // Odd sizes use integer halves.
  SpritePlacement r = placeSprite(Matrix4::translation(0, 0, -1, 1), Vector4(1, 1, 0, 0), 801, 3);
  EXPECT_EQ(r.rasterX, -1.0 / 400);
  EXPECT_EQ(r.rasterY, -1.0);
  // A window without size does not divide by zero.
  SpritePlacement z = placeSprite(Matrix4::translation(0, 0, -1, 1), origin, 0, 1);
  EXPECT_EQ(z.rasterX, 0.0);
}

TEST(FilterGeometry, ReadsTheInsetAndDrawsTheWholeScreen) {
  FilterGeometry g = filterGeometry(800, 600);
  EXPECT_EQ(g.readX, 100);
  EXPECT_EQ(g.readY, 100);
  EXPECT_EQ(g.readWidth, 600);
  EXPECT_EQ(g.readHeight, 400);
  EXPECT_EQ(g.drawWidth, 800);
  EXPECT_EQ(g.drawHeight, 600);
  EXPECT_EQ(g.bufferBytes, 800u * 600 * 4);
  FilterGeometry small = filterGeometry(200, 480);
  EXPECT_EQ(small.readWidth, 0) << "200 pixels or less read nothing";
  EXPECT_EQ(filterGeometry(0, 0).bufferBytes, 0u);
}

TEST(ImageObjects, FilterWeighsMinusTwentyAndTexturesAreTextures) {
  displaySettings().screenWidth = 320;
  displaySettings().screenHeight = 240;
  ObjectRegistry registry;
  FrameBufferFilter* filter = registry.add(std::make_unique<FrameBufferFilter>("x"));
  EXPECT_EQ(filter->weight, -20);
  EXPECT_EQ(registry.at(0), filter);
  GlTexture* texture = registry.add(std::make_unique<GlTexture>("Nichts", kLetters));
  EXPECT_TRUE(texture->isTexture());
  EXPECT_EQ(texture->width(), 0) << "an unknown built-in name is the empty image";
  EXPECT_FALSE(texture->bind());
  Sprite* sprite = registry.add(std::make_unique<Sprite>("Flare", kLetters));
  EXPECT_FALSE(sprite->isTexture());
  EXPECT_GT(sprite->width(), 0);
  EXPECT_STREQ(sprite->className(), "Sprite");
}

namespace {
// A 64x64 headless frame with a renderer.
struct HeadlessFrame {
  HeadlessFrame() {
    displaySettings().screenWidth = 320;
    displaySettings().screenHeight = 240;
  }
  HeadlessWindow window{320, 240};
  EglHeadlessSurface surface{320, 240};
  ObjectRegistry registry;
  GlRenderer renderer{&registry, &window, &surface};
  bool context = renderer.createContext();
  std::vector<uint8_t> frame() {
    int w, h;
    return renderer.readFrameRgb(w, h);
  }
};

RgbaImage coloredSquare(int size, const Vector3& colour) {
  RgbaImage image(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) image.set(x, y, colour.toRGBA());
  return image;
}
RgbaImage whiteSquare(int size) { return coloredSquare(size, Vector3(1, 1, 1)); }
}  // namespace

TEST(ImageObjects, SpriteLandsOnItsAnchorAtNaturalSize) {
  HeadlessFrame gl;
  Sprite* sprite = gl.registry.add(std::make_unique<Sprite>("x", whiteSquare(10)));
  sprite->transform = Matrix4::translation(0, 0, -2, 1) * Matrix4::uniformScale(2);
  gl.renderer.beginFrame();
  gl.registry.renderAll();
  std::vector<uint8_t> rgb = gl.frame();
  auto lit = [&](int x, int y) { return rgb[(static_cast<size_t>(y) * 320 + x) * 3] == 255; };
  // (An anchor exactly on the near plane, z = -1, is clipped by OpenGL, so
  // the sprite sits at z = -2 with scale 2: zoom 1 again.)
  // The anchor is the centre of the 320x240 frame; the image grows up and
  // to the right from it (picture rows run top-down here).
  EXPECT_TRUE(lit(160, 119));
  EXPECT_TRUE(lit(169, 110));
  EXPECT_FALSE(lit(170, 119));
  EXPECT_FALSE(lit(160, 109));
  EXPECT_FALSE(lit(159, 119));
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE) << "blending is switched off again";
}

TEST(ImageObjects, InactiveFilterNeitherReadsNorDraws) {
  HeadlessFrame gl;
  FrameBufferFilter* filter = gl.registry.add(std::make_unique<FrameBufferFilter>("f"));
  filter->active = false;
  Sprite* sprite = gl.registry.add(std::make_unique<Sprite>("x", whiteSquare(4)));
  sprite->transform = Matrix4::translation(0, 0, -2, 1) * Matrix4::uniformScale(2);
  gl.renderer.beginFrame();
  gl.registry.renderAll();
  std::vector<uint8_t> rgb = gl.frame();
  size_t white = 0;
  for (size_t i = 0; i < rgb.size(); i += 3) white += rgb[i] == 255;
  EXPECT_EQ(white, 16u);
}

TEST(ImageObjects, FilterReadsTheFrameButLeavesItAsItWas) {
  // A near white square drawn before the filter, a far red one drawn after
  // it and half hidden behind the white one: with and without the filter
  // the frames are the same (no copy drawn, no depth holes).
  std::vector<uint8_t> frames[2];
  for (int withFilter = 0; withFilter < 2; ++withFilter) {
    HeadlessFrame gl;
    auto near = std::make_unique<Sprite>("near", coloredSquare(8, Vector3(1, 1, 1)));
    near->weight = -30;
    near->transform = Matrix4::translation(0, 0, -2, 1) * Matrix4::uniformScale(2);
    gl.registry.add(std::move(near));
    FrameBufferFilter* filter = withFilter ? gl.registry.add(std::make_unique<FrameBufferFilter>("f")) : nullptr;
    Sprite* far = gl.registry.add(std::make_unique<Sprite>("far", coloredSquare(16, Vector3(1, 0, 0))));
    far->transform = Matrix4::translation(0, 0, -4, 1) * Matrix4::uniformScale(4);
    gl.renderer.beginFrame();
    gl.registry.renderAll();
    frames[withFilter] = gl.frame();
    GLint packAlignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    EXPECT_EQ(packAlignment, 4) << "a capture gives the pack alignment back";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    if (!filter) continue;
    // The read covers x 100..219, y 100..139 (GL rows, bottom first) in rows
    // of 120 pixels; the white square sat at x 160..167, y 120..127.
    const std::vector<uint8_t>& copy = filter->frameCopy();
    ASSERT_EQ(copy.size(), 320u * 240 * 4);
    auto copied = [&](int x, int glY) { return copy[(static_cast<size_t>(glY - 100) * 120 + (x - 100)) * 3]; };
    EXPECT_EQ(copied(160, 120), 255) << "the read-back holds the white square";
    EXPECT_EQ(copied(167, 127), 255);
    EXPECT_EQ(copied(168, 120), 0);
    EXPECT_EQ(copy[120 * 40 * 3], 0) << "the buffer past the bytes read stays cleared";
  }
  size_t white = 0, red = 0;
  for (size_t i = 0; i < frames[1].size(); i += 3) {
    white += frames[1][i] == 255 && frames[1][i + 1] == 255;
    red += frames[1][i] == 255 && frames[1][i + 1] == 0;
  }
  EXPECT_EQ(white, 64u);
  EXPECT_EQ(red, 16u * 16 - 64) << "the far square shows around the near one";
  EXPECT_TRUE(frames[0] == frames[1]) << "a filter leaves the frame unchanged";
}

TEST(ImageObjects, StringLettersStandSideBySideUnderTheirGroup) {
  ObjectRegistry registry;
  PlacedObject* group = registry.add(std::make_unique<PlacedObject>("Titel"));
  buildStringLetters(registry, *group, "Wo\xC3\xBC", kLetters);
  ASSERT_EQ(registry.count(), 5) << "Base, the group and three letters (the umlaut is one)";
  auto* w = dynamic_cast<Sprite*>(registry.at(2));
  auto* o = dynamic_cast<Sprite*>(registry.at(3));
  auto* u = dynamic_cast<Sprite*>(registry.at(4));
  ASSERT_TRUE(w && o && u);
  for (Sprite* s : {w, o, u}) {
    EXPECT_EQ(s->name, "Letter");
    EXPECT_EQ(s->parent, group);
  }
  const Sprite glyphW("W", kLetters), glyphO("o", kLetters), glyphU("\xC3\xBC", kLetters);
  EXPECT_EQ(w->image().origin.x, glyphW.image().origin.x);
  EXPECT_EQ(o->image().origin.x, glyphO.image().origin.x - glyphW.width());
  EXPECT_EQ(u->image().origin.x, glyphU.image().origin.x - glyphW.width() - glyphO.width());
  EXPECT_GT(glyphW.width(), glyphO.width()) << "widths differ, so the offsets are real";
}

TEST(ImageObjects, EmptyTextMakesOnlyTheGroup) {
  ObjectRegistry registry;
  PlacedObject* group = registry.add(std::make_unique<PlacedObject>("Leer"));
  buildStringLetters(registry, *group, "", kLetters);
  EXPECT_EQ(registry.count(), 2);
}
