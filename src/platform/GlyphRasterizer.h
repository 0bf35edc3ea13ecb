// Glyph bitmaps of the engine's letter face, for the glyph images.
//
// The letters were designed with a bold "Times New Roman" at a cell height
// of 128 pixels (ascender + descender). On Linux, fontconfig resolves that
// name to Liberation Serif Bold (package fonts-liberation2), which has the
// same metrics; FreeType renders it hinted, with 256 coverage levels. Any
// other face (DejaVu Serif Bold is what a plain serif request gives) is
// wider, so it is not accepted: without Liberation Serif Bold there is no
// rasterizer, and a clear line on stderr says what to install.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wf {

// One rendered glyph, as the font renderer gives it.
struct GlyphBitmap {
  int width = 0;   // black-box width in pixels (0 for a blank glyph such as space)
  int rows = 0;    // black-box height in pixels
  int left = 0;    // from the pen position to the box's left edge, pixels
  int top = 0;     // from the baseline up to the box's top edge, pixels
  std::vector<uint8_t> coverage;  // rows x width bytes, 0..255, TOP row first, no padding
};

class GlyphRasterizer {
 public:
  virtual ~GlyphRasterizer() = default;
  // Renders one character (a Unicode code point). False when the face has
  // no glyph for it; `out` is then left empty.
  virtual bool rasterize(char32_t character, GlyphBitmap& out) = 0;
};

// The process-wide rasterizer of the engine's letter face, created on first
// use; null (reported once on stderr) when Liberation Serif Bold is missing.
GlyphRasterizer* systemGlyphRasterizer();

// Where fontconfig finds the letter face: its file, or "" when the match is
// not Liberation Serif Bold; `found` names what fontconfig offered instead.
std::string findLetterFaceFile(std::string* found = nullptr);

}  // namespace wf
