// The script's character reader: white space, comments, quoted text and
// line counting.
//
// nextChar(ch) delivers the next significant character in ch and says
// whether a word ends there, i.e. whether the raw character after it is a
// space (0x20) or the end of the text. Outside quotes it skips space, tab,
// CR and LF, drops every '/' (two of them start a comment that runs to the
// end of the line) and swallows an opening '"'. Inside quotes everything is
// delivered except slashes and the closing '"'. ch is in/out: its previous
// value decides whether a line ends, so callers keep one variable for the
// whole scan.
//
// Lines end at LF, at CRLF and at a bare CR. A CRLF pair counts once, at the
// point where the CR-only rule of the old reader counted it, so files with
// Windows line endings report exactly the old line numbers; Unix files
// (which the old reader ran together into line 1, and whose first comment
// swallowed the rest of the file) now count and end comments properly.
#pragma once
#include <string>

namespace wf {

class ScriptReader {
 public:
  explicit ScriptReader(std::u32string text) : text_(std::move(text)) {}

  // ch = next significant character (NUL at the end of the text); returns
  // true when the raw character after it is a space or the end.
  bool nextChar(char32_t& ch);

  // True once nextChar has run past the end of the text. A NUL byte inside
  // the text is delivered as a character and does not set this.
  bool atEnd() const { return atEnd_; }

  int currentLine() const { return currentLine_; }
  bool inString() const { return inString_; }
  int readPos() const { return readPos_; }
  const std::u32string& text() const { return text_; }

 private:
  bool more() const { return static_cast<size_t>(readPos_) < text_.size(); }
  char32_t peek() const { return more() ? text_[readPos_] : 0; }
  // Takes the next raw character; past the end it yields NUL and sets atEnd.
  char32_t take();
  // Skips a comment's remaining characters up to and including its line
  // break (or to the end) and counts that line once.
  void skipComment();
  bool wordEnds() const { return !more() || text_[readPos_] == U' '; }

  std::u32string text_;
  int readPos_ = 0;
  bool inString_ = false;
  int currentLine_ = 1;
  bool atEnd_ = false;
};

}  // namespace wf
