#include <gtest/gtest.h>

#include <tuple>

#include "base/Console.h"
#include "script/Script.h"
#include "support/TempDir.h"

using namespace wf;

namespace {

// Records the reports of one test on a console of its own.
class ScannerTest : public ::testing::Test {
 protected:
  void SetUp() override { setCurrentConsole(&console); }
  void TearDown() override { setCurrentConsole(nullptr); }

  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    for (const auto& line : console.storedLines()) out.push_back(line.second);
    return out;
  }

  ConsoleLog console;
};

struct Expected { int delay; int ttl; const char* name; char letter; int kind; const char* argument; };

}  // namespace

TEST_F(ScannerTest, StatementShapes) {
  struct Case { std::string text; int count; Expected first; };  // records scanned; the first, if named
  const Case cases[] = {
      {"d100 50 Ring.M*0,0.02;", 1, {100, 50, "Ring", 'M', kind::kCombine, "0,0.02"}},
      {"Ring.m=1, 2, 3;", 1, {0, 1, "Ring", 'M', kind::kSet, "1,2,3"}},
      {"R.p = Base;", 1, {0, 1, "R", 'P', kind::kSet, "Base"}}, {"R.Mxyz*0;", 1, {0, 1, "R", 'M', kind::kCombine, "0"}},
      {"Ring:OBJECT(Base);", 1, {0, 1, "Ring", 0, kind::kObject, "Base"}},
      {"Ring : model ( ring.3ds ) ;", 1, {0, 1, "Ring", 0, kind::kModel, "ring.3ds"}},
      {"PLAYMOD();", 1, {0, 1, "PLAYMOD", 0, kind::kCall, ""}}, {"Ring!;", 1, {0, 1, "Ring", 0, kind::kStop, ""}},
      {"MESSAGE(\"Hallo Welt\");", 1, {0, 1, "MESSAGE", 0, kind::kCall, "Hallo Welt"}},
      {"MESSAGE(Hallo Welt);", 1, {0, 1, "MESSAGE", 0, kind::kCall, "HalloWelt"}},
      {"Zeit=2;", 1, {0, 1, "Zeit", 0, kind::kSet, "2"}}, {"Zeit*0.5;", 1, {0, 1, "Zeit", 0, kind::kCombine, "0.5"}},
      {"x:ENDE(\"Auf Wiedersehen\");", 1, {0, 1, "x", 0, kind::kEnde, "Auf Wiedersehen"}},
      {"x:START(500);", 1, {0, 1, "x", 0, kind::kStart, "500"}},
      {"B:PLAYMOD();", 1, {0, 1, "B", 0, kind::kUnknownType, ""}},  // call keywords are not types
      {"-1 Ring.M*1,0.01;", 1, {0, -1, "Ring", 'M', kind::kCombine, "1,0.01"}},
      {"d5 3 R.A=ja;", 1, {5, 3, "R", 'A', kind::kSet, "ja"}}, {"d 7 R.M=1;", 1, {7, 1, "R", 'M', kind::kSet, "1"}},
      {"R.W=sin(Zeit),cos(-1);", 1, {0, 1, "R", 'W', kind::kSet, "sinZeit,cos-1"}},
      {"R.M=((1));", 1, {0, 1, "R", 'M', kind::kSet, "1"}}, {"R.M=\"a;b\";", 1, {0, 1, "R", 'M', kind::kSet, "a"}},
      {"R.T=tex\\stein.tex;", 1, {0, 1, "R", 'T', kind::kSet, "tex\\stein.tex"}},
      {"R.T=tex/stein.tex;", 1, {0, 1, "R", 'T', kind::kSet, "texstein.tex"}},
      {"MESSAGE(\"abc;", 1, {0, 1, "MESSAGE", 0, kind::kCall, "abc"}},
      // A name starting with d is read as a delay word up to the first
      // character followed by a space; a duration in front avoids that.
      {"dach.M=1; Ring.M=2;", 1, {0, 1, "Ring", 'M', kind::kSet, "2"}},
      {"1 dach.M=1;", 1, {0, 1, "dach", 'M', kind::kSet, "1"}},
      // A tab does not end the duration word: atoi reads the 5.
      {"5\tRing.M*1; Kugel.M=2;", 1, {0, 5, "Kugel", 'M', kind::kSet, "2"}},
      {"50\tRing.M*1;", 0, {}}, {"+ C.M=3;", 0, {}},  // a duration without digits is 0
      {std::string("AB\0C.M=1;", 9), 1, {0, 1, "AB", 'M', kind::kSet, "1"}},  // NUL ends a record text
      {std::string("\0A.M=1;", 7), 0, {}},  // and where a statement starts, the scan
      // The character after an opening quote is delivered unexamined, so ""
      // opens a string holding a quote; the line break is read inside it.
      {"T:STRING(\"\");\nG.M=1;", 2, {0, 1, "T", 0, kind::kString, "\""}},
      // An open statement at the end is not recorded.
      {"A.M=1; B.M=2", 1, {}}, {"A.M=1; B:OBJECT", 1, {}}, {"A.M=1; MESSAGE(\"abc", 1, {}},
      {"A.M=1; d5", 1, {}},    {"A.M=1; B.", 1, {}},       {"A.M=1; \"B.M=2", 1, {}},
  };
  for (const Case& c : cases) {
    const std::string shown = c.text.c_str();
    Script script(Script::FromText{}, c.text, nullptr);
    ASSERT_EQ(script.recordCount(), c.count) << shown;
    if (c.count == 0 || !c.first.name) continue;
    const ScriptRecord& r = script.record(0);
    const Expected& e = c.first;
    EXPECT_EQ(std::make_tuple(r.delay, r.ttl, r.name, r.letter, r.kind, r.argument),
              std::make_tuple(e.delay, e.ttl, std::string(e.name), e.letter, e.kind, std::string(e.argument)))
        << shown;
  }
}

TEST_F(ScannerTest, PropertyLetterIsUpperCasedByBitArithmetic) {
  const std::pair<const char*, char> cases[] = {  // ä in Windows-1252, then in UTF-8: the same result
      {"R.p=0;", 'P'}, {"R.P=0;", 'P'}, {"R.1=0;", 'Q'}, {"R.[=0;", '['}, {"R.\xE4=0;", 'D'}, {"R.\xC3\xA4=0;", 'D'}};
  for (const auto& [text, letter] : cases) {
    Script script(Script::FromText{}, text, nullptr);
    ASSERT_EQ(script.recordCount(), 1) << text;
    EXPECT_EQ(script.record(0).letter, letter) << text;
  }
}

TEST_F(ScannerTest, ReportsAndLineNumbers) {
  struct Case { std::string text; std::vector<int> lines; std::vector<std::string> reports; };  // lines of records
  const Case cases[] = {
      {"A.M=1;\r\nB.M=2;\r\n0 C.M=3;\r\nD.M=4;", {1, 2}, {"Zeile: 3  ttl fehlt"}},
      {"A:OBJECT(Base);\nB:PLAYMOD();\nC:Kugel(x);\nD:model(x);", {1, 2, 3, 4},
       {"Zeile: 2  unbekannter Objekttyp", "Zeile: 3  unbekannter Objekttyp"}},
      {"Ring:MODEL( // the ring\r\n ring.3ds // file\r\n);\r\nR.M=1;", {3, 4}, {}},
      {"// Wolkenfahrt\nRing:OBJECT(Base);\n\nd100 50 Ring.M*0,0.02; // turn\nX:Unsinn();\n", {2, 4, 5},
       {"Zeile: 5  unbekannter Objekttyp"}},
      {"// Wolkenfahrt\r\nRing:OBJECT(Base);\r\n\r\nd100 50 Ring.M*0,0.02; // turn\r\nX:Unsinn();\r\n", {2, 4, 5},
       {"Zeile: 5  unbekannter Objekttyp"}},
  };
  for (const Case& c : cases) {
    console.setLineCount(1);
    Script script(Script::FromText{}, c.text, nullptr);
    std::vector<int> recordLines;
    for (int i = 0; i < script.recordCount(); ++i) recordLines.push_back(script.record(i).line);
    EXPECT_EQ(recordLines, c.lines) << c.text;
    EXPECT_EQ(lines(), c.reports) << c.text;
  }

  console.setLineCount(1);
  std::string tooMany;
  for (int i = 0; i < 5000; ++i) tooMany += "R.M*1;\n";
  Script full(Script::FromText{}, tooMany, nullptr);
  EXPECT_EQ(full.recordCount(), Script::kRecordCapacity);
  EXPECT_EQ(full.record(4095).line, 4096);
  EXPECT_EQ(lines(), (std::vector<std::string>{"Zeile: 4097  Zuviele Anweisungen"}));
}

TEST_F(ScannerTest, LongAndEightBitNamesArriveWhole) {
  const std::string name(5000, 'N');
  const std::string argument(70000, '7');
  Script script(Script::FromText{}, "1 " + name + ".M=" + argument + ";", nullptr);
  ASSERT_EQ(script.recordCount(), 1);
  EXPECT_TRUE(script.record(0).name == name && script.record(0).argument == argument);
  Script old(Script::FromText{}, "Gr\xFC\xDF" "e:OBJECT(Base);", nullptr);
  EXPECT_EQ(old.record(0).name, "Gr\xC3\xBC\xC3\x9F" "e") << "Windows-1252 names become UTF-8";
}

TEST_F(ScannerTest, ReportTextIsCutTo199Characters) {
  Script script(Script::FromText{}, "", nullptr);
  script.reportError(std::string(300, 'x'), 12);
  EXPECT_EQ(console.storedLines().size(), 0u) << "a console line holds at most 168 characters";
  setCurrentConsole(nullptr);
  testing::internal::CaptureStderr();
  script.reportError(std::string(300, 'y'), 42);
  script.reportError(std::string(300, '\xC3'), 7);
  script.reportError("= mi\xC3\x9F" "gl\xC3\xBC" "ckt", 3);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err.substr(0, err.find('\n') + 1), "Zeile: 42  " + std::string(199 - 11, 'y') + "\n");
  EXPECT_NE(err.find("Zeile: 3  = mi\xC3\x9F" "gl\xC3\xBC" "ckt\n"), std::string::npos) << err;
  EXPECT_EQ(script.reportCount(), 4);
}

TEST_F(ScannerTest, ReadsTheFileOrReportsItsPath) {
  test::TempDir dir;
  {
    Script missing(dir.file("mohn.cs"), nullptr);
    EXPECT_TRUE(missing.sourceFailed() && missing.recordCount() == 0);
    EXPECT_EQ(lines(), (std::vector<std::string>{dir.file("mohn.cs")}));
  }
  Script script(dir.write("mohn.cs", "A:OBJECT(Base);\r\nA.M=1;\r\n"), nullptr);
  EXPECT_TRUE(!script.sourceFailed() && script.recordCount() == 2);
  EXPECT_EQ(Script::current(), &script);
}
