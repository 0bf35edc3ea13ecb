// The image a value text names: a glyph (from a rendered bitmap, or the real
// letter face), a description file or a built-in Flare, Cloud or Screenshot.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

#include "base/Json.h"
#include "base/Random.h"
#include "image/BuiltinImages.h"
#include "image/GlyphImage.h"
#include "image/ImageMaker.h"
#include "image/texgen/TextureGenerator.h"
#include "platform/GlyphRasterizer.h"
#include "support/TempDir.h"

using namespace wf;

namespace {
std::array<int, 4> rgba(const RgbaImage& image, int x, int y) {
  const PackedPixel p = image.at(x, y);
  return {p.r, p.g, p.b, p.a};
}
std::array<double, 5> sizeAndOrigin(const RgbaImage& i) { return {double(i.width), double(i.height), i.origin.x, i.origin.y, i.origin.w}; }
}  // namespace

TEST(ImageSource, ChoosesByLengthDotAndName) {
  using K = ImageSourceKind;
  const std::tuple<const char*, K, char32_t> cases[] = {
      {"A", K::Glyph, U'A'}, {".", K::Glyph, U'.'}, {"\xC3\xA9", K::Glyph, U'\u00E9'}, {"\xE2\x82\xAC", K::Glyph, U'\u20AC'},  // é, € in UTF-8
      {"\xE9", K::Glyph, U'\u00E9'}, {"\x80", K::Glyph, U'\u20AC'}, {"\xC3", K::Glyph, U'\u00C3'},  // Windows-1252 bytes
      {"\xF0\x9F\x98\x80", K::Glyph, U'\U0001F600'}, {"sky.tex", K::DescriptionFile, 0}, {"..", K::DescriptionFile, 0},
      {"\xC3\xA9.", K::DescriptionFile, 0}, {"Flare", K::Builtin, 0}, {"AB", K::Builtin, 0}, {"", K::Builtin, 0},
      {"\xC3\xA9\xA9", K::Builtin, 0},  // two characters
  };
  for (const auto& [text, kind, character] : cases) {
    const ImageSource source = chooseImageSource(text);
    EXPECT_EQ((std::pair<K, uint32_t>{source.kind, source.character}), (std::pair<K, uint32_t>{kind, character})) << '"' << text << '"';
  }
}

TEST(ImageSource, DecodesInvalidSequencesBytewiseAndSplitsLines) {
  const std::pair<std::string, std::vector<uint32_t>> cases[] = {
      {"a\xC3\xA4z", {'a', 0xE4, 'z'}}, {"\xC0\xAF", {0xC0, 0xAF}} /* overlong '/' */, {"\xED\xA0\x80", {0xED, 0xA0, 0x20AC}} /* surrogate */,
      {"\xE2\x82", {0xE2, 0x201A}} /* truncated; 0x82 a Windows-1252 quote */, {"\x81\x9F", {0x81, 0x178}} /* 0x81: no character */,
  };
  for (const auto& [text, characters] : cases) {
    std::vector<uint32_t> decoded;
    for (size_t pos = 0; pos < text.size();) decoded.push_back(uint32_t(decodeCharacter(text, pos)));
    EXPECT_EQ(decoded, characters) << text;
  }
  EXPECT_EQ(splitCharacters("Gr\xC3\xBC\xDF."), (std::vector<std::string>{"G", "r", "\xC3\xBC", "\xDF", "."})) << "a text line's characters";
}

TEST(ImageMaker, MakesEachKind) {
  test::TempDir dir;
  TextureGenerator generator;
  const ImageSources sources{&generator, nullptr};
  const RgbaImage generated = makeImage(dir.write("white.tex", std::vector<uint8_t>{1, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0}), sources);
  ASSERT_EQ(generated.width, 256) << "a file";
  EXPECT_EQ(generated.at(5, 5).r, 254) << "inverted layer 0";
  EXPECT_EQ(makeImage("\xC3\x9F", sources).width, 4) << "a glyph (ß), without a face the missing one";
  EXPECT_EQ(makeImage("FLARE2", sources).width, 32);
  EXPECT_TRUE(makeImage("Nebel", sources).empty()) << "an unknown name: no image";
}

TEST(BuiltinImages, SizesOriginsAndHandCheckedPixels) {
  crtSrand(7);
  const RgbaImage flare = makeFlare(), cloud = makeCloud(), shot = makeScreenshot();
  // The cloud draws 3 numbers for pixel (0, 0), 12 per square: 1 + 4 + ... + 1024 squares.
  EXPECT_EQ(crtRandState(), 0xd17d8f94u) << "3 + 12 * 1365 draws from seed 7";
  EXPECT_EQ(sizeAndOrigin(flare), (std::array<double, 5>{32, 32, 16, 16, 1})) << "flare";
  EXPECT_EQ(sizeAndOrigin(cloud), (std::array<double, 5>{64, 64, 32, 32, 1})) << "cloud";
  EXPECT_EQ(sizeAndOrigin(shot), (std::array<double, 5>{64, 64, 32, 32, 0})) << "screenshot";
  const std::tuple<const char*, const RgbaImage&, int, int, std::array<int, 4>> cases[] = {
      {"flare centre: r = 1", flare, 16, 16, {255, 0, 0, 255}},    {"flare x = 4, y = 0", flare, 20, 16, {124, 0, 127, 189}},
      {"flare x = 0, y = 4: sheared", flare, 16, 20, {127, 0, 127, 191}}, {"flare x = -3, y = 5", flare, 13, 21, {52, 0, 83, 118}},
      {"flare x = 2, y = -7", flare, 18, 9, {10, 0, 20, 30}},      {"flare corner", flare, 31, 31, {0, 0, 0, 0}},
      {"cloud (0, 0): the first random colour", cloud, 0, 0, {0, 135, 118, 191}},
      {"cloud (32, 0): the bottom midpoint (32, 64) wrapped onto it", cloud, 32, 0, {23, 144, 139, 209}},
      {"cloud (0, 32): the right midpoint (64, 32) wrapped onto it", cloud, 0, 32, {19, 148, 127, 205}},
      {"cloud centre: the mean of the wrapped midpoints", cloud, 32, 32, {21, 146, 132, 207}},
      {"screenshot: (0.2, 0.8, 0.1)", shot, 0, 0, {51, 204, 25, 218}}, {"screenshot", shot, 63, 63, {51, 204, 25, 218}},
  };
  for (const auto& [what, image, x, y, pixel] : cases) EXPECT_EQ(rgba(image, x, y), pixel) << what;
  EXPECT_EQ(fnv1a64Hex(cloud.pixels.data(), cloud.pixels.size()), "04a28b2683c26d28") << "golden cloud of seed 7";
}

TEST(BuiltinImages, NamedByTheirFirstLettersIgnoringCase) {
  const std::tuple<const char*, int, double> cases[] = {  // text, width (0: none), origin w
      {"Flare", 32, 1},      {"FLARE2", 32, 1}, {"flare", 32, 1}, {"Flar", 0, 0},   {" Flare", 0, 0},       {"cloudy sky", 64, 1},
      {"CLOUD", 64, 1},      {"Clou", 0, 0},    {"Screen", 0, 0}, {"screenSHOT!", 64, 0}, {"Screenshop", 0, 0}, {"", 0, 0},
  };
  for (const auto& [text, width, w] : cases) {
    const RgbaImage image = makeBuiltin(text);
    EXPECT_EQ((std::array<double, 3>{double(image.width), double(image.empty()), image.origin.w}),
              (std::array<double, 3>{double(width), double(width == 0), w})) << '"' << text << '"';
  }
}

TEST(GlyphImage, CoverageBecomesSixtyFiveLevels) {
  const int cases[][2] = {{0, 0}, {1, 0}, {2, 1}, {127, 32}, {128, 32}, {129, 32}, {253, 63}, {254, 64}, {255, 64}};
  for (const auto& c : cases) EXPECT_EQ(coverageLevel(c[0]), c[1]) << "coverage " << c[0];
}

TEST(GlyphImage, RowsAreReversedAndWidthPaddedToFour) {
  // A 5 x 3 box, top row first: full, half, empty but its last pixel.
  const RgbaImage image = glyphImageFromBitmap(GlyphBitmap{5, 3, 2, 2, {255, 255, 255, 255, 255, 128, 128, 128, 128, 128, 0, 0, 0, 0, 255}});
  ASSERT_EQ((std::array<int, 2>{image.width, image.height}), (std::array<int, 2>{8, 3}));
  EXPECT_EQ((std::array<double, 4>{image.origin.x, image.origin.y, image.origin.z, image.origin.w}),
            (std::array<double, 4>{2, 1, 0, 1})) << "left edge; rows - top: one row below the baseline";
  EXPECT_EQ(rgba(image, 0, 0), (std::array<int, 4>{0, 0, 0, 0})) << "image row 0 is the renderer's last row";
  EXPECT_EQ(rgba(image, 4, 0), (std::array<int, 4>{255, 255, 255, 255})) << "full coverage";
  EXPECT_EQ(rgba(image, 1, 1), (std::array<int, 4>{127, 127, 127, 223})) << "half coverage: level 32, v = 0.5";
  EXPECT_EQ(rgba(image, 3, 2), (std::array<int, 4>{255, 255, 255, 255})) << "the top row last";
  EXPECT_EQ(rgba(image, 5, 2), (std::array<int, 4>{0, 0, 0, 0})) << "padding";
}

TEST(GlyphImage, BoxesRoundUpToFourAndBadBitmapsAreBlank) {
  struct Case {
    const char* what;
    int width, rows, bytes, imageWidth, imageHeight;
  };
  const Case cases[] = {
      {"1 wide", 1, 2, 2, 4, 2},    {"4 wide", 4, 2, 8, 4, 2},    {"82 wide", 82, 2, 164, 84, 2},
      {"blank glyph: a 1 x 1 box", 0, 0, 0, 4, 1},                {"short coverage is not read", 10, 10, 50, 12, 10},
  };
  for (const Case& c : cases) {
    const RgbaImage image = glyphImageFromBitmap(GlyphBitmap{c.width, c.rows, 0, c.rows, std::vector<uint8_t>(size_t(c.bytes), 255)});
    EXPECT_EQ((std::array<int, 3>{image.width, image.height, image.at(0, c.imageHeight - 1).a}),
              (std::array<int, 3>{c.imageWidth, c.imageHeight, c.bytes > 0 && c.bytes == c.width * c.rows ? 255 : 0})) << c.what;
  }
  const RgbaImage none = makeGlyph(U'y', nullptr);
  EXPECT_EQ((std::array<int, 4>{none.width, none.height, none.at(3, 3).a, int(none.origin.w)}), (std::array<int, 4>{4, 4, 0, 1}))
      << "without a face: a transparent 4 x 4";
}

TEST(LetterFace, IsLiberationSerifBoldWithTheDesignedSizes) {
  std::string found;
  ASSERT_FALSE(findLetterFaceFile(&found).empty()) << "install fonts-liberation2: fontconfig offers \"" << found << "\"";
  GlyphRasterizer* face = systemGlyphRasterizer();
  ASSERT_NE(face, nullptr);
  // Hinted black boxes of the face the letters were designed with (±1 pixel), origin: left edge, depth below the baseline.
  const std::array<int, 5> cases[] = {{'A', 82, 77, 1, 0}, {'i', 29, 81, 2, 0}, {'g', 54, 85, 3, 26}, {'.', 19, 19, 5, 1}, {'W', 114, 77, 1, 1}};
  for (const auto& [letter, box, height, x, y] : cases) {
    const RgbaImage image = makeImage(std::string(1, char(letter)), nullptr, face);
    EXPECT_TRUE(image.width % 4 == 0 && image.width >= box - 1 && image.width <= ((box + 4) & ~3)) << char(letter) << " " << image.width;
    EXPECT_NEAR(image.height, height, 1) << char(letter);
    EXPECT_NEAR(image.origin.x, x, 1) << char(letter);
    EXPECT_NEAR(image.origin.y, y, 1) << char(letter);
    EXPECT_GT(std::count(image.pixels.begin(), image.pixels.end(), 255), 400) << char(letter) << ": opaque white pixels";
  }
  EXPECT_NEAR(makeImage("\xC3\xA9", nullptr, face).height, 81, 2) << "é";
  EXPECT_EQ(makeGlyph(U'\u4E00', face).height, 4) << "no CJK in this face: the missing glyph";
  const RgbaImage space = makeGlyph(U' ', face);
  EXPECT_EQ((std::array<int, 2>{space.width, space.height}), (std::array<int, 2>{4, 1})) << "space: a 1 x 1 box";
}
