// A text painter for tests: remembers every call and marks the pixel at the
// text's anchor, so tests can see where and what was drawn without a font.
#pragma once
#include <string>
#include <vector>

#include "shell/OffscreenBitmap.h"

namespace wf::test {

struct FakeTextPainter : TextPainter {
  struct Call { std::string text; int x, y; uint32_t rgb; Align align; };
  void drawText(OffscreenBitmap& target, const std::string& text, int x, int y, uint32_t rgb, Align align) override {
    calls.push_back({text, x, y, rgb, align});
    if (target.contains(x, y)) target.atTop(x, y) = rgb;
  }
  std::vector<Call> calls;
};

}  // namespace wf::test
