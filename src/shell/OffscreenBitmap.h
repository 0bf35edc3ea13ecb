// A 32-bit pixel image in memory: the start-up balls, the dialog's desktop
// snapshot and composite, and the debug console's canvas.
//
// Pixels are 0x00RRGGBB and stored bottom-up, as the balls' arithmetic was
// written for: element n * width + i is column i of row n, and row 0 is the
// bottom row on screen. Blits and text take coordinates from the top, the
// way windows count them; atTop() does that conversion. Everything clips to
// the image, so callers may draw partly (or wholly) outside it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wf {

class OffscreenBitmap {
 public:
  OffscreenBitmap(int width, int height);
  virtual ~OffscreenBitmap() = default;

  int width() const { return width_; }
  int height() const { return height_; }
  std::vector<uint32_t>& pixels() { return pixels_; }
  const std::vector<uint32_t>& pixels() const { return pixels_; }

  // Column i of row n counted from the bottom; no bounds check.
  uint32_t& at(int i, int n) { return pixels_[static_cast<size_t>(n) * width_ + i]; }
  uint32_t at(int i, int n) const { return pixels_[static_cast<size_t>(n) * width_ + i]; }
  // Column x of row y counted from the top; no bounds check.
  uint32_t& atTop(int x, int y) { return at(x, height_ - 1 - y); }
  uint32_t atTop(int x, int y) const { return at(x, height_ - 1 - y); }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // A rectangle from the top-left, clipped.
  void fill(int x, int y, int w, int h, uint32_t rgb);

  // The three raster operations the balls use, w x h from (sx, sy) of
  // `source` to (dx, dy) here, both from the top, clipped on both sides.
  enum class RasterOp { Copy, And, Or };
  void blit(const OffscreenBitmap& source, int sx, int sy, int w, int h, int dx, int dy, RasterOp op);

 private:
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
};

// Text into an image; the platform supplies one rasteriser (FreeType).
class TextPainter {
 public:
  enum class Align {
    LeftTop,         // (x, y) is the top-left corner of the text cell
    CentreBaseline,  // x is the middle of the text, y its baseline
  };
  virtual ~TextPainter() = default;
  // Draws UTF-8 text (bytes that are not UTF-8 count as Latin-1) in the
  // colour rgb over what is there, anti-aliased, clipped to the image.
  virtual void drawText(OffscreenBitmap& target, const std::string& text, int x, int y, uint32_t rgb,
                        Align align) = 0;
};

}  // namespace wf
