#include "music/ModWriter.h"

#include <algorithm>  // Required for: std::max(), std::min()
#include <cstdio>     // Required for: std::fopen(), std::fwrite()

#include "music/Tables.h"

namespace wf {
namespace {

void putWord(std::vector<uint8_t>& out, int value) {
  out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
  out.push_back(static_cast<uint8_t>(value & 0xFF));
}

void putText(std::vector<uint8_t>& out, const std::string& text, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) out.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
}

int dataWords(const ModSample& s) { return static_cast<int>((s.data.size() + 1) / 2); }

}  // namespace

ModWriter::ModWriter(int sampleCount) : sampleCount_(sampleCount == 15 ? 15 : 31), samples_(32) {}

ModSample& ModWriter::sample(int number) {
  return samples_[static_cast<size_t>(std::clamp(number, 1, sampleCount_))];
}

void ModWriter::setSong(const std::vector<int>& orders) {
  orders_.fill(0);
  for (size_t i = 0; i < orders.size() && i < orders_.size(); ++i) orders_[i] = orders[i] & 0xFF;
  songLength_ = static_cast<int>(std::min<size_t>(orders.size(), 128));
}

void ModWriter::setOrder(int index, int pattern) {
  if (index >= 0 && index < 128) orders_[static_cast<size_t>(index)] = pattern & 0xFF;
}

ModCell& ModWriter::cell(int pattern, int row, int channel) {
  pattern = std::clamp(pattern, 0, 255);
  if (patterns_.size() <= static_cast<size_t>(pattern)) patterns_.resize(static_cast<size_t>(pattern) + 1, Pattern{});
  return patterns_[static_cast<size_t>(pattern)][static_cast<size_t>(std::clamp(row, 0, 63) * 4 + std::clamp(channel, 0, 3))];
}

int ModWriter::patternCount() const { return 1 + *std::max_element(orders_.begin(), orders_.end()); }

std::vector<uint8_t> ModWriter::build() const {
  std::vector<uint8_t> out;
  putText(out, title_, 20);
  for (int n = 1; n <= sampleCount_; ++n) {
    const ModSample& s = samples_[static_cast<size_t>(n)];
    putText(out, s.name, 22);
    putWord(out, s.lengthWords >= 0 ? s.lengthWords : dataWords(s));
    out.push_back(static_cast<uint8_t>(s.finetune & 0x0F));
    out.push_back(static_cast<uint8_t>(s.volume & 0xFF));
    putWord(out, s.loopStart / 2);
    putWord(out, s.loopLength / 2);
  }
  out.push_back(static_cast<uint8_t>(songLength_ & 0xFF));
  out.push_back(127);  // not read; trackers traditionally store 127 here
  for (int entry : orders_) out.push_back(static_cast<uint8_t>(entry));
  if (sampleCount_ == 31) putText(out, signature_, 4);

  const Pattern empty{};
  for (int p = 0; p < patternCount(); ++p) {
    const Pattern& pattern = static_cast<size_t>(p) < patterns_.size() ? patterns_[static_cast<size_t>(p)] : empty;
    for (const ModCell& c : pattern) {
      out.push_back(static_cast<uint8_t>((c.sample & 0xF0) | ((c.period >> 8) & 0x0F)));
      out.push_back(static_cast<uint8_t>(c.period & 0xFF));
      out.push_back(static_cast<uint8_t>(((c.sample & 0x0F) << 4) | (c.effect & 0x0F)));
      out.push_back(static_cast<uint8_t>(c.param & 0xFF));
    }
  }
  for (int n = 1; n <= sampleCount_; ++n) {
    const ModSample& s = samples_[static_cast<size_t>(n)];
    for (int8_t v : s.data) out.push_back(static_cast<uint8_t>(v));
    if (s.data.size() % 2) out.push_back(0);
  }
  return out;
}

bool ModWriter::writeFile(const std::string& path) const {
  const std::vector<uint8_t> bytes = build();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

int ModWriter::notePeriod(int semitone, int finetune) { return periodAt(8 + 8 * semitone + finetune); }

}  // namespace wf
