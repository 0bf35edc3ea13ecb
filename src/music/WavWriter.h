// Writes 16-bit stereo PCM at 44100 Hz as a RIFF/WAVE file.
//
// Samples are interleaved left, right; the file is little-endian whatever
// the host. WavWriter streams (the header is completed by close()),
// writeWavFile writes a whole buffer at once.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace wf {

class WavWriter {
 public:
  WavWriter() = default;
  ~WavWriter();
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;

  bool open(const std::string& path);
  // `frames` frames of two samples each.
  bool write(const int16_t* samples, size_t frames);
  // Fills in the sizes and closes; false if anything failed on the way.
  bool close();
  uint64_t framesWritten() const { return frames_; }

 private:
  std::FILE* file_ = nullptr;
  uint64_t frames_ = 0;
  bool ok_ = false;
  std::vector<uint8_t> bytes_;  // little-endian copy of the block being written
};

bool writeWavFile(const std::string& path, const int16_t* samples, size_t frames);

}  // namespace wf
