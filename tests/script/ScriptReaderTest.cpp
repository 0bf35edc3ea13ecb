#include <gtest/gtest.h>

#include "script/ScriptReader.h"
#include "script/SourceText.h"

using namespace wf;

namespace {

std::u32string u32(const std::string& ascii) { return std::u32string(ascii.begin(), ascii.end()); }

struct Delivered {  // every delivered character up to the end; '1' where nextChar said a word ends
  std::string chars, endings;
  std::vector<int> lines;
};

Delivered readAll(const std::string& text) {
  ScriptReader reader(u32(text));
  Delivered out;
  char32_t ch = 0;
  for (int guard = 0; guard < 10000; ++guard) {
    const bool ends = reader.nextChar(ch);
    if (reader.atEnd()) break;
    out.chars.push_back(static_cast<char>(ch));
    out.endings.push_back(ends ? '1' : '0');
    out.lines.push_back(reader.currentLine());
  }
  return out;
}

}  // namespace

TEST(ScriptReader, DeliveredCharactersWordEndsAndLines) {
  // endings: '1' where nextChar said a word ends (null: not checked); lines: empty: not checked
  struct Case { const char* what; const char* text; const char* chars; const char* endings; std::vector<int> lines; };
  const Case cases[] = {
      {"white space is skipped; a tab does not end a word", "ab c\td\r\n e", "abcde", "01001", {1, 1, 1, 1, 2}},
      {"single slashes are dropped", "data/models/x.3ds", "datamodelsx.3ds", nullptr, {}},
      {"a trailing slash too", "a/", "a", nullptr, {}}, {"backslashes stay", "a\\b", "a\\b", nullptr, {}},
      {"comments end at CR LF", "a//comment\r\nb", "ab", nullptr, {1, 2}},
      {"at a bare LF", "a// comment\nb", "ab", nullptr, {1, 2}}, {"and at the end", "a//", "a", nullptr, {}},
      {"at a bare CR", "a// comment\rb", "ab", nullptr, {1, 2}},
      {"quotes keep white space and lose slashes", "x\"a b\t/c\"y", "xa b\tcy", nullptr, {}},
      {"a comment inside quotes ends at its CR", "\"a//c\r\nb\"z", "a\nbz", nullptr, {}},
      {"the character after a closing quote is delivered", "\"ab\" c", "ab c", nullptr, {}},
      {"even a quote", "\"ab\"\"c", "ab\"c", nullptr, {}},
      {"an unterminated quote ends at the end", "\"abc", "abc", nullptr, {}},
      {"line breaks inside quotes are not counted", "\"a\r\nb\"\r\nc", "a\r\nb\rc", nullptr,
       {1, 1, 1, 1, 1, 2}},
      {"LF lines", "a\nb\nc", "abc", nullptr, {1, 2, 3}}, {"CR lines", "a\rb\rc", "abc", nullptr, {1, 2, 3}},
      {"empty lines count", "a\r\n\r\nb", "ab", nullptr, {1, 3}}, {"or LF",  "a\n\nb", "ab", nullptr, {1, 3}},
      {"comment lines count", "a\n//x\n//y\nb", "ab", nullptr, {1, 4}},
      {"CR LF comment lines count", "a\r\n//x\r\n//y\r\nb", "ab", nullptr, {1, 4}},
  };
  for (const Case& c : cases) {
    const Delivered d = readAll(c.text);
    EXPECT_EQ(d.chars, c.chars) << c.what;
    if (c.endings) { EXPECT_EQ(d.endings, c.endings) << c.what; }
    if (!c.lines.empty()) { EXPECT_EQ(d.lines, c.lines) << c.what; }
  }
  ScriptReader end(u32("\"abc"));
  char32_t ch = 'x';
  while (!end.atEnd()) end.nextChar(ch);
  EXPECT_TRUE(end.inString()) << "the quote is still open at the end";
  EXPECT_EQ(ch, 0u) << "the end delivers NUL";
  EXPECT_TRUE(end.nextChar(ch)) << "and a word end, for ever";
  EXPECT_TRUE(end.atEnd());
}

TEST(SourceText, Utf8AndWindows1252BothBecomeCharacters) {
  auto decode = [](const std::string& s) {
    return decodeScriptText(reinterpret_cast<const uint8_t*>(s.data()), s.size());
  };
  EXPECT_EQ(decode("Gr\xC3\xBC\xC3\x9F"), U"Gr\u00FC\u00DF");              // "Grüß"
  EXPECT_EQ(decode("Gr\xFC\xDF \x80"), U"Gr\u00FC\u00DF \u20AC");         // "Grüß €" in Windows-1252
  EXPECT_EQ(decode("\xEF\xBB\xBFX"), U"X");
  EXPECT_EQ(decode("\xC0\xAF"), U"\u00C0\u00AF") << "invalid UTF-8 is read as Windows-1252";
}

TEST(SourceText, Windows1252ValuesAndUtf8Cutting) {
  for (auto [c, byte] : {std::pair{U'p', int('p')}, {U'\u00E4', 0xE4}, {U'\u20AC', 0x80}, {U'\u4E2D', int('?')}})
    EXPECT_EQ(toWindows1252(c), byte) << static_cast<uint32_t>(c);
  EXPECT_EQ(truncateUtf8("a\xC3\xA4" "b", 2), "a\xC3\xA4");
  EXPECT_EQ(truncateUtf8("abc", 5), "abc");
  std::string s;
  appendUtf8(s, 0x1F600);
  appendUtf8(s, 0xD800);
  EXPECT_EQ(s, "\xF0\x9F\x98\x80\xEF\xBF\xBD");
}
