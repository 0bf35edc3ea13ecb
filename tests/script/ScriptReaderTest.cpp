#include <gtest/gtest.h>

#include "script/ScriptReader.h"
#include "script/SourceText.h"

using namespace wf;

namespace {

std::u32string u32(const std::string& ascii) { return std::u32string(ascii.begin(), ascii.end()); }

struct Delivered {
  std::string chars;    // every delivered character up to the end
  std::string endings;  // '1' where nextChar said a word ends, '0' otherwise
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

TEST(ScriptReader, SkipsWhiteSpaceAndSaysWhereWordsEnd) {
  const Delivered d = readAll("ab c\td\r\n e");
  EXPECT_EQ(d.chars, "abcde");
  // b is followed by a space; c by a tab (not a word end); d by CR; e by the end.
  EXPECT_EQ(d.endings, "01001");
}

TEST(ScriptReader, EndOfTextDeliversNulAndWordEnd) {
  ScriptReader reader(u32(""));
  char32_t ch = 'x';
  EXPECT_TRUE(reader.nextChar(ch));
  EXPECT_EQ(ch, 0u);
  EXPECT_TRUE(reader.atEnd());
  EXPECT_TRUE(reader.nextChar(ch)) << "stays at the end";
}

TEST(ScriptReader, SingleSlashesAreDroppedAndDoubleSlashesComment) {
  EXPECT_EQ(readAll("a/b").chars, "ab");
  EXPECT_EQ(readAll("data/models/x.3ds").chars, "datamodelsx.3ds");
  EXPECT_EQ(readAll("a//comment\r\nb").chars, "ab");
  EXPECT_EQ(readAll("a// comment\nb").chars, "ab") << "comments end at LF too";
  EXPECT_EQ(readAll("a// comment\rb").chars, "ab") << "and at a bare CR";
  EXPECT_EQ(readAll("a//").chars, "a");
  EXPECT_EQ(readAll("a/").chars, "a");
  EXPECT_EQ(readAll("a\\b").chars, "a\\b") << "backslashes stay";
}

TEST(ScriptReader, QuotedTextKeepsWhiteSpaceButLosesQuotesAndSlashes) {
  const Delivered d = readAll("x\"a b\t/c\"y");
  EXPECT_EQ(d.chars, "xa b\tcy");
  EXPECT_EQ(readAll("\"a//c\r\nb\"z").chars, "a\nbz") << "a comment inside quotes ends at its CR";
}

TEST(ScriptReader, CharacterAfterClosingQuoteIsDeliveredEvenIfWhiteSpace) {
  EXPECT_EQ(readAll("\"ab\" c").chars, "ab c");
  EXPECT_EQ(readAll("\"ab\"\"c").chars, "ab\"c") << "a quote right after the closing one is delivered as such";
}

TEST(ScriptReader, UnterminatedQuoteEndsAtTheEnd) {
  ScriptReader reader(u32("\"abc"));
  char32_t ch = 0;
  std::string got;
  while (!reader.atEnd()) {
    reader.nextChar(ch);
    if (!reader.atEnd()) got.push_back(static_cast<char>(ch));
  }
  EXPECT_EQ(got, "abc");
  EXPECT_TRUE(reader.inString());
}

TEST(ScriptReader, LinesCountAtEveryLineEndingStyle) {
  struct Case {
    const char* text;
    std::vector<int> lines;
  };
  const Case cases[] = {
      {"a\r\nb\r\nc", {1, 2, 3}},
      {"a\nb\nc", {1, 2, 3}},
      {"a\rb\rc", {1, 2, 3}},
      {"a\r\n\r\nb", {1, 3}},
      {"a\n\nb", {1, 3}},
      {"a//x\r\nb//y\r\nc", {1, 2, 3}},
      {"a//x\nb//y\nc", {1, 2, 3}},
      {"a\n//x\n//y\nb", {1, 4}},
      {"a\r\n//x\r\n//y\r\nb", {1, 4}},
  };
  for (const Case& c : cases) EXPECT_EQ(readAll(c.text).lines, c.lines) << "text: " << c.text;
}

TEST(ScriptReader, LineBreaksInsideQuotesAreNotCounted) {
  EXPECT_EQ(readAll("\"a\r\nb\"\r\nc").lines, (std::vector<int>{1, 1, 1, 1, 1, 2}));
}

TEST(SourceText, Utf8AndWindows1252BothBecomeCharacters) {
  const std::string utf8 = "Gr\xC3\xBC\xC3\x9F";  // "Grüß"
  EXPECT_EQ(decodeScriptText(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size()), U"Gr\u00FC\u00DF");
  const std::string cp1252 = "Gr\xFC\xDF \x80";  // "Grüß €" in the old code page
  EXPECT_EQ(decodeScriptText(reinterpret_cast<const uint8_t*>(cp1252.data()), cp1252.size()),
            U"Gr\u00FC\u00DF \u20AC");
  const std::string bom = "\xEF\xBB\xBFX";
  EXPECT_EQ(decodeScriptText(reinterpret_cast<const uint8_t*>(bom.data()), bom.size()), U"X");
  const std::string overlong = "\xC0\xAF";
  EXPECT_EQ(decodeScriptText(reinterpret_cast<const uint8_t*>(overlong.data()), overlong.size()),
            U"\u00C0\u00AF") << "invalid UTF-8 is read as the old code page";
}

TEST(SourceText, Windows1252ValuesAndUtf8Cutting) {
  EXPECT_EQ(toWindows1252(U'p'), 'p');
  EXPECT_EQ(toWindows1252(U'\u00E4'), 0xE4);
  EXPECT_EQ(toWindows1252(U'\u20AC'), 0x80);
  EXPECT_EQ(toWindows1252(U'\u4E2D'), '?');
  EXPECT_EQ(truncateUtf8("a\xC3\xA4" "b", 2), "a\xC3\xA4");
  EXPECT_EQ(truncateUtf8("abc", 5), "abc");
  std::string s;
  appendUtf8(s, 0x1F600);
  appendUtf8(s, 0xD800);
  EXPECT_EQ(s, "\xF0\x9F\x98\x80\xEF\xBF\xBD");
}
