#include <gtest/gtest.h>

#include <GL/gl.h>

#include "platform/EglHeadlessSurface.h"
#include "platform/GlRenderer.h"
#include "base/MainWindow.h"
#include "scene/ObjectRegistry.h"

using namespace wf;

namespace {
struct HeadlessGl {
  HeadlessWindow window{64, 48};
  EglHeadlessSurface surface{64, 48};
  ObjectRegistry registry;
  GlRenderer renderer{&registry, &window, &surface};
  bool context = renderer.createContext();
};
}  // namespace

TEST(HeadlessGl, ClearsToBlackAndReadsBackTopRowFirst) {
  HeadlessGl gl;
  gl.renderer.beginFrame();
  // A red triangle in the upper half (the projection of a 64x48 window is
  // -1..1 by -1..1 at the near plane 1).
  glDisable(GL_DEPTH_TEST);
  glBegin(GL_TRIANGLES);
  glColor3d(1, 0, 0);
  glVertex3d(-4, 0.5, -2);
  glVertex3d(4, 0.5, -2);
  glVertex3d(0, 1.9, -2);
  glEnd();
  int w = 0, h = 0;
  std::vector<uint8_t> rgb = gl.renderer.readFrameRgb(w, h);
  ASSERT_EQ(w, 64);
  ASSERT_EQ(h, 48);
  auto at = [&](int x, int y) { return &rgb[(static_cast<size_t>(y) * 64 + x) * 3]; };
  EXPECT_EQ(at(32, 2)[0], 255) << "the triangle is near the top of the picture";
  EXPECT_EQ(at(32, 2)[1], 0);
  EXPECT_EQ(at(32, 45)[0], 0) << "the bottom stays black";
  EXPECT_EQ(at(1, 1)[0], 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(HeadlessGl, ProjectionUsesTheIntegerAspectQuotient) {
  HeadlessGl gl;
  double projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  // glFrustum(-1, 1, -1, 1, 1, 10) for 64 / 48 = 1.
  EXPECT_DOUBLE_EQ(projection[0], 1.0);
  EXPECT_DOUBLE_EQ(projection[5], 1.0);
  EXPECT_NEAR(projection[10], -11.0 / 9.0, 1e-6);  // GL keeps floats
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 64);
  EXPECT_EQ(viewport[3], 48);
}

TEST(HeadlessGl, TallWindowLeavesTheProjectionAtIdentity) {
  HeadlessWindow tall(48, 64);
  EglHeadlessSurface surface(48, 64);
  ObjectRegistry registry;
  GlRenderer renderer(&registry, &tall, &surface);
  ASSERT_TRUE(renderer.createContext());
  double projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  EXPECT_DOUBLE_EQ(projection[0], 1.0);
  EXPECT_DOUBLE_EQ(projection[10], 1.0) << "glFrustum with q = 0 is rejected";
  glGetError();  // the GL_INVALID_VALUE of that call
}

TEST(HeadlessGl, BeginFrameEmptiesTheLightList) {
  HeadlessGl gl;
  for (int i = 0; i < 20; ++i) currentLightList().add(nullptr);
  EXPECT_EQ(gl.renderer.lights().count(), LightList::kCapacity) << "the 17th light is ignored";
  gl.renderer.beginFrame();
  EXPECT_EQ(gl.renderer.lights().count(), 0);
}
