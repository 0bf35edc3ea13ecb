// Where a texture object's image comes from, decided by its value text:
//   1. exactly one character: the glyph image of that character;
//   2. otherwise, a text containing '.': a description file run through the
//      texture generator, giving a 256 x 256 image of its layer 0;
//   3. otherwise: a built-in image by name ("Flare", "Cloud", "Screenshot"),
//      or the empty image.
// Texts are UTF-8 (the script reader decodes Windows-1252 and UTF-8 files to
// it), and "one character" means one code point: "é" is a glyph, ".." is a
// file name, "." is the glyph of the full stop. A byte that is not valid
// UTF-8 counts as one Windows-1252 character.
#pragma once
#include <string>
#include <vector>

#include "image/RgbaImage.h"

namespace wf {

class GlyphRasterizer;
class TextureGenerator;

enum class ImageSourceKind { Glyph, DescriptionFile, Builtin };

struct ImageSource {
  ImageSourceKind kind = ImageSourceKind::Builtin;
  char32_t character = 0;  // the code point, for Glyph
};

ImageSource chooseImageSource(const std::string& valueText);

// The image for a value text, with the given generator and letter face
// (either may be null: no generator gives a black 256 x 256 image, no face
// the 4 x 4 missing-glyph image).
RgbaImage makeImage(const std::string& valueText, TextureGenerator* generator,
                    GlyphRasterizer* glyphs);

// Where the images of texture objects and sprites come from in a running
// engine: its generator and its letter face. The face is asked for only when
// a glyph is wanted, so a production without text never loads a font.
struct ImageSources {
  TextureGenerator* generator = nullptr;
  GlyphRasterizer* (*letterFace)() = nullptr;
};
RgbaImage makeImage(const std::string& valueText, const ImageSources& sources);

// Decodes the code point at `text[pos]` and advances `pos` past it; an
// invalid or truncated sequence yields its first byte as Windows-1252.
char32_t decodeCharacter(const std::string& text, size_t& pos);

// The characters of a text line, each as its own one-character text (the
// bytes of one code point, or one invalid byte), for STRING objects: each
// element given to makeImage() yields that character's glyph.
std::vector<std::string> splitCharacters(const std::string& text);

}  // namespace wf
