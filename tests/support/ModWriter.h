// Test helpers around the engine's module writer (music/ModWriter.h): ready
// samples, loading a written module into an engine, and writing it to a file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "music/ModEngine.h"
#include "music/ModWriter.h"

namespace wf::test {

// n bytes of a ramp: 0, step, 2 x step, ... (wrapping as signed bytes).
std::vector<int8_t> rampSample(int n, int step = 1, int start = 0);
// n bytes of one value.
std::vector<int8_t> flatSample(int n, int value);

// A writer with sample 1 = a 1000-byte looping ramp at volume 64 and a song
// of one empty pattern, the usual start of a sequencer test.
ModWriter basicWriter();

// The written module loaded into `engine`.
void loadInto(ModEngine& engine, const ModWriter& writer);

// Runs `ticks` sequencer steps.
void runTicks(ModEngine& engine, int ticks);

}  // namespace wf::test
