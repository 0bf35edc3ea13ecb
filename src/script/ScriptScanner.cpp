// Reading the script: construction, the statement scanner and the error
// report.
#include <cstring>  // Required for: strlen()

#include "base/NumberText.h"
#include "base/Report.h"
#include "base/FileBuffer.h"
#include "script/Script.h"
#include "script/ScriptReader.h"
#include "script/SourceText.h"

namespace wf {
namespace {

Script* theScript = nullptr;

// The collected characters as UTF-8. Record texts were C strings, so a NUL
// character read from the file ends the text there.
std::string toText(const std::u32string& characters) {
  std::string text;
  text.reserve(characters.size());
  for (char32_t c : characters) {
    if (c == 0) break;
    appendUtf8(text, c);
  }
  return text;
}

bool isOperator(char32_t c) {
  return c == U'.' || c == U':' || c == U'*' || c == U'=' || c == U'!' || c == U'(';
}

// Characters that start a duration: + , - . / and the digits (0x2B..0x39).
bool startsDuration(char32_t c) { return c >= 0x2B && c <= 0x39; }

}  // namespace

Script* Script::current() { return theScript; }

void Script::publish() {
  theScript = this;
  // Room for the whole table up front: records never move once scanned.
  records_.reserve(kRecordCapacity);
}

Script::Script(const std::string& fileName, ScriptHost* host) : host_(host) {
  publish();
  std::u32string text;
  {
    const FileBuffer file(fileName);  // reports a missing file by its path
    sourceFailed_ = file.failed();
    text = decodeScriptText(file.data(), file.size());
  }
  scan(text);
}

Script::Script(FromText, const std::string& text, ScriptHost* host) : host_(host) {
  publish();
  scan(decodeScriptText(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

Script::~Script() {
  if (theScript == this) theScript = nullptr;
}

void Script::reportError(const std::string& message, int line) {
  reportCount_ += 1;
  wf::reportError(truncateUtf8("Zeile: " + std::to_string(line) + "  " + message, kReportChars));
}

void Script::scan(const std::u32string& text) {
  ScriptReader reader(text);
  char32_t c = 0;  // one character variable for the whole scan: the reader counts lines through it
  while (scanStatement(reader, c)) {
  }
  currentLine_ = reader.currentLine();
}

bool Script::scanStatement(ScriptReader& reader, char32_t& c) {
  bool wordEnds = reader.nextChar(c);
  if (c == 0) return false;  // the end of the text (or a NUL where a statement would start)

  ScriptRecord record;

  // Delay: 'd' and the characters after it up to one followed by a space.
  if (c == U'd') {
    std::u32string digits;
    do {
      wordEnds = reader.nextChar(c);
      if (reader.atEnd()) break;
      digits.push_back(c);
    } while (!wordEnds);
    record.delay = parseAtoi(toText(digits));
    wordEnds = reader.nextChar(c);
  }
  if (reader.atEnd()) return false;

  // Duration: a number-like word followed by a space; 1 when not written.
  if (startsDuration(c)) {
    std::u32string digits(1, c);
    while (!wordEnds) {
      wordEnds = reader.nextChar(c);
      if (reader.atEnd()) break;
      digits.push_back(c);
    }
    record.ttl = parseAtoi(toText(digits));
    if (record.ttl == 0) {
      // This statement and everything after it are dropped; the ones before
      // stay valid.
      reportError("ttl fehlt", reader.currentLine());
      return false;
    }
    reader.nextChar(c);
  }

  // Name, up to the operator. The reader drops white space, so a name has none.
  std::u32string name;
  while (!isOperator(c)) {
    if (reader.atEnd()) return false;
    name.push_back(c);
    reader.nextChar(c);
  }
  record.name = toText(name);

  switch (c) {
    case U'.': {
      reader.nextChar(c);
      if (reader.atEnd()) return false;
      // deliberate: upper-casing by bit arithmetic on the 8-bit code, so 'p' and 'P' both give 'P'
      // (ScannerTest.PropertyLetterIsUpperCasedByBitArithmetic)
      // (and any other character some letter between '@' and '_').
      record.letter = static_cast<char>((toWindows1252(c) & 0x1F) | 0x40);
      do {  // anything between the letter and the operator is ignored
        reader.nextChar(c);
        if (reader.atEnd()) return false;
      } while (c != U'=' && c != U'*');
      record.kind = c == U'=' ? kind::kSet : kind::kCombine;
      break;
    }
    case U':': {
      std::u32string type;
      for (;;) {
        reader.nextChar(c);
        if (reader.atEnd()) return false;
        if (c == U'(') break;
        type.push_back(c);
      }
      record.kind = keywords_.lookupType(toText(type));
      if (record.kind < 0) reportError("unbekannter Objekttyp", reader.currentLine());  // still recorded; runs as nothing
      break;
    }
    case U'(':
      record.kind = kind::kCall;
      break;
    case U'=':
      record.kind = kind::kSet;
      break;
    case U'*':
      record.kind = kind::kCombine;
      break;
    default:  // '!'
      record.kind = kind::kStop;
      break;
  }

  // Argument: up to ';' (a ';' inside quotes ends it too), parentheses dropped.
  std::u32string argument;
  for (;;) {
    reader.nextChar(c);
    if (reader.atEnd()) return false;
    if (c == U';') break;
    if (c == U'(' || c == U')') continue;
    argument.push_back(c);
  }
  record.argument = toText(argument);
  record.line = reader.currentLine();

  if (recordCount_ >= kRecordCapacity) {
    // The table has a fixed size. Refuse the rest of the script with one
    // report rather than write past it.
    reportError("Zuviele Anweisungen", record.line);
    return false;
  }
  records_.push_back(std::move(record));
  recordCount_ += 1;
  return true;
}

}  // namespace wf
