// The --texture-png run: descriptions in, the texture object's image out.
#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "app/Runs.h"
#include "platform/PngFile.h"
#include "support/TempDir.h"

using namespace wf;

TEST(TexturePng, WritesLayerZeroOfAllFilesAsTheTextureHoldsItAndNothingOnFailure) {
  test::TempDir dir;
  // A light spot about (20, 30), radius 10, red weight 127: red byte 10 at its centre; then layer 0 inverted.
  const std::string spot = dir.write("spot.tex", std::vector<uint8_t>{1, 0, 0, 0, 2, 0, 20, 30, 10, 127, 0, 0, 0});
  const std::string out = dir.file("spot.png");
  ASSERT_EQ(runTexturePng(out, {spot, dir.write("invert.tex", std::vector<uint8_t>{1, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0})}), 0);
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  ASSERT_TRUE(readPngRgba(out, width, height, rgba, nullptr));
  ASSERT_EQ((std::array<int, 2>{width, height}), (std::array<int, 2>{256, 256}));
  // The PNG's first row is y = 0; 245 / 256 * 255 = 244.04, and 255 becomes 254.
  EXPECT_EQ((std::array<int, 4>{rgba[30 * 1024 + 80], rgba[30 * 1024 + 81], rgba[30 * 1024 + 82], rgba[30 * 1024 + 83]}),
            (std::array<int, 4>{244, 254, 254, 254})) << "the inverted centre (20, 30)";
  EXPECT_EQ(rgba[20 * 1024 + 120], 254) << "(30, 20): x and y not swapped";
  const std::string none = dir.file("none.png");
  testing::internal::CaptureStderr();
  EXPECT_EQ(runTexturePng(none, {dir.file("missing.tex")}), 1);
  EXPECT_EQ(runTexturePng(none, {}), 2);
  EXPECT_EQ(runTexturePng(dir.file("no/such/dir/x.png"), {spot}), 1);
  const std::string messages = testing::internal::GetCapturedStderr();
  EXPECT_NE(messages.find("cannot read texture description"), std::string::npos) << messages;
  EXPECT_NE(messages.find("cannot write"), std::string::npos) << messages;
  EXPECT_FALSE(std::ifstream(none).good()) << "nothing written";
}
