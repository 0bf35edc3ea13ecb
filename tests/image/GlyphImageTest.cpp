// Glyph images: the assembly from rendered bitmaps, and the real letter face.
#include <gtest/gtest.h>

#include <map>

#include "image/GlyphImage.h"
#include "platform/GlyphRasterizer.h"

using namespace wf;

namespace {

// A rasterizer that serves prepared bitmaps.
class FakeRasterizer : public GlyphRasterizer {
 public:
  std::map<char32_t, GlyphBitmap> glyphs;
  bool rasterize(char32_t character, GlyphBitmap& out) override {
    auto it = glyphs.find(character);
    if (it == glyphs.end()) return false;
    out = it->second;
    return true;
  }
};

GlyphBitmap bitmap(int width, int rows, int left, int top, std::vector<uint8_t> coverage) {
  GlyphBitmap b;
  b.width = width;
  b.rows = rows;
  b.left = left;
  b.top = top;
  b.coverage = std::move(coverage);
  return b;
}

}  // namespace

TEST(GlyphImage, CoverageBecomesSixtyFiveLevels) {
  const int cases[][2] = {{0, 0}, {1, 0}, {2, 1}, {127, 32}, {128, 32}, {129, 32}, {253, 63}, {254, 64}, {255, 64}};
  for (const auto& c : cases) EXPECT_EQ(coverageLevel(c[0]), c[1]) << "coverage " << c[0];
}

TEST(GlyphImage, RowsAreReversedAndWidthPaddedToFour) {
  // 5 x 3 box, top row first: row 0 full, row 1 half, row 2 empty.
  const GlyphBitmap b = bitmap(5, 3, 2, 2,
                               {255, 255, 255, 255, 255,  //
                                128, 128, 128, 128, 128,  //
                                0, 0, 0, 0, 255});
  const RgbaImage image = glyphImageFromBitmap(b);
  ASSERT_EQ(image.width, 8);
  ASSERT_EQ(image.height, 3);
  EXPECT_EQ(image.origin.x, 2.0);
  EXPECT_EQ(image.origin.y, 1.0) << "rows - top: one row below the baseline";
  EXPECT_EQ(image.origin.z, 0.0);
  EXPECT_EQ(image.origin.w, 1.0);
  // image row 0 is the renderer's last row
  EXPECT_EQ(image.at(0, 0).a, 0);
  EXPECT_EQ(image.at(4, 0).r, 255);
  EXPECT_EQ(image.at(4, 0).a, 255);
  // half coverage: level 32, v = 0.5: (127, 127, 127, 223)
  const PackedPixel half = image.at(1, 1);
  EXPECT_EQ(half.r, 127);
  EXPECT_EQ(half.g, 127);
  EXPECT_EQ(half.b, 127);
  EXPECT_EQ(half.a, 223);
  EXPECT_EQ(image.at(3, 2).r, 255) << "top row last";
  for (int y = 0; y < 3; ++y)
    for (int x = 5; x < 8; ++x) EXPECT_EQ(image.at(x, y).a, 0) << "padding " << x << "," << y;
}

TEST(GlyphImage, WidthsRoundUpToMultiplesOfFour) {
  const int cases[][2] = {{1, 4}, {3, 4}, {4, 4}, {5, 8}, {82, 84}, {84, 84}, {114, 116}};
  for (const auto& c : cases) {
    const GlyphBitmap b = bitmap(c[0], 2, 0, 2, std::vector<uint8_t>(size_t(c[0]) * 2, 200));
    EXPECT_EQ(glyphImageFromBitmap(b).width, c[1]) << "box width " << c[0];
  }
}

TEST(GlyphImage, BlankGlyphHasAOneByOneBox) {
  const RgbaImage image = glyphImageFromBitmap(bitmap(0, 0, 0, 0, {}));
  EXPECT_EQ(image.width, 4);
  EXPECT_EQ(image.height, 1);
  EXPECT_EQ(image.at(0, 0).a, 0);
}

TEST(GlyphImage, CharacterWithoutGlyphGivesFourByFour) {
  FakeRasterizer fake;
  fake.glyphs[U'x'] = bitmap(1, 1, 0, 1, {255});
  for (GlyphRasterizer* r : {static_cast<GlyphRasterizer*>(&fake), static_cast<GlyphRasterizer*>(nullptr)}) {
    const RgbaImage image = makeGlyph(U'y', r);
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 4);
    EXPECT_EQ(image.pixels.size(), 64u);
    EXPECT_EQ(image.at(3, 3).a, 0);
    EXPECT_EQ(image.origin.w, 1.0);
  }
  EXPECT_EQ(makeGlyph(U'x', &fake).height, 1);
}

TEST(GlyphImage, ShortCoverageIsTreatedAsBlank) {
  // A renderer that delivers fewer bytes than its box must not be read past.
  const RgbaImage image = glyphImageFromBitmap(bitmap(10, 10, 0, 10, std::vector<uint8_t>(5, 255)));
  EXPECT_EQ(image.width, 12);
  EXPECT_EQ(image.height, 10);
  EXPECT_EQ(image.at(0, 9).a, 0);
}

// --- the real letter face ---------------------------------------------------------

TEST(LetterFace, IsLiberationSerifBold) {
  std::string found;
  const std::string file = findLetterFaceFile(&found);
  ASSERT_FALSE(file.empty()) << "install fonts-liberation2: fontconfig offers \"" << found << "\"";
  ASSERT_NE(systemGlyphRasterizer(), nullptr);
}

TEST(LetterFace, GlyphSizesMatchTheDesign) {
  ASSERT_NE(systemGlyphRasterizer(), nullptr) << "install fonts-liberation2";
  struct Case {
    char32_t character;
    int boxWidth, height, originX, originY;
  };
  // Black boxes of the face the letters were designed with (hinted), and the
  // glyph origin: left edge, depth below the baseline.
  const Case cases[] = {
      {U'A', 82, 77, 1, 0}, {U'i', 29, 81, 2, 0}, {U'g', 54, 85, 3, 26},
      {U'.', 19, 19, 5, 1}, {U'W', 114, 77, 1, 1},
  };
  for (const Case& c : cases) {
    const RgbaImage image = makeGlyph(c.character, systemGlyphRasterizer());
    const char letter = char(c.character);
    EXPECT_EQ(image.width % 4, 0) << letter;
    EXPECT_GE(image.width, c.boxWidth - 1) << letter;
    EXPECT_LE(image.width, ((c.boxWidth + 1 + 3) & ~3)) << letter;
    EXPECT_NEAR(image.height, c.height, 1) << letter;
    EXPECT_NEAR(image.origin.x, c.originX, 1) << letter;
    EXPECT_NEAR(image.origin.y, c.originY, 1) << letter;
  }
  EXPECT_LT(makeGlyph(U'i', systemGlyphRasterizer()).width, makeGlyph(U'W', systemGlyphRasterizer()).width / 2) << "a narrow letter gives a narrow image";
}

TEST(LetterFace, LettersAreWhiteOnTransparent) {
  const RgbaImage image = makeGlyph(U'I', systemGlyphRasterizer());
  ASSERT_GT(image.width, 4);
  int opaque = 0, clear = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const PackedPixel p = image.at(x, y);
      EXPECT_TRUE(p.r == p.g && p.g == p.b) << "grey at " << x << "," << y;
      opaque += p.a == 255;
      clear += p.a == 0;
    }
  EXPECT_GT(opaque, 100);
  EXPECT_GT(clear, 0);
}

TEST(LetterFace, NonAsciiLettersAndMissingGlyphs) {
  const RgbaImage eAcute = makeGlyph(U'\u00E9', systemGlyphRasterizer());
  EXPECT_NEAR(eAcute.height, 81, 2);
  EXPECT_GT(eAcute.width, 4);
  const RgbaImage none = makeGlyph(U'\u4E00', systemGlyphRasterizer());  // no CJK in this face
  EXPECT_EQ(none.width, 4);
  EXPECT_EQ(none.height, 4);
  const RgbaImage space = makeGlyph(U' ', systemGlyphRasterizer());
  EXPECT_EQ(space.width, 4);
  EXPECT_EQ(space.height, 1);
}
