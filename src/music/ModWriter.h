// Builds MOD files (ProTracker layout) in memory: for tests, the fuzz seed
// corpus, benchmarks and the module composer.
//
// Depends on: Tables (note periods). The writer puts down exactly what it is
// told, including values a loader has to distrust (volumes above 64, loops
// beyond the sample, sample numbers above the count, declared lengths longer
// than the data): that is how the reader's safety is tested.
//
// Units: sample data, lengths and loop points in bytes (the file stores
// words, so odd byte counts are padded with one zero byte); periods are Amiga
// periods (notePeriod gives the table's); pattern numbers 0..255.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace wf {

struct ModSample {
  std::string name;          // at most 22 characters are written
  std::vector<int8_t> data;  // signed 8-bit PCM
  int finetune = 0;          // -8..7; written as its low nibble
  int volume = 64;           // written as one byte, unchecked
  int loopStart = 0;         // bytes; written as loopStart / 2 words
  int loopLength = 0;        // bytes; 0 or 2 means no loop
  int lengthWords = -1;      // -1: from the data; otherwise the declared length, whatever the data
};

struct ModCell {
  int period = 0;  // 0 = no note; 12 bits
  int sample = 0;  // 0 = none; 8 bits
  int effect = 0;  // 0..15
  int param = 0;   // 0..255
};

class ModWriter {
 public:
  // 31 samples (signature "M.K.") or 15 (no signature, the old layout).
  explicit ModWriter(int sampleCount = 31);

  void setTitle(const std::string& title) { title_ = title; }
  // Only with 31 samples: the four bytes at 1080 ("M.K.", "FLT4", anything).
  void setSignature(const std::string& signature) { signature_ = signature; }
  ModSample& sample(int number);  // 1..sampleCount

  // The song: its order entries and song length = their count.
  void setSong(const std::vector<int>& orders);
  void setSongLength(int length) { songLength_ = length; }
  void setOrder(int index, int pattern);  // any of the 128 entries

  ModCell& cell(int pattern, int row, int channel);
  void setCell(int pattern, int row, int channel, const ModCell& cell) { this->cell(pattern, row, channel) = cell; }

  int sampleCount() const { return sampleCount_; }
  // 1 + the largest of all 128 order entries: the patterns the file holds.
  int patternCount() const;
  std::vector<uint8_t> build() const;
  bool writeFile(const std::string& path) const;

  // periodTable[8 + 8 x semitone + finetune]: semitone 0 is the lowest note
  // (period 1712), 12 an octave up (856 on the table), 24 two octaves (428).
  static int notePeriod(int semitone, int finetune = 0);

 private:
  using Pattern = std::array<ModCell, 64 * 4>;

  int sampleCount_;
  std::string title_;
  std::string signature_ = "M.K.";
  std::vector<ModSample> samples_;
  int songLength_ = 1;
  std::array<int, 128> orders_{};
  std::vector<Pattern> patterns_;
};

}  // namespace wf
