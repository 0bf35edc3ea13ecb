#include "music/VirtualSoundOutput.h"

#include <algorithm>  // Required for: std::min()
#include <cmath>      // Required for: std::floor(), std::isfinite()

#include "music/WavWriter.h"

namespace wf {

void VirtualSoundOutput::start() {
  std::lock_guard<std::mutex> lock(mutex_);
  started_ = true;
}

void VirtualSoundOutput::stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    started_ = false;
  }
  served_.notify_all();
}

void VirtualSoundOutput::writeHalf(int offset, const int16_t* pcm) {
  SoundOutput::writeHalf(offset, pcm);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++blocksServed_;
  }
  served_.notify_all();
}

void VirtualSoundOutput::advanceTo(double seconds) {
  if (!std::isfinite(seconds) || seconds <= 0.0) return;
  // A hair of tolerance so that t = k / 60 lands on the frame it names.
  const int64_t target = static_cast<int64_t>(std::floor(seconds * 44100.0 + 1e-6));
  if (target > framesPlayed_) playFrames(target - framesPlayed_);
}

void VirtualSoundOutput::playFrames(int64_t frames) {
  static const int16_t kSilence[2 * 4000] = {};
  while (frames > 0) {
    bool started;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      started = started_;
    }
    if (!started) {  // a stopped device plays nothing: silence in the record
      for (int64_t left = frames; left > 0; left -= 4000) keep(kSilence, std::min<int64_t>(left, 4000));
      framesPlayed_ += frames;
      return;
    }
    int16_t chunk[2 * 4000];
    const size_t want = static_cast<size_t>(std::min<int64_t>(frames, 4000)) * 4;
    int signalled = -1;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      // Count the request before the signal, so the worker's answer is never missed.
      ++blocksRequested_;
    }
    // Nothing kept: the cursor moves and signals all the same.
    const size_t got =
        pullFromRing(record_ == Record::Nothing ? nullptr : reinterpret_cast<uint8_t*>(chunk), want, signalled);
    const int64_t gotFrames = static_cast<int64_t>(got / 4);
    keep(chunk, gotFrames);
    framesPlayed_ += gotFrames;
    frames -= gotFrames;
    std::unique_lock<std::mutex> lock(mutex_);
    if (signalled < 0 || !attached()) {
      --blocksRequested_;
      continue;
    }
    // Wait for the block, as a real device's buffer would have it in time.
    served_.wait(lock, [this] { return blocksServed_ >= blocksRequested_ || !started_; });
  }
}

void VirtualSoundOutput::keep(const int16_t* samples, int64_t frames) {
  if (record_ == Record::Memory)
    pcm_.insert(pcm_.end(), samples, samples + frames * 2);  // geometric growth: no copy per call
  else if (record_ == Record::Wav)
    wav_.write(samples, static_cast<size_t>(frames));
}

bool VirtualSoundOutput::recordToWav(const std::string& path) {
  record_ = Record::Wav;
  return wav_.open(path);
}

bool VirtualSoundOutput::finishRecording() {
  record_ = Record::Nothing;
  return wav_.close();
}

bool VirtualSoundOutput::writeWav(const std::string& path) const {
  return writeWavFile(path, pcm_.data(), pcm_.size() / 2);
}

}  // namespace wf
