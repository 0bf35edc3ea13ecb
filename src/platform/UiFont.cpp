#include "platform/UiFont.h"

#include <fontconfig/fontconfig.h>  // Required for: FcFontMatch() and friends
#include <ft2build.h>
#include FT_FREETYPE_H              // Required for: FT_Face, FT_Load_Char()

#include "base/Report.h"

namespace wf {
namespace {

// The file and face index fontconfig picks for a pattern.
bool matchFont(const std::string& pattern, std::string& file, int& index) {
  if (!FcInit()) return false;
  FcPattern* request = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
  if (!request) return false;
  FcConfigSubstitute(nullptr, request, FcMatchPattern);
  FcDefaultSubstitute(request);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, request, &result);
  FcPatternDestroy(request);
  if (!match) return false;
  FcChar8* path = nullptr;
  bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path;
  if (found) file = reinterpret_cast<const char*>(path);
  if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
  FcPatternDestroy(match);
  return found;
}

}  // namespace

UiFont::UiFont(const std::string& pattern, int cellHeight) {
  int index = 0;
  FT_Library library = nullptr;
  if (!matchFont(pattern, file_, index) || FT_Init_FreeType(&library) != 0) {
    logDiagnostic("no font for \"" + pattern + "\": console and start-up texts stay empty");
    return;
  }
  library_ = library;
  FT_Face face = nullptr;
  if (FT_New_Face(library, file_.c_str(), index, &face) != 0) {
    logDiagnostic("cannot load font " + file_ + ": console and start-up texts stay empty");
    return;
  }
  // A cell of cellHeight pixels, ascender plus descender: the console's
  // layout counts rows in such cells.
  FT_Size_RequestRec request{};
  request.type = FT_SIZE_REQUEST_TYPE_CELL;
  request.height = static_cast<FT_Long>(cellHeight) * 64;
  if (FT_Request_Size(face, &request) != 0) {
    FT_Done_Face(face);
    logDiagnostic("cannot size font " + file_);
    return;
  }
  face_ = face;
  ascender_ = static_cast<int>(face->size->metrics.ascender >> 6);
  if (file_.find("LiberationSans-Bold") == std::string::npos)
    logDiagnostic("Liberation Sans Bold not found, using " + file_ + " for the console and start-up texts");
}

UiFont::~UiFont() {
  if (face_) FT_Done_Face(static_cast<FT_Face>(face_));
  if (library_) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

std::u32string UiFont::decode(const std::string& text) {
  std::u32string out;
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = byte(i);
    int extra = c >= 0xF0 && c <= 0xF4 ? 3 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xC2 && c <= 0xDF ? 1 : 0;
    char32_t code = extra == 3 ? c & 0x07 : extra == 2 ? c & 0x0F : c & 0x1F;
    bool valid = extra > 0;
    for (int k = 1; valid && k <= extra; ++k) {
      if (i + k >= text.size() || (byte(i + k) & 0xC0) != 0x80) valid = false;
      else code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (valid && extra == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) valid = false;
    if (valid && extra == 3 && (code < 0x10000 || code > 0x10FFFF)) valid = false;
    if (valid) {
      out += code;
      i += static_cast<size_t>(extra) + 1;
    } else {
      out += static_cast<char32_t>(c);  // ASCII, or a stray byte read as Latin-1
      i += 1;
    }
  }
  return out;
}

const UiFont::Glyph& UiFont::glyph(char32_t code) {
  auto it = cache_.find(code);
  if (it != cache_.end()) return it->second;
  Glyph g;
  FT_Face face = static_cast<FT_Face>(face_);
  if (FT_Load_Char(face, code, FT_LOAD_RENDER) == 0) {
    const FT_GlyphSlot slot = face->glyph;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(slot->bitmap.width);
    g.rows = static_cast<int>(slot->bitmap.rows);
    g.advance = static_cast<int>(slot->advance.x >> 6);
    if (slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      g.coverage.resize(static_cast<size_t>(g.width) * g.rows);
      for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.width; ++c)
          g.coverage[static_cast<size_t>(r) * g.width + c] = slot->bitmap.buffer[r * slot->bitmap.pitch + c];
    } else {
      g.width = g.rows = 0;
    }
  }
  return cache_.emplace(code, std::move(g)).first->second;
}

int UiFont::textWidth(const std::string& text) {
  if (!face_) return 0;
  int width = 0;
  for (char32_t c : decode(text)) width += glyph(c).advance;
  return width;
}

void UiFont::drawText(OffscreenBitmap& target, const std::string& text, int x, int y, uint32_t rgb,
                      Align align) {
  if (!face_) return;
  const std::u32string codes = decode(text);
  int penX = x;
  int baseline = y + ascender_;
  if (align == Align::CentreBaseline) {
    int width = 0;
    for (char32_t c : codes) width += glyph(c).advance;
    penX = x - width / 2;
    baseline = y;
  }
  const int red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
  for (char32_t c : codes) {
    const Glyph& g = glyph(c);
    for (int r = 0; r < g.rows; ++r) {
      const int ty = baseline - g.top + r;
      for (int col = 0; col < g.width; ++col) {
        const int tx = penX + g.left + col;
        const int a = g.coverage[static_cast<size_t>(r) * g.width + col];
        if (a == 0 || !target.contains(tx, ty)) continue;
        uint32_t& d = target.atTop(tx, ty);
        const int dr = (d >> 16) & 0xFF, dg = (d >> 8) & 0xFF, db = d & 0xFF;
        const auto mix = [a](int from, int to) { return from + ((to - from) * a + 127) / 255; };
        d = (d & 0xFF000000u) | (static_cast<uint32_t>(mix(dr, red)) << 16) |
            (static_cast<uint32_t>(mix(dg, green)) << 8) | static_cast<uint32_t>(mix(db, blue));
      }
    }
    penX += g.advance;
  }
}

}  // namespace wf
