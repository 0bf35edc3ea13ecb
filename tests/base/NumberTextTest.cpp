#include <gtest/gtest.h>

#include <clocale>
#include <climits>
#include <cmath>

#include "base/NumberText.h"

using namespace wf;

TEST(NumberText, AtofReadsTheLeadingDecimalNumberWhateverTheLocale) {
  struct Case { const char* text; double expected; } cases[] = {
      {"0.5", 0.5}, {"-2.25", -2.25}, {"+3", 3.0}, {"  7.", 7.0}, {".25", 0.25},
      {"1e3", 1000.0}, {"1e", 1.0}, {"2E-2x", 0.02}, {"12abc", 12.0}, {"abc", 0.0},
      {"", 0.0}, {"-", 0.0}, {".", 0.0}, {"0x10", 0.0}, {"inf", 0.0}, {"nan", 0.0},
      {"1,5", 1.0},
  };
  // A German LC_NUMERIC, where installed, must not change how scripts read numbers.
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) std::setlocale(LC_NUMERIC, "de_DE");
  for (const auto& c : cases) EXPECT_EQ(parseAtof(c.text), c.expected) << "text: '" << c.text << "'";
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberText, AtoiSaturatesAndStopsAtTheFirstNonDigit) {
  for (auto [text, value] : {std::pair{"42", 42}, {" -17x", -17}, {"2.9", 2}, {"abc", 0}, {"99999999999", INT_MAX},
                              {"-99999999999", INT_MIN}})
    EXPECT_EQ(parseAtoi(text), value) << text;
}

TEST(NumberText, TruncToIntFollowsTheX86Conversion) {
  for (auto [value, result] : {std::pair{2.9, 2}, {-2.9, -2}, {std::nan(""), INT_MIN}, {1e12, INT_MIN},
                                {-1e12, INT_MIN}, {2147483647.0, INT_MAX}})
    EXPECT_EQ(truncToInt(value), result) << value;
}

TEST(NumberText, EqualsIgnoreCaseFoldsTheLettersOfWindows1252) {
  const struct { const char *a, *b; bool equal; } cases[] = {
      {"Base", "bASE", true}, {"Base", "Bases", false}, {"", "a", false}, {"", "", true},
      {"H\xC3\xB6he", "H\xC3\x96HE", true},                     // Höhe, HÖHE
      {"\xC3\x84\xC3\x9C\xC3\x80\xC3\x9E", "\xC3\xA4\xC3\xBC\xC3\xA0\xC3\xBE", true},  // ÄÜÀÞ, äüàþ
      {"\xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8", "\xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF", true},  // ŠŒŽŸ, šœžÿ
      {"\xC3\x97", "\xC3\xB7", false},                          // × and ÷ are no letters
      {"\xC3\x9F", "SS", false},                                  // ß has no capital
      {"\xC3\xA4", "a", false},                                   // accents count
      {"\xC3\xA4", "\xC3\xA4x", false}, {"\xC3\xA4", "\xC3\xA5", false},
      {"\xC4\x80", "\xC4\x81", false},                          // Ā/ā: not in the code page
      {"\xC3", "\xC3", true},                                     // a cut-off sequence equals itself
      {"\xE4", "\xC3\xA4", false},                               // ...but no decoded character
      {"\xC1\x81", "a", false},  // an overlong A stays two undecoded bytes
  };
  for (const auto& c : cases)
    EXPECT_EQ(equalsIgnoreCase(c.a, c.b), c.equal) << "'" << c.a << "' vs '" << c.b << "'";
}
