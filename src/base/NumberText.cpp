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

bool equalsIgnoreCase(const char* a, const char* b) {
  if (!a || !b) return a == b;
  for (;; ++a, ++b) {
    unsigned char ca = static_cast<unsigned char>(*a), cb = static_cast<unsigned char>(*b);
    if (ca >= 'A' && ca <= 'Z') ca = static_cast<unsigned char>(ca + 32);
    if (cb >= 'A' && cb <= 'Z') cb = static_cast<unsigned char>(cb + 32);
    if (ca != cb) return false;
    if (ca == 0) return true;
  }
}

}  // namespace wf
