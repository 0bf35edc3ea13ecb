#include "support/ModWriter.h"

namespace wf::test {

std::vector<int8_t> rampSample(int n, int step, int start) {
  std::vector<int8_t> data(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) data[static_cast<size_t>(i)] = static_cast<int8_t>(static_cast<uint8_t>(start + i * step));
  return data;
}

std::vector<int8_t> flatSample(int n, int value) {
  return std::vector<int8_t>(static_cast<size_t>(n), static_cast<int8_t>(value));
}

ModWriter basicWriter() {
  ModWriter writer;
  ModSample& s = writer.sample(1);
  s.name = "ramp";
  s.data = rampSample(1000);
  s.volume = 64;
  s.loopStart = 0;
  s.loopLength = 1000;
  writer.setSong({0});
  return writer;
}

void loadInto(ModEngine& engine, const ModWriter& writer) {
  const std::vector<uint8_t> bytes = writer.build();
  engine.load(bytes.data(), bytes.size());
}

void runTicks(ModEngine& engine, int ticks) {
  for (int i = 0; i < ticks; ++i) engine.step();
}

}  // namespace wf::test
