#include "script/SourceText.h"

namespace wf {
namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves
// undefined map to the C1 control of the same value, as Windows itself does.
const char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Length of the valid UTF-8 sequence at data[pos], or 0 if there is none.
size_t utf8SequenceAt(const uint8_t* data, size_t size, size_t pos, char32_t& codePoint) {
  const uint8_t lead = data[pos];
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  size_t length;
  char32_t value;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    value = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    value = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    value = lead & 0x07;
    minimum = 0x10000;
  } else {
    return 0;
  }
  if (size - pos < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    const uint8_t next = data[pos + i];
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  codePoint = value;
  return length;
}

bool isValidUtf8(const uint8_t* data, size_t size) {
  char32_t ignored;
  for (size_t pos = 0; pos < size;) {
    const size_t length = utf8SequenceAt(data, size, pos, ignored);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

}  // namespace

std::u32string decodeScriptText(const uint8_t* data, size_t size) {
  std::u32string text;
  if (size == 0) return text;
  text.reserve(size);
  if (isValidUtf8(data, size)) {
    size_t pos = 0;
    // A byte-order mark is an editor's artefact, not part of the first name.
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) pos = 3;
    while (pos < size) {
      char32_t codePoint = 0;
      pos += utf8SequenceAt(data, size, pos, codePoint);
      text.push_back(codePoint);
    }
    return text;
  }
  for (size_t pos = 0; pos < size; ++pos) {
    const uint8_t byte = data[pos];
    text.push_back(byte >= 0x80 && byte < 0xA0 ? static_cast<char32_t>(kHighControls[byte - 0x80]) : byte);
  }
  return text;
}

void appendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) codePoint = 0xFFFD;
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

unsigned char toWindows1252(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<unsigned char>(codePoint);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == codePoint) return static_cast<unsigned char>(0x80 + i);
  return '?';
}

std::string truncateUtf8(const std::string& text, size_t maxCharacters) {
  size_t characters = 0;
  for (size_t pos = 0; pos < text.size(); ++pos) {
    if ((static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) continue;
    if (characters == maxCharacters) return text.substr(0, pos);
    ++characters;
  }
  return text;
}

}  // namespace wf
