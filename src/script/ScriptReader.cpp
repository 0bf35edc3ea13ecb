#include "script/ScriptReader.h"

namespace wf {

char32_t ScriptReader::take() {
  if (!more()) {
    atEnd_ = true;
    return 0;
  }
  return text_[readPos_++];
}

void ScriptReader::skipComment() {
  // The comment ends at its first line break. For CRLF the CR ends it and
  // the LF is then skipped as white space without being counted again.
  while (more()) {
    const char32_t c = text_[readPos_++];
    if (c == U'\r' || c == U'\n') break;
  }
  currentLine_ += 1;
}

bool ScriptReader::nextChar(char32_t& ch) {
  if (inString_) {
    do {
      ch = take();
      if (atEnd_) return true;
      if (ch == U'/' && peek() == U'/') skipComment();  // deliberate: "//" is a comment even inside quotes (ScriptReader.DeliveredCharactersWordEndsAndLines)
    } while (ch == U'/');  // deliberate: single slashes are dropped inside quotes too (ScriptReader.DeliveredCharactersWordEndsAndLines)
    if (ch == U'"') {
      inString_ = false;
      ch = take();  // the character after the closing quote is delivered as it is, even white space
      if (atEnd_) return true;
    }
    return wordEnds();
  }

  for (;;) {
    if (!more()) {
      ch = 0;
      atEnd_ = true;
      return true;
    }
    // A line ends when the character before this one was a line break: a
    // CR, or an LF that does not complete a CRLF already counted at its CR.
    if (ch == U'\r' || (ch == U'\n' && !(readPos_ >= 2 && text_[readPos_ - 2] == U'\r'))) currentLine_ += 1;
    ch = text_[readPos_++];
    if (ch == U' ' || ch == U'\r' || ch == U'\n' || ch == U'\t') continue;
    if (ch == U'/' && peek() == U'/') skipComment();  // ch stays '/', so the line is not counted twice
    if (ch == U'/') continue;  // deliberate: a lone slash is dropped; script paths use backslashes (ScriptReader.DeliveredCharactersWordEndsAndLines)
    break;
  }
  if (ch == U'"') {
    inString_ = true;
    ch = take();  // the opening quote is never delivered
    if (atEnd_) return true;
  }
  return wordEnds();
}

}  // namespace wf
