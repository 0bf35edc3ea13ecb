#include <gtest/gtest.h>

#include "platform/PngFile.h"
#include "support/TempDir.h"

using namespace wf;

TEST(PngFile, RgbaRoundTripKeepsRowsInOrderAndFailuresNameTheFile) {
  test::TempDir dir;
  const std::vector<uint8_t> pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12,  //
                                       13, 14, 15, 0, 255, 254, 253, 252, 0, 0, 0, 255};
  ASSERT_TRUE(writePng(dir.file("a.png"), 3, 2, 4, pixels.data(), nullptr));
  int w = 0, h = 0;
  std::vector<uint8_t> back;
  std::string error;
  ASSERT_TRUE(readPngRgba(dir.file("a.png"), w, h, back, &error)) << error;
  EXPECT_EQ(std::vector<int>({w, h}), std::vector<int>({3, 2}));
  EXPECT_EQ(back, pixels);
  EXPECT_FALSE(writePng(dir.file("x.png"), 0, 1, 4, pixels.data(), &error));
  EXPECT_FALSE(writePng(dir.file("missing/x.png"), 1, 1, 4, pixels.data(), &error));
  EXPECT_NE(error.find("missing/x.png"), std::string::npos) << error;
  EXPECT_FALSE(readPngRgba(dir.write("bad.png", "not a png"), w, h, back, &error));
  EXPECT_NE(error.find("bad.png"), std::string::npos) << error;
}
