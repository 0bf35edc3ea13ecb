#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include "base/MainWindow.h"
#include "platform/EglHeadlessSurface.h"
#include "platform/GlRenderer.h"
#include "platform/PngFile.h"
#include "platform/SdlMainWindow.h"
#include "scene/ObjectRegistry.h"
#include "shell/DebugConsole.h"
#include "support/TempDir.h"

using namespace wf;

// A 48x64 window: the integer quotient 48 / 64 is 0, glFrustum rejects the
// empty volume and the projection stays the identity.
struct TallHeadlessGl : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(renderer.createContext()) << "no EGL context"; }
  HeadlessWindow window{48, 64};
  EglHeadlessSurface surface{48, 64};
  ObjectRegistry registry;
  GlRenderer renderer{&registry, &window, &surface};
};

TEST_F(TallHeadlessGl, ProjectionStaysTheIdentityAndEveryFrameEmptiesTheLightList) {
  double projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  EXPECT_EQ(std::vector<double>(projection, projection + 16),
            std::vector<double>({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE)) << "the rejected glFrustum";
  currentLightList().add(nullptr);
  renderer.beginFrame();
  EXPECT_EQ(renderer.lights().count(), 0);
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
  const auto frame = [&](float red, float green, float blue) {
    glClearColor(red, green, blue, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    renderer.present();
  };
  frame(0, 1, 0);  // on screen when F12 comes
  SDL_Event key{};
  key.key.type = SDL_KEYDOWN, key.key.keysym.sym = SDLK_F12;
  SDL_PushEvent(&key);
  while (SDL_PollEvent(nullptr)) window.pumpMessage();
  EXPECT_EQ(console.inputLine, "\x7B");
  setCurrentConsole(nullptr);
  frame(1, 0, 1);
  unsetenv("SDL_VIDEODRIVER");
  int w = 0, h = 0;
  std::vector<uint8_t> rgba;
  ASSERT_TRUE(readPngRgba(dir.file("screenshot-0001.png"), w, h, rgba));
  EXPECT_EQ(w * h, 64 * 48);
  EXPECT_EQ(std::vector<uint8_t>(rgba.end() - 4, rgba.end()), std::vector<uint8_t>({255, 0, 255, 255}));
}
