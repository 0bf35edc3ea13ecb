// A sound output without a device, driven by the virtual clock of headless
// runs (--render, --dump-scene).
//
// advanceTo(t) moves the play cursor to output frame floor(t x 44100) exactly
// as a device would, signalling the refill points it reaches and waiting
// until the player's worker has written each block, so the result is the
// same on every run. Everything the "speaker" plays is kept as PCM: the ring's
// content while started, silence while stopped, so the PCM stays in step with
// the clock and can be written as a WAV file.
#pragma once
#include <condition_variable>  // Required for: std::condition_variable
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "music/SoundOutput.h"

namespace wf {

class VirtualSoundOutput : public SoundOutput {
 public:
  bool ready() const override { return true; }
  void start() override;
  void stop() override;
  const char* name() const override { return "virtual"; }
  void writeHalf(int offset, const int16_t* pcm) override;

  // Plays up to the output frame at `seconds` (earlier times do nothing).
  void advanceTo(double seconds);
  int64_t framesPlayed() const { return framesPlayed_; }
  // Interleaved left/right samples of every frame played so far.
  const std::vector<int16_t>& pcm() const { return pcm_; }
  bool writeWav(const std::string& path) const;

 private:
  void playFrames(int64_t frames);

  std::mutex mutex_;
  std::condition_variable served_;
  bool started_ = false;
  int64_t blocksRequested_ = 0;
  int64_t blocksServed_ = 0;
  int64_t framesPlayed_ = 0;
  std::vector<int16_t> pcm_;
};

}  // namespace wf
