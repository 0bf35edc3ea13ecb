// Reads a MOD file (ProTracker layout, 15 or 31 samples) into a Module.
//
// Depends on: Module, Tables. No platform calls: the caller hands over the
// file's bytes (FileBuffer in the player, raw bytes in tests and the fuzzer).
//
// Layout (big-endian words, offsets in bytes, N = 15 or 31 samples):
//   0 title (20) | 20 N sample headers (30 each) | 20+30N song length |
//   21+30N skipped | 22+30N orders (128) | 150+30N "M.K."/"FLT4" (N = 31 only) |
//   patterns (patternCount x 1024) | sample data in sample order.
// The sample count is decided by the four bytes at 1080 alone.
//
// The loader never reads past the data it is given and never fails: what a
// file lacks or gets wrong is replaced by something silent and safe, and each
// such replacement is described in LoadResult::notes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "music/Module.h"

namespace wf {

struct LoadResult {
  std::vector<std::string> notes;  // one text per substitution made
};

// Replaces everything in `module` with the file's content.
LoadResult loadModuleData(const uint8_t* data, size_t size, Module& module);

// The period-to-note conversion: trunc((ln 1712 - ln period) / ln 1.007246412224 + 8),
// -1 for period 0. 856 gives 103 (not 104): see the deliberate truncation in
// ModuleLoader.cpp.
int32_t noteIndexForPeriod(int32_t period);

}  // namespace wf
