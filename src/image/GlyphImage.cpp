#include "image/GlyphImage.h"

#include "image/GlyphRasterizer.h"

namespace wf {
namespace {

RgbaImage missingGlyphImage() {
  RgbaImage image(4, 4);
  image.origin = Vector4(0, 0, 0, 1);
  return image;
}

}  // namespace

int coverageLevel(int coverage) { return (coverage * 64 + 127) / 255; }

RgbaImage glyphImageFromBitmap(const GlyphBitmap& bitmap) {
  // A blank glyph still has a 1 x 1 black box, as the letter metrics always
  // reported it.
  const int boxWidth = bitmap.width > 0 ? bitmap.width : 1;
  const int boxHeight = bitmap.rows > 0 ? bitmap.rows : 1;
  const bool blank = bitmap.width <= 0 || bitmap.rows <= 0 ||
                     bitmap.coverage.size() < size_t(bitmap.width) * size_t(bitmap.rows);
  RgbaImage image((boxWidth + 3) & ~3, boxHeight);
  image.origin = Vector4(bitmap.left, bitmap.rows - bitmap.top, 0, 1);
  if (blank) return image;

  PackedPixel levels[65];
  for (int v = 0; v <= 64; ++v) {
    const double grey = v / 64.0;
    levels[v] = Vector3(grey, grey, grey).toRGBA();
  }
  // Image row 0 is the bottom row: the renderer's last row.
  for (int row = 0; row < bitmap.rows; ++row) {
    const uint8_t* from = bitmap.coverage.data() + size_t(bitmap.rows - 1 - row) * size_t(bitmap.width);
    for (int x = 0; x < bitmap.width; ++x) image.set(x, row, levels[coverageLevel(from[x])]);
  }
  return image;
}

RgbaImage makeGlyph(char32_t character, GlyphRasterizer* rasterizer) {
  GlyphBitmap bitmap;
  if (rasterizer == nullptr || !rasterizer->rasterize(character, bitmap)) return missingGlyphImage();
  return glyphImageFromBitmap(bitmap);
}

}  // namespace wf
