// Glyph images: one letter as an RGBA image, for text sprites.
//
// Size: the glyph's black-box width rounded up to a multiple of 4 (the
// letter renderer delivered rows padded to 4 bytes) by its black-box height;
// a blank glyph (space) has a 1 x 1 black box, so it is 4 x 1. Rows bottom
// first like every image. Coverage is reduced to 65 levels 0..64 and each
// level v becomes the grey (v/64, v/64, v/64) packed with toRGBA(): full
// coverage is (255, 255, 255, 255), none is transparent black, and alpha
// follows 1 - (1 - v/64)^3.
// Origin (x, y, 0, 1): x = the box's left edge from the pen position, y = the
// depth of the box below the baseline (A -> 0, g -> about 26), so letters
// drawn upward from their anchors share a baseline.
// A character the face has no glyph for (or no face at all) gives a
// transparent 4 x 4 image with origin (0, 0, 0, 1).
#pragma once
#include "image/RgbaImage.h"

namespace wf {

class GlyphRasterizer;
struct GlyphBitmap;

// (v * 64 + 127) / 255: 256 coverage levels to the 65 levels 0..64.
int coverageLevel(int coverage);

// The image of one rendered glyph.
RgbaImage glyphImageFromBitmap(const GlyphBitmap& bitmap);

// The glyph image of a character (a Unicode code point) from `rasterizer`;
// null gives the 4 x 4 image.
RgbaImage makeGlyph(char32_t character, GlyphRasterizer* rasterizer);

}  // namespace wf
