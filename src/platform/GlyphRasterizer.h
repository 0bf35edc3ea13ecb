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
#include <string>

#include "image/GlyphRasterizer.h"

namespace wf {

// The process-wide rasterizer of the engine's letter face, created on first
// use; null (reported once on stderr) when Liberation Serif Bold is missing.
GlyphRasterizer* systemGlyphRasterizer();

// Where fontconfig finds the letter face: its file, or "" when the match is
// not Liberation Serif Bold; `found` names what fontconfig offered instead.
std::string findLetterFaceFile(std::string* found = nullptr);

}  // namespace wf
