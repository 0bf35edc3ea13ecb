// A 4x4 transform, row-major m[row][col], with column vectors multiplied on
// the right (v' = M v): the translation sits in column 3. Rotation angles are
// quarter turns (1 = a right angle).
#pragma once
#include "base/math/Vector3.h"
#include "base/math/Vector4.h"

namespace wf {

// deliberate: this ten-digit value, not the full constant: rotations, the
// logo, the skeleton and the start-up balls were all computed with it
// (Matrix4.TransformsProductsAndColumnMajorCopy).
constexpr double kPi10 = 3.1415926535;

class Matrix4 {
 public:
  double m[4][4];

  Matrix4();  // identity
  virtual ~Matrix4() = default;
  Matrix4(const Matrix4&) = default;
  Matrix4& operator=(const Matrix4&) = default;

  static Matrix4 zero();
  static Matrix4 uniformScale(double s);
  static Matrix4 scale(double a, double b, double e);
  // The fourth value is stored in m[3][3] unchanged.
  static Matrix4 translation(double x, double y, double z, double w);
  // Axis 'x', 'y' or 'z' (either case); any other character leaves the upper
  // 3x3 block zero. theta = (angle / 2) * kPi10.
  static Matrix4 rotation(char axis, double angle);

  // P = A B, then P[3][3] is forced to 1 whatever the sum was: chains of
  // transforms always end with a corner of 1.
  Matrix4 operator*(const Matrix4& b) const;

  // (row0 . v, row1 . v, row2 . v, v.w); row 3 is not used.
  Vector4 transformVector(const Vector4& v) const;
  // Rows 0..2 with an implicit w of 1 (column 3 is an offset).
  Vector3 transformPoint(const Vector3& p) const;

  // Column-major copy for glLoadMatrixd: element 4*col + row = m[row][col].
  void toColumnMajor(double out[16]) const;
};

}  // namespace wf
