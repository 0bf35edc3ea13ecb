#include "music/ModuleLoader.h"

#include <algorithm>  // Required for: std::min(), std::max()
#include <cmath>      // Required for: std::log()
#include <cstring>    // Required for: std::memcpy()

#include "music/Tables.h"

namespace wf {
namespace {

// A read cursor that knows its end. Reads past the end give zero bytes and
// set `overran`, so a short file decodes as if padded with zeros.
class ByteCursor {
 public:
  ByteCursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t byte() {
    if (pos_ >= size_) {
      overran = true;
      ++pos_;
      return 0;
    }
    return data_[pos_++];
  }
  int32_t word() {  // big-endian 16-bit
    const int32_t high = byte();
    return high * 256 + byte();
  }
  void skip(size_t count) {
    if (count > size_ - std::min(pos_, size_)) overran = true;
    pos_ += count;
  }
  size_t position() const { return pos_; }
  size_t available() const { return pos_ < size_ ? size_ - pos_ : 0; }
  const uint8_t* here() const { return data_ + pos_; }

  bool overran = false;

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

std::string fixedText(ByteCursor& in, size_t bytes) {
  std::string text;
  bool ended = false;
  for (size_t i = 0; i < bytes; ++i) {
    const char c = static_cast<char>(in.byte());
    if (c == '\0') ended = true;
    if (!ended) text.push_back(c);
  }
  return text;
}

int sampleCountFor(const uint8_t* data, size_t size) {
  if (size < 1084) return 15;
  const char* tag = reinterpret_cast<const char*>(data + 1080);
  return (std::memcmp(tag, "M.K.", 4) == 0 || std::memcmp(tag, "FLT4", 4) == 0) ? 31 : 15;
}

void readSampleHeader(ByteCursor& in, SampleHeader& sample) {
  sample.name = fixedText(in, 22);
  sample.length = in.word() * 2;
  const int nibble = in.byte() & 0x0F;
  sample.finetune = nibble < 8 ? nibble : nibble - 16;  // 8..15 are -8..-1
  sample.volume = in.byte();
  sample.loopStart = in.word() * 2;
  sample.loopLength = in.word() * 2;
  sample.loopEnd = sample.loopStart + sample.loopLength;
}

// Keeps every header value inside what the mixer can use safely.
void makeSampleSafe(int number, SampleHeader& sample, LoadResult& result) {
  const std::string which = "sample " + std::to_string(number);
  if (sample.volume > 64) {
    result.notes.push_back(which + ": volume " + std::to_string(sample.volume) + " clamped to 64");
    sample.volume = 64;
  }
  if (sample.length == 0) return;  // never mixed; its loop words do not matter
  if (sample.loopStart >= sample.length) {
    result.notes.push_back(which + ": loop start " + std::to_string(sample.loopStart) +
                           " lies beyond the sample (" + std::to_string(sample.length) +
                           " bytes); played without a loop");
    sample.loopStart = 0;
    sample.loopLength = 0;
  } else if (sample.loopStart + sample.loopLength > sample.length) {
    const int32_t clipped = sample.length - sample.loopStart;
    result.notes.push_back(which + ": loop end " + std::to_string(sample.loopStart + sample.loopLength) +
                           " lies beyond the sample (" + std::to_string(sample.length) +
                           " bytes); loop length clipped to " + std::to_string(clipped));
    sample.loopLength = clipped;
  }
  sample.loopEnd = sample.loopStart + sample.loopLength;
}

}  // namespace

int32_t noteIndexForPeriod(int32_t period) {
  if (period == 0) return -1;
  // deliberate: truncation, not rounding, and a ratio written with twelve
  // decimals (a hair above 2^(1/96)): a period a hair below its exact
  // equal-tempered value lands one fine step low (856 -> 103). The finetuned
  // look-ups of stored productions depend on these exact indices
  // (NoteIndex.EdgeValuesOfTheLogarithm).
  const double steps = (std::log(1712.0) - std::log(static_cast<double>(period))) / std::log(1.007246412224) + 8.0;
  return static_cast<int32_t>(steps);  // period 1..4095: always within int range
}

LoadResult loadModuleData(const uint8_t* data, size_t size, Module& module) {
  LoadResult result;
  module.clear();
  ByteCursor in(data, size);

  module.title = fixedText(in, 20);
  module.sampleCount = sampleCountFor(data, size);
  for (int s = 1; s <= module.sampleCount; ++s) readSampleHeader(in, module.samples[s]);

  module.songLength = in.byte();
  in.skip(1);
  int32_t highest = 0;
  for (int32_t& entry : module.orders) {
    entry = in.byte();
    highest = std::max(highest, entry);
  }
  module.patternCount = highest + 1;
  if (module.sampleCount == 31) in.skip(4);
  if (in.overran)
    result.notes.push_back("file ends at byte " + std::to_string(size) +
                           " inside the header; the missing header bytes read as 0");
  if (module.songLength > kOrderCount) {
    result.notes.push_back("song length " + std::to_string(module.songLength) + " cut to 128 order entries");
    module.songLength = kOrderCount;
  }
  // deliberate: a song length of 0 is read as 1. No order position at all
  // would replay row 0 of order 0 for ever and reset the player on every row
  // (a stutter); the first order position plays, as in other players
  // (SequencerPosition.SongLengthZeroPlaysTheRowsOfOrderZero).
  if (module.songLength == 0) {
    result.notes.push_back("song length 0 read as 1");
    module.songLength = 1;
  }

  // Patterns: 64 rows x 4 channels x 4 bytes each. Cells past the end of the
  // file stay empty.
  module.patterns.assign(static_cast<size_t>(module.patternCount) * kRowsPerPattern * kChannels, PatternCell());
  const size_t patternStart = in.position();
  int foreignSamples = 0;
  for (PatternCell& cell : module.patterns) {
    if (in.available() < 4) {
      in.skip(4);
      continue;
    }
    const uint8_t b0 = in.byte(), b1 = in.byte(), b2 = in.byte(), b3 = in.byte();
    const int32_t period = (b0 & 0x0F) * 256 + b1;
    cell.sample = (b0 & 0xF0) | (b2 >> 4);
    cell.noteIndex = noteIndexForPeriod(period);
    cell.effect = b2 & 0x0F;
    cell.param = b3;
    if (cell.sample > module.sampleCount) {
      ++foreignSamples;
      cell.sample = 0;  // safety: a number outside the sample table counts as none
    }
  }
  const size_t patternBytes = module.patterns.size() * 4;
  if (size < patternStart + patternBytes)
    result.notes.push_back("pattern data ends after " + std::to_string(size > patternStart ? size - patternStart : 0) +
                           " of " + std::to_string(patternBytes) + " bytes; the missing cells are empty");
  if (foreignSamples > 0)
    result.notes.push_back(std::to_string(foreignSamples) + " cells name a sample above " +
                           std::to_string(module.sampleCount) + "; treated as no sample");

  // Sample data in sample order, plus the interpolation guard bytes.
  for (int s = 1; s <= module.sampleCount; ++s) {
    SampleHeader& sample = module.samples[s];
    makeSampleSafe(s, sample, result);
    if (sample.length <= 0) continue;
    sample.data.assign(static_cast<size_t>(sample.length) + 1, 0);
    const size_t present = std::min(in.available(), static_cast<size_t>(sample.length));
    if (present > 0) std::memcpy(sample.data.data(), in.here(), present);
    if (present < static_cast<size_t>(sample.length))
      result.notes.push_back("sample " + std::to_string(s) + ": " + std::to_string(present) + " of " +
                             std::to_string(sample.length) + " data bytes in the file; the rest is silence");
    in.skip(static_cast<size_t>(sample.length));
    sample.data[sample.length] = sample.data[sample.length - 1];
    if (sample.loopLength > 2) sample.data[sample.loopEnd] = sample.data[sample.loopStart];
  }
  return result;
}

}  // namespace wf
