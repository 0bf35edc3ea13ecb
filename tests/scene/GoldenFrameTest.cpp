// One rendered frame of a small scene with every kind of mesh, compared with
// a stored picture. Mesa's software rasteriser is deterministic, so a broken
// projection, winding, hierarchy or lighting shows up as a large difference;
// the tolerance only absorbs rounding differences between Mesa versions.
//
// To renew the picture after an intended change:
//   WF_UPDATE_GOLDEN=1 build/tests/scene/test_scene_golden
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/DemoApp.h"
#include "base/DisplaySettings.h"
#include "base/FrameClock.h"
#include "model3ds/Writer3ds.h"
#include "platform/EglHeadlessSurface.h"
#include "platform/GlRenderer.h"
#include "base/MainWindow.h"
#include "platform/PngFile.h"
#include "support/TempDir.h"

using namespace wf;

namespace {

const char* kScript =
    "Sonne:LIGHT(1);\r\n"
    "Sonne.C=0.9,0.8,0.7;\r\n"
    "Lampe:LIGHT(0);\r\n"
    "Lampe.X=0.5,1,-2;\r\n"
    "Lampe.C=0.2,0.3,1;\r\n"
    "Boden:HEIGHTFIELD(x);\r\n"
    "Boden.M=0,-1.2,0,1;\r\n"
    "Logo:MODEL(Logo);\r\n"
    "Logo.M=0,0.3;\r\n"
    "Logo.M*0,0.7,-4,1;\r\n"
    "Eiche:BAUM(5,0.15,0.03);\r\n"
    "Eiche.M=-1.6,-1.2,-4,1;\r\n"
    "Arm:SKELETT(x);\r\n"
    "Arm.M=1.2,0.3,-3,1;\r\n"
    "Ballon:OBJECT(x);\r\n"
    "Ballon.M=-0.6,-0.4,-3,1;\r\n"
    "Ballon:MODEL(models\\ballon.3ds);\r\n"
    "Huelle.P=Ballon;\r\n"
    "Huelle.M=0.3;\r\n";

constexpr int kWidth = 320, kHeight = 240;

std::vector<uint8_t> renderScene(const test::TempDir& dir) {
  test::ScopedWorkingDir cwd(dir.path());
  DisplaySettings& display = displaySettings();
  display.screenWidth = kWidth;
  display.screenHeight = kHeight;
  display.detailLevel = 1;
  HeadlessWindow window(kWidth, kHeight);
  EglHeadlessSurface surface(kWidth, kHeight);
  VirtualTimeSource time;
  DemoPlatform platform;
  platform.surface = &surface;
  platform.time = &time;
  DemoApp app("--golden", window, std::move(platform));
  time.set(0.005);  // one step: every statement of the script runs
  std::vector<uint8_t> rgb;
  app.runFrame([&] {
    int w = 0, h = 0;
    rgb = app.renderer().readFrameRgb(w, h);
  });
  return rgb;
}

}  // namespace

TEST(GoldenFrame, SceneWithEveryMeshKindMatchesTheStoredPicture) {
  test::TempDir dir;
  dir.write("mohn.cs", std::string(kScript));
  dir.write("models/ballon.3ds", model3ds::writeScene(model3ds::makeBalloon(1)));
  const std::vector<uint8_t> rgb = renderScene(dir);
  ASSERT_EQ(rgb.size(), static_cast<size_t>(kWidth) * kHeight * 3);

  const std::string golden = std::string(WF_TEST_DATA_DIR) + "/golden/scene.png";
  if (std::getenv("WF_UPDATE_GOLDEN")) {
    ASSERT_TRUE(writePng(golden, kWidth, kHeight, 3, rgb.data()));
    GTEST_SKIP() << "golden picture written to " << golden;
  }
  int w = 0, h = 0;
  std::vector<uint8_t> expected;
  std::string error;
  ASSERT_TRUE(readPngRgba(golden, w, h, expected, &error)) << error;
  ASSERT_EQ(w, kWidth);
  ASSERT_EQ(h, kHeight);

  size_t different = 0, lit = 0;
  int worst = 0;
  for (size_t i = 0; i < static_cast<size_t>(kWidth) * kHeight; ++i) {
    int diff = 0;
    for (int c = 0; c < 3; ++c) diff = std::max(diff, std::abs(int(rgb[i * 3 + c]) - int(expected[i * 4 + c])));
    worst = std::max(worst, diff);
    if (diff > 12) ++different;
    if (rgb[i * 3] + rgb[i * 3 + 1] + rgb[i * 3 + 2] > 30) ++lit;
  }
  EXPECT_GT(lit, static_cast<size_t>(kWidth * kHeight / 4)) << "the scene is drawn at all";
  EXPECT_LT(different, static_cast<size_t>(kWidth * kHeight / 200))
      << different << " pixels differ by more than 12 (worst " << worst << ")";
}
