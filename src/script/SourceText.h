// Script text as characters.
//
// Productions were written in an 8-bit Windows code page (Windows-1252);
// newer ones are saved as UTF-8. The scanner works on Unicode code points so
// that every name and message it copies out is valid UTF-8, whichever of the
// two the file used. Byte-level rules of the scanner (the property letter's
// bit arithmetic) are applied to the Windows-1252 value of a character, so
// both encodings of a script scan alike.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace wf {

// Decodes a script file: valid UTF-8 (a leading byte-order mark is dropped)
// is read as UTF-8, anything else byte by byte as Windows-1252. Never fails;
// every byte yields a character.
std::u32string decodeScriptText(const uint8_t* data, size_t size);

// Appends the UTF-8 form of one code point (invalid ones become U+FFFD).
void appendUtf8(std::string& out, char32_t codePoint);

// The Windows-1252 byte for a code point, or '?' where the code page has none.
unsigned char toWindows1252(char32_t codePoint);

// Cuts a UTF-8 text to at most maxCharacters characters, never inside one.
std::string truncateUtf8(const std::string& text, size_t maxCharacters);

}  // namespace wf
