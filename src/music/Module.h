// The in-memory form of a four-channel MOD module, as the player uses it.
//
// Depends on: nothing but the standard library. Filled by ModuleLoader, read
// by the sequencer and mixer (ModEngine). Every value here is already made
// safe by the loader: sample numbers lie within the sample table, volumes in
// 0..64, loops inside their sample, order entries below patternCount.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace wf {

constexpr int kMaxSamples = 32;   // entry 0 is never used; sample numbers are 1-based
constexpr int kOrderCount = 128;  // order list entries in the file
constexpr int kChannels = 4;
constexpr int kRowsPerPattern = 64;

struct SampleHeader {
  std::string name;         // up to 22 characters, cut at the first NUL
  int32_t length = 0;       // bytes (the file's word count times 2)
  int32_t finetune = 0;     // -8..7, in fine steps of 1/8 semitone, added to note indices
  int32_t volume = 0;       // default volume 0..64
  int32_t loopStart = 0;    // bytes
  int32_t loopLength = 0;   // bytes
  int32_t loopEnd = 0;      // loopStart + loopLength, bytes
  // length + 1 signed 8-bit values, empty when length is 0. The byte at
  // [length] repeats the last sample and the byte at [loopEnd] (loops longer
  // than 2 bytes) repeats [loopStart]: the mixer's interpolation always reads
  // one byte past the current one.
  std::vector<int8_t> data;
};

// One decoded pattern cell.
struct PatternCell {
  int32_t sample = 0;      // 1..sampleCount, 0 = no sample given
  int32_t noteIndex = -1;  // index into periodTable, -1 (or 0) = no note
  int32_t effect = 0;      // 0..15
  int32_t param = 0;       // 0..255
};

class Module {
 public:
  std::string title;                      // at most 20 characters
  int32_t sampleCount = 0;                // 15 or 31; 0 = nothing loaded
  std::array<SampleHeader, kMaxSamples> samples;
  int32_t songLength = 0;                 // valid order entries, 0..128
  int32_t patternCount = 0;               // 1 + the largest of all 128 order entries
  std::array<int32_t, kOrderCount> orders{};
  // patternCount x 64 rows x 4 channels, row-major.
  std::vector<PatternCell> patterns;

  bool loaded() const { return sampleCount > 0 && !patterns.empty(); }
  void clear();

  const PatternCell& cell(int pattern, int row, int channel) const {
    return patterns[(static_cast<size_t>(pattern) * kRowsPerPattern + row) * kChannels + channel];
  }
  PatternCell& cell(int pattern, int row, int channel) {
    return patterns[(static_cast<size_t>(pattern) * kRowsPerPattern + row) * kChannels + channel];
  }
};

}  // namespace wf
