#include <SDL.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>

#include "base/FrameClock.h"
#include "base/MainWindow.h"
#include "platform/EglHeadlessSurface.h"
#include "platform/GlRenderer.h"
#include "platform/PngFile.h"
#include "platform/SdlMainWindow.h"
#include "scene/ObjectRegistry.h"
#include "shell/DebugConsole.h"
#include "support/TempDir.h"

using namespace wf;

namespace {
// A renderer on a headless surface of the window's size.
struct HeadlessGl : ::testing::Test {
  HeadlessGl(int width = 64, int height = 48) : window(width, height), surface(width, height) {}
  void SetUp() override { ASSERT_TRUE(renderer.createContext()) << "no EGL context"; }
  HeadlessWindow window;
  EglHeadlessSurface surface;
  ObjectRegistry registry;
  GlRenderer renderer{&registry, &window, &surface};
};
struct TallHeadlessGl : HeadlessGl {
  TallHeadlessGl() : HeadlessGl(48, 64) {}
};
}  // namespace

TEST_F(HeadlessGl, ClearsToBlackAndReadsBackTopRowFirst) {
  renderer.beginFrame();
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
  std::vector<uint8_t> rgb = renderer.readFrameRgb(w, h);
  ASSERT_EQ(w, 64);
  ASSERT_EQ(h, 48);
  auto at = [&](int x, int y) { return &rgb[(static_cast<size_t>(y) * 64 + x) * 3]; };
  EXPECT_EQ(at(32, 2)[0], 255) << "the triangle is near the top of the picture";
  EXPECT_EQ(at(32, 2)[1], 0);
  EXPECT_EQ(at(32, 45)[0], 0) << "the bottom stays black";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(HeadlessGl, ProjectionUsesTheIntegerAspectQuotientAndFramesEmptyTheLightList) {
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
  for (int i = 0; i < 20; ++i) currentLightList().add(nullptr);
  EXPECT_EQ(renderer.lights().count(), LightList::kCapacity) << "the 17th light is ignored";
  renderer.beginFrame();
  EXPECT_EQ(renderer.lights().count(), 0);
}

TEST_F(TallHeadlessGl, TallWindowLeavesTheProjectionAtIdentity) {
  double projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  EXPECT_DOUBLE_EQ(projection[0], 1.0);
  EXPECT_DOUBLE_EQ(projection[10], 1.0) << "glFrustum with q = 0 is rejected";
  glGetError();  // the GL_INVALID_VALUE of that call
}

// F12 goes through the key table first (input mode types its code 0x7B) and
// then saves the next frame as it stands before its swap.
TEST(SdlMainWindow, F12TypesInInputModeAndSavesTheNextFrameBeforeItsSwap) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  test::TempDir dir;
  SdlMainWindow window(64, 48, false);
  ASSERT_TRUE(window.isAlive()) << window.failure();
  window.setScreenshotFolder(dir.path());
  ObjectRegistry registry;
  GlRenderer renderer(&registry, &window, &window);
  ASSERT_TRUE(renderer.createContext());
  DebugConsole console;
  setCurrentConsole(&console);
  console.toggleInputMode(nullptr);

  glClearColor(0, 1, 0, 1);  // the frame on screen when F12 comes
  glClear(GL_COLOR_BUFFER_BIT);
  renderer.present();
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_F12;
  SDL_PushEvent(&key);
  while (SDL_PollEvent(nullptr)) window.pumpMessage();
  EXPECT_EQ(console.inputLine, "\x7B");
  setCurrentConsole(nullptr);
  glClearColor(1, 0, 1, 1);  // the next frame
  glClear(GL_COLOR_BUFFER_BIT);
  renderer.present();
  glClearColor(0, 0, 0, 0);
  unsetenv("SDL_VIDEODRIVER");

  int w = 0, h = 0;
  std::vector<uint8_t> rgba;
  ASSERT_TRUE(readPngRgba(dir.file("screenshot-0001.png"), w, h, rgba));
  ASSERT_EQ(w * h, 64 * 48);
  EXPECT_EQ(std::vector<uint8_t>(rgba.begin(), rgba.begin() + 4), (std::vector<uint8_t>{255, 0, 255, 255}));
  EXPECT_EQ(std::vector<uint8_t>(rgba.end() - 4, rgba.end()), (std::vector<uint8_t>{255, 0, 255, 255}));
}
