#include "shell/StartupBall.h"

#include <cmath>  // Required for: std::cos(), std::sin(), std::sqrt()

#include "base/NumberText.h"
#include "base/Random.h"
#include "shell/SettingsStore.h"
#include "base/math/Matrix4.h"

namespace wf {
namespace {

struct KindTexts {
  const char* name;
  const char* values[4];  // null: no text for that value
};

const KindTexts kKinds[] = {
    {"Start", {" ", nullptr, nullptr, nullptr}},
    {"Resolution", {"windowed", "640x480", "800x600", "1024x768"}},
    {"Quality", {"low", "normal", "high", nullptr}},
};

// Components below 0, and anything that is not >= 0 (NaN), become 0.
double clampUnit(double c) {
  if (!(c >= 0.0)) return 0.0;
  return c > 1.0 ? 1.0 : c;
}

}  // namespace

const char* ballName(int kind) { return kind >= 0 && kind <= 2 ? kKinds[kind].name : ""; }

const char* ballValueText(int kind, int value) {
  if (kind < 0 || kind > 2 || value < 0 || value > 3) return nullptr;
  return kKinds[kind].values[value];
}

StartupBall::StartupBall(int kind_, int desktopWidth, int desktopHeight, const SettingsStore* store,
                         TextPainter* painter)
    : kind(kind_), desktopWidth_(desktopWidth), desktopHeight_(desktopHeight), painter_(painter) {
  const int r1 = crtRand();
  const int r2 = crtRand();
  const int r3 = crtRand();
  const double angle = r1 * 2 * kPi10 / 32767.0;
  vx = std::cos(angle) * 6.0;
  vy = std::sin(angle) * 6.0;
  // 32-bit integer arithmetic: multiply (wrapping like a 32-bit int), then
  // divide truncating, so the balls start where they always have.
  const auto place = [](int r, int range) {
    const int32_t product = static_cast<int32_t>(static_cast<uint32_t>(r) * static_cast<uint32_t>(range));
    return product / 32767;
  };
  x = place(r2, desktopWidth_ - kSize);
  y = place(r3, desktopHeight_ - kSize);

  renderBall();
  value = 0;
  if (store)
    if (std::optional<int32_t> stored = store->value(ballName(kind))) value = *stored;
  // A hand-edited value the kind has no text for would leave the ball blank
  // and reach the display-mode table unmapped: start from the first choice.
  if (!ballValueText(kind, value)) value = 0;
  drawLabel(ballValueText(kind, value));
  redrawCounter = 100;
}

int StartupBall::left() const { return truncToInt(x); }
int StartupBall::top() const { return truncToInt(y); }

void StartupBall::move() {
  x += vx;
  y += vy;
  // Four independent tests in this order; the position is not clamped.
  if (x + kSize >= desktopWidth_) vx = -vx;
  if (y + kSize >= desktopHeight_) vy = -vy;
  if (x <= 0) vx = -vx;
  if (y <= 0) vy = -vy;
  if (redrawCounter > 8) {
    renderBall();
    redrawCounter = 0;
  } else {
    redrawCounter += 1;
  }
}

bool StartupBall::click() {
  if (kind == kStartBall) return true;
  value += 1;
  if (!ballValueText(kind, value)) value = 0;
  drawLabel(ballValueText(kind, value));
  return false;
}

void StartupBall::drawLabel(const std::string& text) {
  labelImage.fill(0, 0, kSize, kSize, 0x000000);
  if (painter_) {
    painter_->drawText(labelImage, ballName(kind), 32, 29, 0xFFFFFF, TextPainter::Align::CentreBaseline);
    painter_->drawText(labelImage, text, 32, 43, 0xFFFFFF, TextPainter::Align::CentreBaseline);
  }
  renderBall();
}

void StartupBall::renderBall() {
  // The ball's centre and the light, relative to the desktop's centre
  // (x right, y down, z toward the viewer); the halvings are integer ones.
  const Vector4 centre(x + 32 - desktopWidth_ / 2, y + 32 - desktopHeight_ / 2, 0, 1);
  const Vector4 light(-100, 160, 200, 1);
  const Matrix4 radius = Matrix4::uniformScale(32);

  for (int row = 0; row < kSize; ++row) {
    for (int column = 0; column < kSize; ++column) {
      const int k = column - 32;
      const int j = row - 32;
      const double nx = k / 32.0;
      const double ny = -j / 32.0;
      if (nx * nx + ny * ny > 1) {
        maskImage.at(column, row) = 0xFFFFFFFFu;
        colourImage.at(column, row) = 0;
        continue;
      }
      // At the exact rim the root is of 0 (or a rounding hair below it).
      const double nz = std::sqrt(std::fmax(1 - nx * nx - ny * ny, 0.0));
      const Vector4 normal(nx, ny, nz, 0);
      const Vector4 surface = radius.transformVector(normal) + centre;
      Vector4 toSurface = surface - light;
      toSurface.normalize();

      // The lens: the label magnified toward the middle, gone at the rim.
      const int u = truncToInt((2 - nz) * nx * 0.7 * 31) + 32;
      const int v = 32 - truncToInt((2 - nz) * ny * 0.7 * 31);
      const int32_t t = (u >= 0 && u < kSize && v >= 0 && v < kSize)
                            ? static_cast<int32_t>(labelImage.at(u, v)) : 0;

      const double d = -dot(normal, toSurface);
      const double g = (t >> 16) / 256.0;
      const double red = clampUnit(d * d * d + g);
      const double green = clampUnit(1.1 * d);
      const double blue = clampUnit(1.1 * d);
      const uint32_t r8 = static_cast<uint32_t>(red * 255);
      const uint32_t g8 = static_cast<uint32_t>(green * 255);
      const uint32_t b8 = static_cast<uint32_t>(blue * 255);
      colourImage.at(column, row) = r8 * 65536 + g8 * 256 + b8;
      maskImage.at(column, row) = 0;
    }
  }
}

}  // namespace wf
