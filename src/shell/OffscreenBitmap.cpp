#include "shell/OffscreenBitmap.h"

#include <algorithm>  // Required for: std::max(), std::min()

namespace wf {

OffscreenBitmap::OffscreenBitmap(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0u) {}

void OffscreenBitmap::fill(int x, int y, int w, int h, uint32_t rgb) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min<long long>(static_cast<long long>(x) + w, width_);
  const int y1 = std::min<long long>(static_cast<long long>(y) + h, height_);
  for (int row = y0; row < y1; ++row)
    for (int col = x0; col < x1; ++col) atTop(col, row) = rgb;
}

void OffscreenBitmap::blit(const OffscreenBitmap& source, int sx, int sy, int w, int h, int dx, int dy,
                           RasterOp op) {
  for (int row = 0; row < h; ++row) {
    const int ty = dy + row, fy = sy + row;
    if (ty < 0 || ty >= height_ || fy < 0 || fy >= source.height_) continue;
    for (int col = 0; col < w; ++col) {
      const int tx = dx + col, fx = sx + col;
      if (tx < 0 || tx >= width_ || fx < 0 || fx >= source.width_) continue;
      const uint32_t s = source.atTop(fx, fy);
      uint32_t& d = atTop(tx, ty);
      switch (op) {
        case RasterOp::Copy: d = s; break;
        case RasterOp::And: d &= s; break;
        case RasterOp::Or: d |= s; break;
      }
    }
  }
}

}  // namespace wf
