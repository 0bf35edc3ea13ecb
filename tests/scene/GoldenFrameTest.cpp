// One frame of a scene with every kind of mesh against a stored picture. Mesa's software rasteriser is
// deterministic: the tolerance only absorbs rounding differences between Mesa versions.
// To renew the picture after an intended change: WF_UPDATE_GOLDEN=1 build/tests/scene/test_scene_golden
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
    "Sonne:LIGHT(1);\r\nSonne.C=0.9,0.8,0.7;\r\n"
    "Lampe:LIGHT(0);\r\nLampe.X=0.5,1,-2;\r\nLampe.C=0.2,0.3,1;\r\n"
    "Boden:HEIGHTFIELD(x);\r\nBoden.M=0,-1.2,0,1;\r\n"
    "Logo:MODEL(Logo);\r\nLogo.M=0,0.3;\r\nLogo.M*0,0.7,-4,1;\r\n"
    "Eiche:BAUM(5,0.15,0.03);\r\nEiche.M=-1.6,-1.2,-4,1;\r\n"
    "Arm:SKELETT(x);\r\nArm.M=1.2,0.3,-3,1;\r\n"
    "Ballon:OBJECT(x);\r\nBallon.M=-0.6,-0.4,-3,1;\r\n"
    "Ballon:MODEL(models\\ballon.3ds);\r\nHuelle.P=Ballon;\r\nHuelle.M=0.3;\r\n";

constexpr int kWidth = 320, kHeight = 240;

}  // namespace

TEST(GoldenFrame, SceneWithEveryMeshKindMatchesTheStoredPicture) {
  test::TempDir dir;
  dir.write("mohn.cs", std::string(kScript));
  dir.write("models/ballon.3ds", model3ds::writeScene(model3ds::makeBalloon(1)));
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
  ASSERT_EQ(std::make_pair(w, h), std::make_pair(kWidth, kHeight));

  size_t different = 0;
  int worst = 0;
  for (size_t i = 0; i < static_cast<size_t>(kWidth) * kHeight; ++i) {
    int diff = 0;
    for (int c = 0; c < 3; ++c) diff = std::max(diff, std::abs(int(rgb[i * 3 + c]) - int(expected[i * 4 + c])));
    worst = std::max(worst, diff);
    if (diff > 12) ++different;
  }
  EXPECT_LT(different, static_cast<size_t>(kWidth * kHeight / 200))
      << different << " pixels differ by more than 12 (worst " << worst << ")";
}
