#include <gtest/gtest.h>

#include "platform/UiFont.h"

using namespace wf;

TEST(UiFont, DecodesUtf8AndTakesStrayBytesAsLatin1) {
  // A lone lead byte, a cut sequence and an overlong form are not UTF-8.
  const std::pair<const char*, std::u32string> cases[] = {
      {"mi\xC3\x9F" "gl\xC3\xBC" "ckt", U"mißglückt"}, {"\xBB" "SONNE", U"»SONNE"}, {"\xE2\x82\xAC", U"€"},
      {"\xC3", U"Ã"}, {"\xE2\x82", U"â\u0082"}, {"\xC0\x80", U"À\u0080"}};
  for (const auto& [text, want] : cases) EXPECT_EQ(UiFont::decode(text), want) << text;
}

// The console counts 8 pixels per digit; ball labels are centred on their
// baseline. Text far outside the image is clipped, not written past it.
TEST(UiFont, DigitsAreEightPixelsWideAndLabelsSitCentredOnTheBaseline) {
  UiFont font;
  if (!font.loaded()) GTEST_SKIP() << "no sans font installed";
  EXPECT_EQ(font.textWidth("0123456789"), 80) << font.fontFile();
  OffscreenBitmap image(64, 64);
  font.drawText(image, "HH", 32, 29, 0xFFFFFF, TextPainter::Align::CentreBaseline);
  font.drawText(image, "WWWWWWWWWW\xBB\xFF", -40, -5, 0xFF0000, TextPainter::Align::LeftTop);
  font.drawText(image, "W", 300, 300, 0xFF0000, TextPainter::Align::LeftTop);
  int minX = 64, maxX = -1, maxY = -1, red = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const uint32_t p = image.atTop(x, y);
      red += (p & 0xFF) == 0 && p != 0;
      if ((p & 0xFF) > 128) minX = std::min(minX, x), maxX = std::max(maxX, x), maxY = std::max(maxY, y);
    }
  EXPECT_EQ(maxY, 28) << "H sits on the baseline";
  EXPECT_LE(std::abs((minX + maxX + 1) / 2 - 32), 1) << minX << ".." << maxX;
  EXPECT_GT(red, 0) << "the clipped text shows in the corner";
}
