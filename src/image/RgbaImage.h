// An image in memory, as every texture object and sprite holds it.
//
// Pixels: width x height packed pixels of 4 bytes in memory order R, G, B, A
// (what Vector3::toRGBA() produces), no padding between rows. Rows run from
// y = 0 upward: row 0 is the first in memory and is the BOTTOM row on screen,
// which is the order glTexImage2D and glDrawPixels take, so the pixel buffer
// goes to OpenGL unchanged (GL_RGBA, GL_UNSIGNED_BYTE).
//
// Origin: the anchor of the image in pixels (x to the right, y up from the
// bottom row), z = 0, w = 0 or 1; sprites place this image point on their
// anchor. All 0 for images made from a description file.
//
// An image without pixels (width = height = 0) is the defined "no image":
// it is neither uploaded nor drawn.
#pragma once
#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: uint8_t, int32_t
#include <vector>

#include "base/math/Vector3.h"  // Required for: PackedPixel
#include "base/math/Vector4.h"  // Required for: Vector4 (origin)

namespace wf {

struct RgbaImage {
  int32_t width = 0;             // pixels per row
  int32_t height = 0;            // rows
  Vector4 origin;                // anchor (x, y, 0, w), see above
  std::vector<uint8_t> pixels;   // width * height * 4 bytes, R G B A, row y = 0 first

  RgbaImage() = default;
  // A black, fully transparent image of the given size.
  RgbaImage(int32_t w, int32_t h)
      : width(w > 0 && h > 0 ? w : 0),
        height(w > 0 && h > 0 ? h : 0),
        pixels(size_t(width) * size_t(height) * 4, 0) {}

  bool empty() const { return pixels.empty(); }
  // Pointer for OpenGL, or null for an empty image.
  const uint8_t* data() const { return pixels.empty() ? nullptr : pixels.data(); }

  // Pixel access; x in 0..width-1, y in 0..height-1 (not checked).
  size_t offset(int x, int y) const { return (size_t(y) * size_t(width) + size_t(x)) * 4; }
  PackedPixel at(int x, int y) const {
    const uint8_t* p = pixels.data() + offset(x, y);
    PackedPixel result;
    result.r = p[0];
    result.g = p[1];
    result.b = p[2];
    result.a = p[3];
    return result;
  }
  void set(int x, int y, PackedPixel value) {
    uint8_t* p = pixels.data() + offset(x, y);
    p[0] = value.r;
    p[1] = value.g;
    p[2] = value.b;
    p[3] = value.a;
  }
};

}  // namespace wf
