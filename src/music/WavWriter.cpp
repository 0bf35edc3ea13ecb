#include "music/WavWriter.h"

namespace wf {
namespace {

constexpr uint32_t kRate = 44100;
constexpr uint16_t kChannelCount = 2;
constexpr uint16_t kBits = 16;

void put16(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}
void put32(uint8_t* at, uint32_t value) {
  put16(at, value & 0xFFFF);
  put16(at + 2, value >> 16);
}

// The 44-byte header for `dataBytes` bytes of PCM (sizes saturate at 4 GiB).
void makeHeader(uint8_t* h, uint64_t dataBytes) {
  const uint32_t data = dataBytes > 0xFFFFFFFFull - 36 ? 0xFFFFFFFFu - 36 : static_cast<uint32_t>(dataBytes);
  const char* tags[] = {"RIFF", "WAVE", "fmt ", "data"};
  const int at[] = {0, 8, 12, 36};
  for (int i = 0; i < 4; ++i)
    for (int k = 0; k < 4; ++k) h[at[i] + k] = static_cast<uint8_t>(tags[i][k]);
  put32(h + 4, 36 + data);
  put32(h + 16, 16);  // fmt chunk size
  put16(h + 20, 1);   // linear PCM
  put16(h + 22, kChannelCount);
  put32(h + 24, kRate);
  put32(h + 28, kRate * kChannelCount * kBits / 8);
  put16(h + 32, kChannelCount * kBits / 8);
  put16(h + 34, kBits);
  put32(h + 40, data);
}

}  // namespace

WavWriter::~WavWriter() {
  if (file_) close();
}

bool WavWriter::open(const std::string& path) {
  if (file_) close();
  frames_ = 0;
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return ok_ = false;
  uint8_t header[44];
  makeHeader(header, 0);
  ok_ = std::fwrite(header, 1, sizeof header, file_) == sizeof header;
  return ok_;
}

bool WavWriter::write(const int16_t* samples, size_t frames) {
  if (!file_) return false;
  bytes_.resize(frames * 4);  // kept between calls: streaming allocates nothing per block
  for (size_t i = 0; i < frames * 2; ++i) put16(&bytes_[2 * i], static_cast<uint16_t>(samples[i]));
  if (std::fwrite(bytes_.data(), 1, bytes_.size(), file_) != bytes_.size()) ok_ = false;
  frames_ += frames;
  return ok_;
}

bool WavWriter::close() {
  if (!file_) return false;
  uint8_t header[44];
  makeHeader(header, frames_ * 4);
  if (std::fseek(file_, 0, SEEK_SET) != 0 || std::fwrite(header, 1, sizeof header, file_) != sizeof header) ok_ = false;
  if (std::fclose(file_) != 0) ok_ = false;
  file_ = nullptr;
  return ok_;
}

bool writeWavFile(const std::string& path, const int16_t* samples, size_t frames) {
  WavWriter writer;
  if (!writer.open(path)) return false;
  writer.write(samples, frames);
  return writer.close();
}

}  // namespace wf
