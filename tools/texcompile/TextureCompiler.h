// The texture-description compiler: a readable text form of the generator's
// operations, one per line, turned into the binary description files the
// engine reads (a 32-bit count, then 9-byte records). See
// docs/texture-language.md for the language.
//
//   # a sky: cloud in layer 1, tinted by a plasma
//   cloud    layer=1 roughness=50 seed=9
//   plasma   layer=0 xfreq=12 yfreq=40 red=255 green=160 blue=60
//   combine  layer=0 source=1 mode=add amount=160
//
// Names are case-insensitive; parameters not given are 0; every value is
// an integer 0..255 (layers 0..8). Errors name the file and line.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wf {

struct TextureCompileResult {
  std::vector<uint8_t> bytes;       // the description file (empty when errors)
  std::vector<std::string> errors;  // "file:line: message", in line order
  bool ok() const { return errors.empty(); }
};

// Compiles a whole source text; `sourceName` prefixes the error messages.
TextureCompileResult compileTextureDescription(const std::string& text, const std::string& sourceName);

// The readable form of a binary description (one line per complete record,
// records the engine skips marked in a comment), so files can be inspected
// and edited. Compiling it gives the same records back.
std::string decompileTextureDescription(const std::vector<uint8_t>& bytes);

// The command line of wf-texcompile:
//   wf-texcompile SOURCE.txt OUTPUT          compile
//   wf-texcompile --decompile INPUT          print the readable form
// Returns the exit status (0 ok, 1 errors in the input, 2 usage).
int runTextureCompiler(const std::vector<std::string>& arguments);

}  // namespace wf
