#include "music/SoundOutput.h"

#include <algorithm>  // Required for: std::min()
#include <cstring>    // Required for: std::memcpy(), std::memset()

namespace wf {

SoundOutput::SoundOutput() { std::memset(ring_, 0, sizeof ring_); }

void SoundOutput::writeHalf(int offset, const int16_t* pcm) {
  if (offset != 0 && offset != kHalfBytes) return;
  std::lock_guard<std::mutex> lock(mutex_);
  std::memcpy(ring_ + offset, pcm, kHalfBytes);
}

void SoundOutput::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::memset(ring_, 0, sizeof ring_);
}

int SoundOutput::cursor() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return cursor_;
}

size_t SoundOutput::pullFromRing(uint8_t* out, size_t bytes, int& signalled) {
  signalled = -1;
  size_t count;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const int boundary = cursor_ < kHalfBytes ? kHalfBytes : kBufferBytes;
    count = std::min(bytes, static_cast<size_t>(boundary - cursor_));
    if (out) std::memcpy(out, ring_ + cursor_, count);
    cursor_ += static_cast<int>(count);
    if (cursor_ == kHalfBytes) {
      signalled = kCursorAtHalfEvent;
    } else if (cursor_ == kBufferBytes) {
      cursor_ = 0;
      signalled = kCursorAtStartEvent;
    }
  }
  if (signalled >= 0 && events_) events_->signal(signalled);
  return count;
}

}  // namespace wf
