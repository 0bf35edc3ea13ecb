// FreeType and fontconfig behind GlyphRasterizer.
#include "platform/GlyphRasterizer.h"

#include <fontconfig/fontconfig.h>  // Required for: FcNameParse(), FcFontMatch()
#include <ft2build.h>
#include FT_FREETYPE_H              // Required for: FT_Request_Size(), FT_Render_Glyph()

#include <cstring>  // Required for: std::memcpy()
#include <memory>

#include "base/NumberText.h"  // Required for: equalsIgnoreCase()
#include "base/Report.h"      // Required for: logDiagnostic()

namespace wf {
namespace {

// The face the letters were designed with, as fontconfig knows it.
constexpr const char* kRequestedFace = "Times New Roman:bold";
constexpr const char* kExpectedFamily = "Liberation Serif";
constexpr int kCellHeight = 128;  // pixels, ascender + descender

class FreeTypeGlyphRasterizer : public GlyphRasterizer {
 public:
  ~FreeTypeGlyphRasterizer() override {
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_FreeType(library_);
  }

  bool open(const std::string& file) {
    if (FT_Init_FreeType(&library_) != 0) return false;
    if (FT_New_Face(library_, file.c_str(), 0, &face_) != 0) return false;
    FT_Select_Charmap(face_, FT_ENCODING_UNICODE);
    // A positive font height of 128 meant a cell (ascender + descender) of
    // 128 pixels, not an em of 128.
    FT_Size_RequestRec request = {};
    request.type = FT_SIZE_REQUEST_TYPE_CELL;
    request.width = 0;
    request.height = kCellHeight * 64;  // 26.6 fixed point
    request.horiResolution = 0;         // 0: sizes are in pixels
    request.vertResolution = 0;
    return FT_Request_Size(face_, &request) == 0;
  }

  bool rasterize(char32_t character, GlyphBitmap& out) override {
    out = GlyphBitmap();
    const FT_UInt index = FT_Get_Char_Index(face_, FT_ULong(character));
    if (index == 0) return false;
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT) != 0) return false;
    if (FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL) != 0) return false;
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows > 0 && bitmap.width > 0) return false;
    out.width = int(bitmap.width);
    out.rows = int(bitmap.rows);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.coverage.resize(size_t(out.width) * size_t(out.rows));
    for (int row = 0; row < out.rows; ++row) {
      // The pitch may be negative (bottom-up bitmaps) or padded.
      const unsigned char* from = bitmap.buffer + std::ptrdiff_t(row) * bitmap.pitch;
      if (bitmap.pitch < 0) from = bitmap.buffer + std::ptrdiff_t(out.rows - 1 - row) * -bitmap.pitch;
      std::memcpy(out.coverage.data() + size_t(row) * size_t(out.width), from, size_t(out.width));
    }
    return true;
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

std::string patternString(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || value == nullptr) return "";
  return reinterpret_cast<const char*>(value);
}

}  // namespace

std::string findLetterFaceFile(std::string* found) {
  // A private configuration, destroyed after the lookup: nothing of
  // fontconfig stays behind, and nobody else's fontconfig use is touched.
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return "";
  std::string family, style, file;
  int weight = 0;
  if (FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(kRequestedFace))) {
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
      family = patternString(match, FC_FAMILY);
      style = patternString(match, FC_STYLE);
      file = patternString(match, FC_FILE);
      FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
      FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
  }
  FcConfigDestroy(config);
  if (found) *found = family.empty() ? "" : family + " " + style;
  if (!equalsIgnoreCase(family, kExpectedFamily) || weight < FC_WEIGHT_BOLD) return "";
  return file;
}

GlyphRasterizer* systemGlyphRasterizer() {
  static std::unique_ptr<GlyphRasterizer> instance;
  static bool tried = false;
  if (tried) return instance.get();
  tried = true;
  std::string found;
  const std::string file = findLetterFaceFile(&found);
  if (file.empty()) {
    logDiagnostic("the letters need the font Liberation Serif Bold (Debian package "
                  "fonts-liberation2), but fontconfig offers \"" +
                  (found.empty() ? std::string("nothing") : found) +
                  "\" for \"Times New Roman:bold\": every letter becomes an empty 4x4 image");
    return nullptr;
  }
  auto rasterizer = std::make_unique<FreeTypeGlyphRasterizer>();
  if (!rasterizer->open(file)) {
    logDiagnostic("FreeType cannot open the letter font " + file +
                  ": every letter becomes an empty 4x4 image");
    return nullptr;
  }
  instance = std::move(rasterizer);
  return instance.get();
}

}  // namespace wf
