// Fuzz target: any bytes as a MOD file, then the sequencer and mixer over the
// result. Nothing may read or write out of bounds, divide by zero or hang.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "music/ModEngine.h"
#include "music/ModuleInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wf::ModEngine engine;
  engine.load(data, size);
  // Twenty seconds of song search without mixing, then real blocks.
  engine.framesUntilRepeat(44100 * 20);
  wf::effectsUsed(engine.module());
  std::vector<int16_t> block(wf::ModEngine::kBlockFrames * 2);
  for (int i = 0; i < 3; ++i) engine.renderBlock(block.data(), wf::ModEngine::kBlockBytes);
  // Force the odd corners: every channel at a huge position, then render on.
  for (int c = 0; c < wf::kChannels; ++c) engine.channel(c).position += 1.0e6;
  engine.renderBlock(block.data(), wf::ModEngine::kBlockBytes);
  return 0;
}
