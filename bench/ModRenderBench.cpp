// How much faster than real time renderBlock mixes a busy four-channel
// module. The counter xRealTime is seconds of music per second of work.
#include <benchmark/benchmark.h>

#include <vector>

#include "BusyModule.h"
#include "music/ModEngine.h"

namespace {

void BM_RenderBlock(benchmark::State& state) {
  const std::vector<uint8_t> bytes = wf::bench::busyModule().build();
  wf::ModEngine engine;
  engine.load(bytes.data(), bytes.size());
  std::vector<int16_t> block(wf::ModEngine::kBlockFrames * 2);
  for (auto _ : state) {
    engine.renderBlock(block.data(), wf::ModEngine::kBlockBytes);
    benchmark::DoNotOptimize(block.data());
  }
  state.counters["xRealTime"] = benchmark::Counter(static_cast<double>(wf::ModEngine::kBlockFrames) / 44100.0,
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RenderBlock);

}  // namespace
