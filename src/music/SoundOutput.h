// Where the module player's blocks go: a looping 32000-byte ring of 16-bit
// stereo PCM at 44100 Hz with two refill points.
//
// The output plays the ring in a loop from its play cursor. Whenever the
// cursor reaches offset 0 it signals event 0 (the half at 16000 was just
// played), and whenever it reaches 16000 it signals event 1 (the half at 0
// was just played); the player's worker then writes one 16000-byte block into
// the half just left. Event 2 is the player's stop request. The ring size and
// the half size are part of the music's timing and stay as they are.
//
// Backends: SdlSoundOutput (the sound device) and VirtualSoundOutput (driven
// by the virtual clock of headless runs). A backend only has to move the play
// cursor with pullFromRing(); the ring, the locking and the notifications are
// shared here.
#pragma once
#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: int16_t, uint8_t
#include <mutex>    // Required for: std::mutex

#include "music/AutoResetEvents.h"

namespace wf {

class SoundOutput {
 public:
  static constexpr int kBufferBytes = 32000;
  static constexpr int kHalfBytes = kBufferBytes / 2;  // 4000 frames, about 90.7 ms
  static constexpr int kCursorAtStartEvent = 0;
  static constexpr int kCursorAtHalfEvent = 1;
  static constexpr int kStopEvent = 2;

  SoundOutput();
  virtual ~SoundOutput() = default;
  SoundOutput(const SoundOutput&) = delete;
  SoundOutput& operator=(const SoundOutput&) = delete;

  // Whether the device and its buffer were obtained. Without them the player
  // stays not initialised and the demo runs silently.
  virtual bool ready() const = 0;
  // Starts playing the ring in a loop from the current cursor / halts it,
  // keeping the cursor.
  virtual void start() = 0;
  virtual void stop() = 0;
  // Short name for diagnostics ("SDL", "virtual").
  virtual const char* name() const = 0;
  // An output that plays on the timeline's clock rather than its own (the
  // virtual device) plays up to the output frame at `seconds` of the
  // timeline. A device that plays on its own clock ignores it.
  virtual void advanceTo(double /*seconds*/) {}
  // True for outputs that advanceTo() moves exactly (headless): the music of
  // a fast-forward is then already where it belongs.
  virtual bool keepsTimeline() const { return false; }

  // The events the cursor signals (owned by the player).
  void attach(AutoResetEvents* events) { events_ = events; }
  bool attached() const { return events_ != nullptr; }
  // Copies one half-buffer of PCM (kHalfBytes) to `offset` (0 or kHalfBytes).
  virtual void writeHalf(int offset, const int16_t* pcm);
  // Fills the whole ring with silence.
  void clear();
  int cursor() const;

 protected:
  // Plays up to `bytes` from the cursor into `out` (null: discard), stopping
  // at the next refill point; signals the event of a refill point reached.
  // Returns the bytes consumed and sets `signalled` to the event index, or -1.
  size_t pullFromRing(uint8_t* out, size_t bytes, int& signalled);

 private:
  mutable std::mutex mutex_;
  uint8_t ring_[kBufferBytes];
  int cursor_ = 0;
  AutoResetEvents* events_ = nullptr;
};

}  // namespace wf
