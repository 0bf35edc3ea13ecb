#include <gtest/gtest.h>

#include "base/math/Matrix4.h"

using namespace wf;

namespace {
std::vector<double> xyzw(const Vector4& v) { return {v.x, v.y, v.z, v.w}; }
std::vector<double> xyz(const Vector3& c) { return {c.x, c.y, c.z}; }
}  // namespace

TEST(Vector3, DefaultClampAndPacking) {
  Vector3 v(-0.5, 2, 0.3);
  v.clampToUnit();
  EXPECT_EQ(xyz(v), xyz({0, 1, 0.3}));
  EXPECT_EQ(xyz(Vector3()), xyz({1, 1, 1})) << "white";
  EXPECT_EQ(xyz(Vector3(PackedPixel{255, 0, 51, 7})), xyz({1, 0, 0.2}));
  EXPECT_EQ(xyz(Vector3(1, 2, 3).scaled(2, 3, 4).translated(1, 1, 1)), xyz({3, 7, 13}));
  // No clamp: a component outside 0..1 keeps the low 8 bits of its truncated value.
  const std::pair<Vector3, std::vector<int>> cases[] = {
      {{1, 1, 1}, {255, 255, 255, 255}},       {{0, 0, 0}, {0, 0, 0, 0}},         {{1, 0, 0}, {255, 0, 0, 255}},
      {{0.5, 0.5, 0.5}, {127, 127, 127, 223}}, {{1.5, 0, 0}, {126, 0, 0, 126}}, {{-0.5, 0, 0}, {129, 0, 0, 129}}};
  for (const auto& c : cases) {
    const PackedPixel p = c.first.toRGBA();
    EXPECT_EQ(std::vector<int>({p.r, p.g, p.b, p.a}), c.second) << c.first.x << "," << c.first.y;
  }
}

TEST(Vector4, WIsAFlag) {
  const Vector4 p(1, 2, 3, 1), q(4, 5, 6, 1);
  EXPECT_EQ(xyzw(Vector4()), xyzw({0, 0, 0, 0}));
  EXPECT_EQ(Vector4(1, 2, 3, 0.5).w, 1.0);
  EXPECT_EQ(xyzw(p - q), xyzw({-3, -3, -3, 0})) << "point - point is a direction";
  EXPECT_EQ(xyzw(p + q), xyzw({5, 7, 9, 1}));
}

TEST(Matrix4, TransformsProductsAndColumnMajorCopy) {
  const std::tuple<const char*, Matrix4, Vector4, Vector4, double> cases[] = {  // ..., in, out, tolerance (0: exact)
      {"translate, then scale", Matrix4::scale(2, 3, 4) * Matrix4::translation(1, 1, 1, 1), {0, 0, 0, 1},
       {2, 3, 4, 1}, 0},
      {"quarter turn about z: +x to -y", Matrix4::rotation('z', 1), {1, 0, 0, 1}, {0, -1, 0, 1}, 1e-10},
      {"quarter turn about Y: +x to -z", Matrix4::rotation('Y', 1), {1, 0, 0, 1}, {0, 0, -1, 1}, 1e-10},
      {"quarter turn about x: +y to -z", Matrix4::rotation('x', 1), {0, 1, 0, 0}, {0, 0, -1, 0}, 1e-10},
      {"unknown axis: a zero block", Matrix4::rotation('w', 1), {1, 2, 3, 1}, {0, 0, 0, 1}, 0},
  };
  for (const auto& [what, m, in, out, tolerance] : cases)
    for (size_t i = 0; i < 4; ++i)
      EXPECT_NEAR(xyzw(m.transformVector(in))[i], xyzw(out)[i], tolerance) << what << ", element " << i;
  EXPECT_NEAR(Matrix4::rotation('z', 1).m[0][0], 4.49e-11, 1e-12) << "pi is 3.1415926535: cos is not 0";
  const Matrix4 t = Matrix4::translation(1, 2, 3, 2);
  EXPECT_EQ(std::make_pair(t.m[3][3], (t * Matrix4()).m[3][3]), std::make_pair(2.0, 1.0)) << "a product's corner is 1";
  double values[16];
  Matrix4::translation(1, 2, 3, 1).toColumnMajor(values);
  EXPECT_EQ(std::vector<double>(values + 12, values + 16), (std::vector<double>{1, 2, 3, 1}));
}
