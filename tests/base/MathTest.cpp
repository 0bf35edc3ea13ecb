#include <gtest/gtest.h>

#include "base/math/Matrix4.h"

using namespace wf;

TEST(Vector3, DefaultsAndClamp) {
  Vector3 white;
  EXPECT_EQ(white.x, 1.0);
  EXPECT_EQ(white.y, 1.0);
  EXPECT_EQ(white.z, 1.0);
  Vector3 v(-0.5, 2, 0.3);
  v.clampToUnit();
  EXPECT_EQ(v.x, 0.0);
  EXPECT_EQ(v.y, 1.0);
  EXPECT_EQ(v.z, 0.3);
  EXPECT_EQ(Vector3(1, 2, 3).scaled(2, 3, 4).z, 12.0);
  EXPECT_EQ(Vector3(1, 2, 3).translated(1, 1, 1).x, 2.0);
}

TEST(Vector3, ToRgbaPacksWithScreenAlphaAndWrapsWithoutClamp) {
  struct Case { Vector3 colour; int r, g, b, a; } cases[] = {
      {{1, 1, 1}, 255, 255, 255, 255}, {{0, 0, 0}, 0, 0, 0, 0},
      {{1, 0, 0}, 255, 0, 0, 255},     {{0.5, 0.5, 0.5}, 127, 127, 127, 223},
      {{1.5, 0, 0}, 126, 0, 0, 126},   {{-0.5, 0, 0}, 129, 0, 0, 129},
  };
  for (const auto& c : cases) {
    PackedPixel p = c.colour.toRGBA();
    EXPECT_EQ(p.r, c.r) << c.colour.x;
    EXPECT_EQ(p.g, c.g);
    EXPECT_EQ(p.b, c.b);
    EXPECT_EQ(p.a, c.a) << c.colour.x;
  }
  PackedPixel px{255, 0, 51, 7};
  Vector3 back(px);
  EXPECT_EQ(back.x, 1.0);
  EXPECT_EQ(back.z, 0.2);
}

TEST(Vector4, WIsAZeroOneFlag) {
  EXPECT_EQ(Vector4(1, 2, 3, 0.5).w, 1.0);
  Vector4 p(1, 2, 3, 1), q(4, 5, 6, 1);
  EXPECT_EQ((p - q).w, 0.0);
  EXPECT_EQ((p + q).w, 1.0);
  Vector4 d;
  EXPECT_EQ(d.x + d.y + d.z + d.w, 0.0);
}

TEST(Vector4, NormalizeCrossDot) {
  Vector4 zero(0, 0, 0, 1);
  zero.normalize();
  EXPECT_EQ(zero.x, 0.0);
  EXPECT_EQ(zero.w, 1.0);
  Vector4 v(3, 0, 4, 0);
  v.normalize();
  EXPECT_DOUBLE_EQ(v.x, 0.6);
  EXPECT_DOUBLE_EQ(v.z, 0.8);
  Vector4 c = cross(Vector4(1, 0, 0, 1), Vector4(0, 1, 0, 1));
  EXPECT_EQ(c.z, 1.0);
  EXPECT_EQ(c.w, 0.0);
  EXPECT_EQ(dot(Vector4(1, 2, 3, 1), Vector4(4, 5, 6, 1)), 32.0);
}

TEST(Matrix4, RotationsUseTheTenDigitPi) {
  Vector4 r = Matrix4::rotation('z', 1).transformVector(Vector4(1, 0, 0, 1));
  EXPECT_EQ(r.x, std::cos(3.1415926535 / 2));
  EXPECT_NE(r.x, 0.0);
  EXPECT_NEAR(r.x, 4.49e-11, 1e-12);
  EXPECT_EQ(r.y, -1.0);
  EXPECT_EQ(r.w, 1.0);
  Vector4 y = Matrix4::rotation('Y', 2).transformVector(Vector4(1, 0, 0, 1));
  EXPECT_NEAR(y.x, -1.0, 1e-15);
  EXPECT_NEAR(y.z, 0.0, 1e-9);
  // About x a positive angle turns +y toward -z.
  Vector4 x = Matrix4::rotation('x', 1).transformVector(Vector4(0, 1, 0, 0));
  EXPECT_NEAR(x.z, -1.0, 1e-15);
  Matrix4 w = Matrix4::rotation('w', 1);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(w.m[i][j], (i == 3 && j == 3) ? 1.0 : 0.0) << i << "," << j;
}

TEST(Matrix4, ProductForcesTheCornerToOne) {
  Matrix4 t = Matrix4::translation(1, 2, 3, 2);
  EXPECT_EQ(t.m[3][3], 2.0);
  Matrix4 p = t * Matrix4();
  EXPECT_EQ(p.m[3][3], 1.0);
  EXPECT_EQ(p.m[0][3], 1.0);
  Matrix4 s = Matrix4::scale(2, 3, 4) * Matrix4::translation(1, 1, 1, 1);
  EXPECT_EQ(s.m[0][3], 2.0);
  EXPECT_EQ(s.m[1][3], 3.0);
  EXPECT_EQ(s.m[2][3], 4.0);
}

TEST(Matrix4, TransformVectorAndPoint) {
  Matrix4 t = Matrix4::translation(1, 2, 3, 1);
  Vector4 dir = t.transformVector(Vector4(5, 6, 7, 0));
  EXPECT_EQ(dir.x, 5.0);
  EXPECT_EQ(dir.w, 0.0);
  Vector4 pt = t.transformVector(Vector4(5, 6, 7, 1));
  EXPECT_EQ(pt.x, 6.0);
  EXPECT_EQ(pt.z, 10.0);
  Vector3 colour = t.transformPoint(Vector3(0.5, 0.5, 0.5));
  EXPECT_EQ(colour.y, 2.5);
  Matrix4 u = Matrix4::uniformScale(3);
  EXPECT_EQ(u.m[3][3], 1.0);
  EXPECT_EQ(u.m[2][2], 3.0);
}

TEST(Matrix4, ColumnMajorCopyForOpenGl) {
  double values[16];
  Matrix4::translation(1, 2, 3, 1).toColumnMajor(values);
  EXPECT_EQ(values[12], 1.0);
  EXPECT_EQ(values[13], 2.0);
  EXPECT_EQ(values[14], 3.0);
  EXPECT_EQ(values[15], 1.0);
  EXPECT_EQ(values[3], 0.0);
}
