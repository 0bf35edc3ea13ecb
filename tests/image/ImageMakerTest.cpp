// Choosing an image's source from the value text.
#include <gtest/gtest.h>

#include "image/ImageMaker.h"
#include "image/texgen/TextureGenerator.h"
#include "platform/GlyphRasterizer.h"
#include "support/TempDir.h"

using namespace wf;

namespace {

class OneLetterRasterizer : public GlyphRasterizer {
 public:
  char32_t asked = 0;
  bool rasterize(char32_t character, GlyphBitmap& out) override {
    asked = character;
    out = GlyphBitmap();
    out.width = 9;
    out.rows = 2;
    out.top = 2;
    out.coverage.assign(18, 255);
    return true;
  }
};

}  // namespace

TEST(ImageSource, ChoosesByLengthDotAndName) {
  struct Case {
    const char* text;
    ImageSourceKind kind;
    char32_t character;
  };
  const Case cases[] = {
      {"A", ImageSourceKind::Glyph, U'A'},
      {".", ImageSourceKind::Glyph, U'.'},
      {"\xC3\xA9", ImageSourceKind::Glyph, U'\u00E9'},        // é in UTF-8
      {"\xE2\x82\xAC", ImageSourceKind::Glyph, U'\u20AC'},    // € in UTF-8
      {"\xE9", ImageSourceKind::Glyph, U'\u00E9'},            // é as a Windows-1252 byte
      {"\x80", ImageSourceKind::Glyph, U'\u20AC'},            // € as a Windows-1252 byte
      {"\xF0\x9F\x98\x80", ImageSourceKind::Glyph, U'\U0001F600'},
      {"sky.tex", ImageSourceKind::DescriptionFile, 0},
      {"..", ImageSourceKind::DescriptionFile, 0},
      {"\xC3\xA9.", ImageSourceKind::DescriptionFile, 0},
      {"Flare", ImageSourceKind::Builtin, 0},
      {"AB", ImageSourceKind::Builtin, 0},
      {"", ImageSourceKind::Builtin, 0},
      {"\xC3", ImageSourceKind::Glyph, U'\u00C3'},            // truncated UTF-8: one byte
      {"\xC3\xA9\xA9", ImageSourceKind::Builtin, 0},          // two characters
  };
  for (const Case& c : cases) {
    const ImageSource source = chooseImageSource(c.text);
    EXPECT_EQ(source.kind, c.kind) << '"' << c.text << '"';
    if (c.kind == ImageSourceKind::Glyph) {
      EXPECT_EQ(uint32_t(source.character), uint32_t(c.character)) << '"' << c.text << '"';
    }
  }
}

TEST(ImageSource, DecodesInvalidSequencesBytewise) {
  struct Case {
    std::string text;
    std::vector<uint32_t> characters;
  };
  const Case cases[] = {
      {"a\xC3\xA4z", {'a', 0xE4, 'z'}},
      {"\xC0\xAF", {0xC0, 0xAF}},            // overlong '/'
      {"\xED\xA0\x80", {0xED, 0xA0, 0x20AC}},  // a surrogate
      {"\xE2\x82", {0xE2, 0x201A}},          // truncated; 0x82 is a Windows-1252 quote
      {"\x81\x9F", {0x81, 0x178}},
  };
  for (const Case& c : cases) {
    std::vector<uint32_t> decoded;
    for (size_t pos = 0; pos < c.text.size();) decoded.push_back(uint32_t(decodeCharacter(c.text, pos)));
    EXPECT_EQ(decoded, c.characters) << c.text;
  }
}

TEST(ImageSource, SplitsTextLinesIntoOneCharacterTexts) {
  const std::vector<std::string> parts = splitCharacters("Gr\xC3\xBC\xDF e.\xE9");
  const std::vector<std::string> expected = {"G", "r", "\xC3\xBC", "\xDF", " ", "e", ".", "\xE9"};
  EXPECT_EQ(parts, expected);
  for (const std::string& part : parts)
    EXPECT_EQ(chooseImageSource(part).kind, ImageSourceKind::Glyph) << part;
  EXPECT_TRUE(splitCharacters("").empty());
}

TEST(ImageMaker, MakesEachKind) {
  test::TempDir dir;
  const std::string file = dir.write("white.tex", std::vector<uint8_t>{1, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0});
  TextureGenerator generator;
  OneLetterRasterizer letters;

  const RgbaImage glyph = makeImage("\xC3\x9F", &generator, &letters);  // ß
  EXPECT_EQ(uint32_t(letters.asked), 0xDFu);
  EXPECT_EQ(glyph.width, 12);
  EXPECT_EQ(glyph.height, 2);

  const RgbaImage generated = makeImage(file, &generator, &letters);
  EXPECT_EQ(generated.width, 256);
  EXPECT_EQ(generated.at(5, 5).r, 254);
  EXPECT_EQ(generated.origin.x, 0.0);

  EXPECT_EQ(makeImage("FLARE2", &generator, &letters).width, 32);
  const RgbaImage nothing = makeImage("Nebel", &generator, &letters);
  EXPECT_TRUE(nothing.empty());
  EXPECT_EQ(nothing.width, 0);
  EXPECT_EQ(nothing.height, 0);
  EXPECT_EQ(nothing.data(), nullptr);
}

TEST(ImageMaker, UsesTheCurrentGenerator) {
  test::TempDir dir;
  const std::string file = dir.write("inv.tex", std::vector<uint8_t>{1, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0});
  TextureGenerator generator;
  const ImageSources sources{&generator, nullptr};
  EXPECT_EQ(makeImage(file, sources).at(0, 0).a, 254);
  EXPECT_EQ(makeImage(file, sources).at(0, 0).a, 0) << "the second run inverts back";
}
