#include "image/BuiltinImages.h"

#include <cmath>  // Required for: std::sqrt()

#include "base/Random.h"  // Required for: crtRand()

namespace wf {
namespace {

constexpr int kFlareSize = 32;
constexpr int kCloudSize = 64;
constexpr int kScreenshotSize = 64;

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// The cloud's pixel access: coordinates wrap, so 64 is 0 and the image tiles.
class WrappingCanvas {
 public:
  explicit WrappingCanvas(RgbaImage& image) : image_(image) {}
  Vector3 get(int x, int y) const { return Vector3(image_.at(wrapX(x), wrapY(y))); }
  void put(int x, int y, const Vector3& colour) { image_.set(wrapX(x), wrapY(y), colour.toRGBA()); }
  int width() const { return image_.width; }

 private:
  int wrapX(int x) const { return ((x % image_.width) + image_.width) % image_.width; }
  int wrapY(int y) const { return ((y % image_.height) + image_.height) % image_.height; }
  RgbaImage& image_;
};

// rand() / 32767 for red, green and blue, drawn in that order.
Vector3 randomColour() {
  const double r = crtRand() / 32767.0;
  const double g = crtRand() / 32767.0;
  const double b = crtRand() / 32767.0;
  return Vector3(r, g, b);
}

// (a + b) / 2 + random * s, component by component.
Vector3 displacedMean(const Vector3& a, const Vector3& b, const Vector3& random, double s) {
  return Vector3((a.x + b.x) / 2 + random.x * s, (a.y + b.y) / 2 + random.y * s,
                 (a.z + b.z) / 2 + random.z * s);
}

void subdivideCloud(WrappingCanvas& canvas, int x0, int y0, int x1, int y1) {
  // Squares halve down to 1 pixel: the depth is log2(64) = 6.
  if (!(x0 < x1 - 1)) return;
  const int xm = (x0 + x1) / 2;
  const int ym = (y0 + y1) / 2;
  const double s = (x1 - x0) * 0.1 / canvas.width();
  // Each midpoint draws its random colour first, then reads its ends.
  Vector3 random = randomColour();
  canvas.put(xm, y0, displacedMean(canvas.get(x0, y0), canvas.get(x1, y0), random, s));
  random = randomColour();
  canvas.put(xm, y1, displacedMean(canvas.get(x0, y1), canvas.get(x1, y1), random, s));
  random = randomColour();
  canvas.put(x0, ym, displacedMean(canvas.get(x0, y0), canvas.get(x0, y1), random, s));
  random = randomColour();
  canvas.put(x1, ym, displacedMean(canvas.get(x1, y0), canvas.get(x1, y1), random, s));
  // The centre reads the four midpoints back as they were packed (and, on
  // the whole image, as they wrapped onto each other).
  const Vector3 top = canvas.get(xm, y0), bottom = canvas.get(xm, y1);
  const Vector3 left = canvas.get(x0, ym), right = canvas.get(x1, ym);
  canvas.put(xm, ym, Vector3((top.x + bottom.x + left.x + right.x) / 4,
                             (top.y + bottom.y + left.y + right.y) / 4,
                             (top.z + bottom.z + left.z + right.z) / 4));
  subdivideCloud(canvas, x0, y0, xm, ym);
  subdivideCloud(canvas, xm, y0, x1, ym);
  subdivideCloud(canvas, x0, ym, xm, y1);
  subdivideCloud(canvas, xm, ym, x1, y1);
}

}  // namespace

bool startsWithIgnoringCase(const std::string& text, const char* name, size_t count) {
  if (text.size() < count) return false;
  for (size_t i = 0; i < count; ++i)
    if (name[i] == '\0' || lowerAscii(text[i]) != lowerAscii(name[i])) return false;
  return true;
}

Vector3 ScreenshotShader::shade(int, int) const { return Vector3(0.2, 0.8, 0.1); }

RgbaImage makeFlare() {
  RgbaImage image(kFlareSize, kFlareSize);
  image.origin = Vector4(16, 16, 0, 1);
  for (int y = -16; y < 16; ++y) {
    for (int x = -16; x < 16; ++x) {
      const double sheared = y - 0.2 * x;
      const double d = std::sqrt(double(x * x) + sheared * sheared);
      double r = 1 - d / 8;
      if (r < 0) r = 0;
      if (r > 1) r = 1;
      Vector3 colour(r, 0, 2 * r * (1 - r));
      colour.clampToUnit();
      image.set(x + 16, y + 16, colour.toRGBA());
    }
  }
  return image;
}

RgbaImage makeCloud() {
  RgbaImage image(kCloudSize, kCloudSize);
  image.origin = Vector4(32, 32, 0, 1);
  WrappingCanvas canvas(image);
  canvas.put(0, 0, randomColour());
  subdivideCloud(canvas, 0, 0, kCloudSize, kCloudSize);
  return image;
}

RgbaImage makeScreenshot(const PixelShader& shader) {
  RgbaImage image(kScreenshotSize, kScreenshotSize);
  image.origin = Vector4(32, 32, 0, 0);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) image.set(x, y, shader.shade(x, y).toRGBA());
  return image;
}

RgbaImage makeScreenshot() { return makeScreenshot(ScreenshotShader()); }

RgbaImage makeBuiltin(const std::string& text) {
  if (startsWithIgnoringCase(text, "Flare", 5)) return makeFlare();
  if (startsWithIgnoringCase(text, "Cloud", 5)) return makeCloud();
  if (startsWithIgnoringCase(text, "Screenshot", 10)) return makeScreenshot();
  return RgbaImage();
}

}  // namespace wf
