// A homogeneous point or direction. w is a flag, not a coordinate: 1 marks a
// point (translations apply), 0 a direction. Every Vector4 built from four
// numbers stores w != 0 ? 1 : 0, and so do sums and differences.
#pragma once
#include <cmath>

namespace wf {

struct Vector4 {
  double x = 0.0, y = 0.0, z = 0.0, w = 0.0;

  Vector4() = default;
  Vector4(double x_, double y_, double z_, double w_) : x(x_), y(y_), z(z_), w(w_ != 0.0 ? 1.0 : 0.0) {}

  Vector4 operator-(const Vector4& b) const { return {x - b.x, y - b.y, z - b.z, w - b.w}; }
  Vector4 operator+(const Vector4& b) const { return {x + b.x, y + b.y, z + b.z, w + b.w}; }

  double length() const { return std::sqrt(x * x + y * y + z * z); }
  // Divides x, y, z by the length when it is above 0; w is untouched.
  void normalize() {
    const double l = length();
    if (l > 0) {
      x /= l;
      y /= l;
      z /= l;
    }
  }
};

inline Vector4 cross(const Vector4& a, const Vector4& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x, 0.0};
}

inline double dot(const Vector4& a, const Vector4& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

}  // namespace wf
