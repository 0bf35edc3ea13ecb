// Fuzz target: the texture-description compiler on arbitrary text, and the
// promise that a decompiled binary compiles back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "texcompile/TextureCompiler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const wf::TextureCompileResult compiled = wf::compileTextureDescription(text, "fuzz.txt");
  if (compiled.ok() == compiled.bytes.empty()) std::abort();  // bytes exactly when no errors

  // The input taken as a binary description: its readable form must compile
  // back to its complete records.
  const std::vector<uint8_t> binary(data, data + size);
  const std::string readable = wf::decompileTextureDescription(binary);
  const wf::TextureCompileResult back = wf::compileTextureDescription(readable, "back.txt");
  if (!back.ok()) std::abort();
  if (size >= 4) {
    const size_t records = (size - 4) / 9;
    if (back.bytes.size() != 4 + records * 9) std::abort();
    for (size_t i = 4; i < back.bytes.size(); ++i)
      if (back.bytes[i] != binary[i]) std::abort();
  }
  return 0;
}
