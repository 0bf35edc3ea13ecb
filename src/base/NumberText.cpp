#include "base/NumberText.h"

#include <cctype>   // Required for: isdigit()
#include <climits>  // Required for: INT_MAX, INT_MIN
#include <clocale>  // Required for: newlocale()
#include <cmath>    // Required for: std::isnan()
#include <cstdlib>  // Required for: strtod_l()
#include <locale.h>

namespace wf {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

locale_t cLocale() {
  static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

}  // namespace

double parseAtof(const char* text) {
  if (!text) return 0.0;
  const char* p = text;
  while (isSpace(*p)) ++p;
  const char* start = p;
  if (*p == '+' || *p == '-') ++p;
  bool anyDigit = false;
  while (isDigit(*p)) { ++p; anyDigit = true; }
  if (*p == '.') {
    ++p;
    while (isDigit(*p)) { ++p; anyDigit = true; }
  }
  if (!anyDigit) return 0.0;
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    if (*q == '+' || *q == '-') ++q;
    if (isDigit(*q)) {
      while (isDigit(*q)) ++q;
      p = q;
    }
  }
  // Only the validated decimal prefix goes to strtod, in the C locale, so the
  // rounding is the library's correct rounding and nothing else is accepted.
  std::string number(start, p);
  return strtod_l(number.c_str(), nullptr, cLocale());
}

int parseAtoi(const char* text) {
  if (!text) return 0;
  const char* p = text;
  while (isSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  long long value = 0;
  while (isDigit(*p)) {
    value = value * 10 + (*p++ - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int truncToInt(double value) {
  // x86's cvttsd2si gives the "integer indefinite" 0x80000000 for NaN and for
  // anything outside the 32-bit range; stored data was produced that way.
  if (std::isnan(value) || value >= 2147483648.0 || value <= -2147483649.0) return INT_MIN;
  return static_cast<int>(value);
}

namespace {

// One character of a UTF-8 text: its code point, or for a byte that starts
// no valid sequence that byte above the Unicode range (so it equals only
// itself). Advances `text` past it.
char32_t nextCharacter(const unsigned char*& text) {
  const unsigned char lead = *text;
  if (lead < 0x80) {
    ++text;
    return lead;
  }
  const int length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? (lead <= 0xEF ? 3 : 0) : lead >= 0xC2 ? 2 : 0;
  char32_t value = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
  for (int i = 1; i < length; ++i) {
    if ((text[i] & 0xC0) != 0x80) return 0x110000u + *text++;
    value = (value << 6) | (text[i] & 0x3F);
  }
  if (length == 0 || (length == 3 && value < 0x800) || (length == 4 && (value < 0x10000 || value > 0x10FFFF)))
    return 0x110000u + *text++;
  text += length;
  return value;
}

// Lower case of the letters that have both cases in Windows-1252, the code
// page names were compared in: A-Z, the Latin-1 letters À-Þ (not ×), and
// Š, Œ, Ž, Ÿ. Everything else, ß included, is its own lower case.
char32_t foldCase(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  switch (c) {
    case 0x160: return 0x161;  // Š
    case 0x152: return 0x153;  // Œ
    case 0x17D: return 0x17E;  // Ž
    case 0x178: return 0xFF;   // Ÿ
    default: return c;
  }
}

}  // namespace

bool equalsIgnoreCase(const char* a, const char* b) {
  if (!a || !b) return a == b;
  const unsigned char* pa = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* pb = reinterpret_cast<const unsigned char*>(b);
  for (;;) {
    if (*pa == 0 || *pb == 0) return *pa == *pb;
    if (foldCase(nextCharacter(pa)) != foldCase(nextCharacter(pb))) return false;
  }
}

}  // namespace wf
