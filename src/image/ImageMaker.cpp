#include "image/ImageMaker.h"

#include "image/BuiltinImages.h"
#include "image/GlyphImage.h"
#include "image/texgen/LayerImage.h"
#include "image/texgen/TextureGenerator.h"

namespace wf {
namespace {

// Windows-1252 0x80..0x9F; 0 where the code page has no character (those
// bytes are taken as the C1 control of the same number).
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t fromWindows1252(uint8_t byte) {
  if (byte >= 0x80 && byte < 0xA0 && kWindows1252High[byte - 0x80] != 0)
    return kWindows1252High[byte - 0x80];
  return byte;
}

}  // namespace

char32_t decodeCharacter(const std::string& text, size_t& pos) {
  const uint8_t lead = uint8_t(text[pos]);
  int length = 0;
  char32_t value = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
  }
  bool valid = length > 0 && pos + size_t(length) <= text.size();
  for (int i = 1; valid && i < length; ++i) {
    const uint8_t next = uint8_t(text[pos + size_t(i)]);
    if ((next & 0xC0) != 0x80) valid = false;
    value = (value << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
  if (valid && ((length == 3 && value < 0x800) || (length == 4 && (value < 0x10000 || value > 0x10FFFF)) ||
                (value >= 0xD800 && value <= 0xDFFF)))
    valid = false;
  if (!valid) {
    ++pos;
    return fromWindows1252(lead);
  }
  pos += size_t(length);
  return value;
}

std::vector<std::string> splitCharacters(const std::string& text) {
  std::vector<std::string> characters;
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    decodeCharacter(text, pos);
    characters.push_back(text.substr(start, pos - start));
  }
  return characters;
}

ImageSource chooseImageSource(const std::string& valueText) {
  ImageSource source;
  if (!valueText.empty()) {
    size_t pos = 0;
    const char32_t first = decodeCharacter(valueText, pos);
    if (pos == valueText.size()) {
      source.kind = ImageSourceKind::Glyph;
      source.character = first;
      return source;
    }
  }
  source.kind = valueText.find('.') != std::string::npos ? ImageSourceKind::DescriptionFile
                                                          : ImageSourceKind::Builtin;
  return source;
}

RgbaImage makeImage(const std::string& valueText, TextureGenerator* generator,
                    GlyphRasterizer* glyphs) {
  const ImageSource source = chooseImageSource(valueText);
  switch (source.kind) {
    case ImageSourceKind::Glyph: return makeGlyph(source.character, glyphs);
    case ImageSourceKind::DescriptionFile: return makeGeneratedImage(generator, valueText);
    case ImageSourceKind::Builtin: break;
  }
  return makeBuiltin(valueText);
}

RgbaImage makeImage(const std::string& valueText, const ImageSources& sources) {
  const bool glyph = chooseImageSource(valueText).kind == ImageSourceKind::Glyph;
  return makeImage(valueText, sources.generator, glyph && sources.letterFace ? sources.letterFace() : nullptr);
}

}  // namespace wf
