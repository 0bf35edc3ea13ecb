// Fuzz target: the module composer's score reader. Any text either gives
// errors that name a line, or a module the engine loads and plays.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "modcompose/ScoreCompiler.h"
#include "music/ModEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const wf::ScoreResult result = wf::compileScore(text, "fuzz.score");
  for (const std::string& e : result.errors)
    if (e.rfind("fuzz.score:", 0) != 0) std::abort();
  if (result.ok()) {
    if (result.bytes.empty()) std::abort();
    wf::ModEngine engine;
    engine.load(result.bytes.data(), result.bytes.size());
    std::vector<int16_t> block(wf::ModEngine::kBlockFrames * 2);
    engine.renderBlock(block.data(), wf::ModEngine::kBlockBytes);
  }
  return 0;
}
