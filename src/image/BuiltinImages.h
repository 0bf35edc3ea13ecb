// The built-in images, chosen by name instead of a description file.
//
//   name (first letters, any case)  size     origin (x, y, z, w)
//   "Flare"      (5 letters)        32 x 32  16, 16, 0, 1   red disc, violet rim
//   "Cloud"      (5 letters)        64 x 64  32, 32, 0, 1   tiling colour fractal
//   "Screenshot" (10 letters)       64 x 64  32, 32, 0, 0   shaded fill
//
// Names are tested in that order; the text may go on after the letters
// ("FLARE2" is a flare). Any other text gives the empty image (0 x 0, never
// uploaded or drawn). Pixels are RGBA, rows bottom first (RgbaImage).
#pragma once
#include <string>

#include "image/RgbaImage.h"
#include "base/math/Vector3.h"

namespace wf {

// Colours a screenshot image pixel by pixel (x, y in image pixels).
class PixelShader {
 public:
  virtual ~PixelShader() = default;
  virtual Vector3 shade(int x, int y) const = 0;
};

// The screenshot's shading: the constant colour (0.2, 0.8, 0.1) for every
// pixel, packed (51, 204, 25, 218). deliberate: the productions show this
// green square where they name "Screenshot"; it never held a frame
// (BuiltinImages.SizesOriginsAndHandCheckedPixels).
class ScreenshotShader : public PixelShader {
 public:
  Vector3 shade(int x, int y) const override;
};

// For rows y = -16..15 and columns x = -16..15: d = sqrt(x^2 + (y - 0.2 x)^2)
// (a sheared circle), r = 1 - d / 8 clamped to 0..1, colour
// (r, 0, 2 r (1 - r)) clamped to the unit cube and packed.
RgbaImage makeFlare();

// Midpoint displacement on the image itself, every coordinate taken modulo
// 64 so the image tiles: pixel (0, 0) a random colour, then the square
// (0, 0)-(64, 64) subdivided; each edge midpoint is the mean of its end
// pixels plus a random colour times (x1 - x0) * 0.1 / 64, the centre the
// mean of the four edge midpoints. Draws from the shared random generator
// (rand() / 32767 per channel); colours are packed without clamping.
RgbaImage makeCloud();

// Every pixel from the shader, packed.
RgbaImage makeScreenshot(const PixelShader& shader);
RgbaImage makeScreenshot();

// The built-in image a value text names, or the empty image.
RgbaImage makeBuiltin(const std::string& text);

// True when `text` starts with the first `count` letters of `name`, ignoring
// ASCII case.
bool startsWithIgnoringCase(const std::string& text, const char* name, size_t count);

}  // namespace wf
