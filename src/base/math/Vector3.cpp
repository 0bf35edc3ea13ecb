#include "base/math/Vector3.h"

#include "base/NumberText.h"

namespace wf {

void Vector3::clampToUnit() {
  if (x < 0) x = 0; else if (x > 1) x = 1;
  if (y < 0) y = 0; else if (y > 1) y = 1;
  if (z < 0) z = 0; else if (z > 1) z = 1;
}

PackedPixel Vector3::toRGBA() const {
  PackedPixel p;
  p.r = static_cast<uint8_t>(truncToInt(x * 255.0) & 0xFF);
  p.g = static_cast<uint8_t>(truncToInt(y * 255.0) & 0xFF);
  p.b = static_cast<uint8_t>(truncToInt(z * 255.0) & 0xFF);
  p.a = static_cast<uint8_t>(truncToInt((1.0 - (1.0 - x) * (1.0 - y) * (1.0 - z)) * 255.0) & 0xFF);
  return p;
}

}  // namespace wf
