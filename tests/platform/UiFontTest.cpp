#include <gtest/gtest.h>

#include "platform/UiFont.h"

using namespace wf;

TEST(UiFont, DecodesUtf8AndTakesStrayBytesAsLatin1) {
  EXPECT_EQ(UiFont::decode("Abc"), U"Abc");
  EXPECT_EQ(UiFont::decode("mi\xC3\x9F" "gl\xC3\xBC" "ckt"), U"mißglückt");
  EXPECT_EQ(UiFont::decode("\xBB" "SONNE"), U"»SONNE");
  EXPECT_EQ(UiFont::decode("\xC3"), U"Ã") << "a lone lead byte";
  EXPECT_EQ(UiFont::decode("\xE2\x82"), U"â\u0082") << "a cut sequence";
  EXPECT_EQ(UiFont::decode("\xE2\x82\xAC"), U"€");
  EXPECT_EQ(UiFont::decode("\xC0\x80"), U"À\u0080") << "overlong forms are not UTF-8";
  EXPECT_EQ(UiFont::decode(""), U"");
}

class UiFontDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!font.loaded()) GTEST_SKIP() << "no sans font installed";
  }
  UiFont font;
};

TEST_F(UiFontDrawing, DigitsAreEightPixelsWide) {
  EXPECT_EQ(font.textWidth("0123456789"), 80) << font.fontFile();
  EXPECT_GT(font.ascender(), 10);
  EXPECT_LT(font.ascender(), 16);
}

TEST_F(UiFontDrawing, LeftTopTextStaysInItsCell) {
  OffscreenBitmap image(100, 40);
  font.drawText(image, "Hg", 10, 5, 0xFFFFFF, TextPainter::Align::LeftTop);
  int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 100; ++x)
      if (image.atTop(x, y)) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
      }
  ASSERT_GE(maxX, 0) << "something was drawn";
  EXPECT_GE(minX, 10);
  EXPECT_GE(minY, 5);
  EXPECT_LE(maxY, 5 + UiFont::kCellHeight);
}

TEST_F(UiFontDrawing, CentredOnBaseline) {
  OffscreenBitmap image(64, 64);
  font.drawText(image, "HH", 32, 29, 0xFFFFFF, TextPainter::Align::CentreBaseline);
  int minX = 1000, maxX = -1, maxY = -1;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      if ((image.atTop(x, y) & 0xFF) > 128) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
      }
  ASSERT_GE(maxX, 0);
  EXPECT_EQ(maxY, 28) << "H sits on the baseline";
  EXPECT_LE(std::abs((minX + maxX + 1) / 2 - 32), 1) << minX << ".." << maxX;
}

TEST_F(UiFontDrawing, ClipsAndBlendsOverTheBackground) {
  OffscreenBitmap image(8, 8);
  image.fill(0, 0, 8, 8, 0x0000FF);
  font.drawText(image, "WWWWWWWWWW", -20, -5, 0xFF0000, TextPainter::Align::LeftTop);
  font.drawText(image, "\xBB\xFF odd bytes", 300, 300, 0xFF0000, TextPainter::Align::LeftTop);
  bool red = false;
  for (uint32_t p : image.pixels()) red = red || (p >> 16) > 0;
  EXPECT_TRUE(red);
}
