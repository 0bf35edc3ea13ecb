// What the glyph images need from a font renderer: one character as a
// coverage bitmap. The engine's letter face (FreeType) implements it in the
// platform layer; tests hand in fakes.
#pragma once
#include <cstdint>
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

}  // namespace wf
