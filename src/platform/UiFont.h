// The text face of the start-up balls' labels and the debug console: a
// FreeType rasteriser for one bold sans face found through fontconfig.
//
// Text cells are 16 pixels high (ascender + descender), digits 8 pixels
// wide, which the console's layout counts on ("]" goes 8 pixels per digit
// after the step counter). Liberation Sans Bold has those metrics; without it
// fontconfig's nearest sans face is used and said so on stderr.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "shell/OffscreenBitmap.h"

namespace wf {

class UiFont : public TextPainter {
 public:
  static constexpr int kCellHeight = 16;

  // Loads the face; loaded() says whether that worked (without a face no
  // text is drawn, and that is reported once on stderr).
  explicit UiFont(const std::string& pattern = "Liberation Sans:bold", int cellHeight = kCellHeight);
  ~UiFont() override;
  UiFont(const UiFont&) = delete;
  UiFont& operator=(const UiFont&) = delete;

  bool loaded() const { return face_ != nullptr; }
  const std::string& fontFile() const { return file_; }
  int ascender() const { return ascender_; }
  // Advance width of a text in pixels.
  int textWidth(const std::string& text);

  void drawText(OffscreenBitmap& target, const std::string& text, int x, int y, uint32_t rgb,
                Align align) override;

  // UTF-8 to code points; a byte that does not start a valid UTF-8
  // sequence is taken as one Latin-1 character (typed key codes such as
  // 0xBB reach the console that way).
  static std::u32string decode(const std::string& text);

 private:
  struct Glyph {
    int left = 0, top = 0, width = 0, rows = 0, advance = 0;
    std::vector<uint8_t> coverage;  // rows top-first, 0..255
  };
  const Glyph& glyph(char32_t code);

  void* library_ = nullptr;  // FT_Library
  void* face_ = nullptr;     // FT_Face
  std::string file_;
  int ascender_ = 0;
  std::unordered_map<char32_t, Glyph> cache_;
};

}  // namespace wf
