// The --texture-png run: descriptions in, the texture object's image out.
#include <gtest/gtest.h>

#include "app/Runs.h"
#include "platform/PngFile.h"
#include "support/TempDir.h"

using namespace wf;

namespace {

std::vector<uint8_t> description(const std::vector<std::vector<uint8_t>>& records) {
  std::vector<uint8_t> bytes = {uint8_t(records.size()), 0, 0, 0};
  for (auto r : records) {
    r.resize(9, 0);
    bytes.insert(bytes.end(), r.begin(), r.end());
  }
  return bytes;
}

const uint8_t* pixel(const std::vector<uint8_t>& rgba, int x, int y) { return rgba.data() + (y * 256 + x) * 4; }

}  // namespace

TEST(TexturePng, WritesLayerZeroAsTheTextureHoldsIt) {
  test::TempDir dir;
  // A red light spot of radius 10 about (20, 30): the PNG's first row is y = 0.
  const std::string spot = dir.write("spot.tex", description({{2, 0, 20, 30, 10, 127, 0, 0}}));
  const std::string out = dir.file("spot.png");
  ASSERT_EQ(runTexturePng(out, {spot}), 0);
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  std::string error;
  ASSERT_TRUE(readPngRgba(out, width, height, rgba, &error)) << error;
  ASSERT_EQ(width, 256);
  ASSERT_EQ(height, 256);
  // centre: red byte 10 -> 10 / 256 * 255 = 9.96 -> 9; alpha the same
  const uint8_t* centre = pixel(rgba, 20, 30);
  EXPECT_EQ(centre[0], 9);
  EXPECT_EQ(centre[1], 0);
  EXPECT_EQ(centre[2], 0);
  EXPECT_EQ(centre[3], 9);
  EXPECT_EQ(pixel(rgba, 30, 20)[0], 0) << "x and y not swapped";
  EXPECT_EQ(pixel(rgba, 0, 0)[3], 0);
}

TEST(TexturePng, LaterFilesBuildOnEarlierOnes) {
  test::TempDir dir;
  const std::string invert = dir.write("invert.tex", description({{4, 0}}));
  const std::string out = dir.file("white.png");
  ASSERT_EQ(runTexturePng(out, {invert}), 0);
  int w = 0, h = 0;
  std::vector<uint8_t> rgba;
  ASSERT_TRUE(readPngRgba(out, w, h, rgba, nullptr));
  EXPECT_EQ(pixel(rgba, 100, 100)[0], 254) << "255 becomes 254";
  EXPECT_EQ(pixel(rgba, 100, 100)[3], 254);
  ASSERT_EQ(runTexturePng(out, {invert, invert}), 0);
  ASSERT_TRUE(readPngRgba(out, w, h, rgba, nullptr));
  EXPECT_EQ(pixel(rgba, 100, 100)[0], 0) << "the second file inverts back";
  EXPECT_EQ(pixel(rgba, 100, 100)[3], 0);
}

TEST(TexturePng, FailuresWriteNothing) {
  test::TempDir dir;
  const std::string out = dir.file("none.png");
  testing::internal::CaptureStderr();
  EXPECT_EQ(runTexturePng(out, {dir.file("missing.tex")}), 1);
  EXPECT_EQ(runTexturePng(out, {}), 2);
  EXPECT_EQ(runTexturePng(dir.file("no/such/dir/x.png"), {dir.write("ok.tex", description({}))}), 1);
  const std::string messages = testing::internal::GetCapturedStderr();
  EXPECT_NE(messages.find("cannot read texture description"), std::string::npos) << messages;
  EXPECT_NE(messages.find("cannot write"), std::string::npos) << messages;
  EXPECT_EQ(test::readTextFile(out), "");
}
