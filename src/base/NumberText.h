// Locale-independent number parsing and formatting with the semantics of the
// classic C runtime functions the scripts were written against.
//
// glibc's atof follows LC_NUMERIC (a German locale reads "0.5" as 0), and it
// also accepts hexadecimal and "inf"/"nan", which scripts never meant.
// These helpers read only the plain decimal forms, always with '.'.
#pragma once
#include <string>

namespace wf {

// Leading white space, optional sign, digits, optional '.' and digits,
// optional exponent. Anything else ends the number; no number gives 0.
double parseAtof(const char* text);
inline double parseAtof(const std::string& text) { return parseAtof(text.c_str()); }

// Leading white space, optional sign, decimal digits. Values beyond the
// 32-bit range saturate instead of wrapping.
int parseAtoi(const char* text);
inline int parseAtoi(const std::string& text) { return parseAtoi(text.c_str()); }

// Truncation toward zero into a 32-bit integer, as a C cast on x86 does, but
// defined for every double: NaN and out-of-range values give INT_MIN.
int truncToInt(double value);

// Equality of two whole UTF-8 texts ignoring the case of every letter that
// has two cases in Windows-1252 (A-Z, the Latin-1 letters such as Ä/ä, Ö/ö,
// Ü/ü, É/é, and Š, Œ, Ž, Ÿ), as names were compared on a German system.
bool equalsIgnoreCase(const char* a, const char* b);
inline bool equalsIgnoreCase(const std::string& a, const std::string& b) {
  return equalsIgnoreCase(a.c_str(), b.c_str());
}

}  // namespace wf
