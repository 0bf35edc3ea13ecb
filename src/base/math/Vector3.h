// Three doubles: a colour (x, y, z = red, green, blue on 0..1) or a point
// without a homogeneous coordinate.
#pragma once
#include <cstdint>

namespace wf {

// A packed pixel: four bytes in memory order R, G, B, A.
struct PackedPixel {
  uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct Vector3 {
  double x = 1.0, y = 1.0, z = 1.0;  // default is white

  Vector3() = default;
  Vector3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
  explicit Vector3(double v) : x(v), y(v), z(v) {}
  explicit Vector3(PackedPixel p) : x(p.r / 255.0), y(p.g / 255.0), z(p.b / 255.0) {}

  void clampToUnit();
  Vector3 scaled(double a, double b, double e) const { return {x * a, y * b, z * e}; }
  Vector3 translated(double a, double b, double e) const { return {x + a, y + b, z + e}; }

  // R, G, B = trunc(c * 255); A = trunc((1 - (1-x)(1-y)(1-z)) * 255), the
  // screen blend of the three channels.
  // deliberate: no clamp; a component outside 0..1 keeps the low 8 bits of
  // its truncated value (1.5 -> 126), and stored pictures rely on that wrap
  // (Vector3.DefaultClampAndPacking).
  PackedPixel toRGBA() const;
};

}  // namespace wf
