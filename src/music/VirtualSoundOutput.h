// A sound output without a device, driven by the virtual clock of headless
// runs (--render, --dump-scene) and of fast-forwards.
//
// advanceTo(t) moves the play cursor to output frame floor(t x 44100) exactly
// as a device would, signalling the refill points it reaches and waiting
// until the player's worker has written each block, so the result is the
// same on every run. What the "speaker" plays (the ring's content while
// started, silence while stopped, so the record stays in step with the
// clock) is kept in memory, streamed to a WAV file, or dropped when only the
// player's position matters. Every played frame costs the same however long
// the run: the memory record grows geometrically, the stream is appended to.
#pragma once
#include <condition_variable>  // Required for: std::condition_variable
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "music/SoundOutput.h"
#include "music/WavWriter.h"

namespace wf {

class VirtualSoundOutput : public SoundOutput {
 public:
  bool ready() const override { return true; }
  void start() override;
  void stop() override;
  const char* name() const override { return "virtual"; }
  void writeHalf(int offset, const int16_t* pcm) override;

  // Plays up to the output frame at `seconds` (earlier times do nothing).
  void advanceTo(double seconds) override;
  bool keepsTimeline() const override { return true; }
  int64_t framesPlayed() const { return framesPlayed_; }

  // Where the frames played from now on go: into memory (the default; pcm()
  // and writeWav() see them), nowhere, or into a WAV file that
  // finishRecording() completes. Opening the file may fail (false).
  void recordInMemory() { record_ = Record::Memory; }
  void recordNothing() { record_ = Record::Nothing; }
  bool recordToWav(const std::string& path);
  // Completes the WAV file; false if any write to it failed.
  bool finishRecording();

  // Interleaved left/right samples of every frame recorded in memory.
  const std::vector<int16_t>& pcm() const { return pcm_; }
  bool writeWav(const std::string& path) const;

 private:
  enum class Record { Memory, Nothing, Wav };
  void playFrames(int64_t frames);
  void keep(const int16_t* samples, int64_t frames);

  std::mutex mutex_;
  std::condition_variable served_;
  bool started_ = false;
  int64_t blocksRequested_ = 0;
  int64_t blocksServed_ = 0;
  int64_t framesPlayed_ = 0;
  Record record_ = Record::Memory;
  std::vector<int16_t> pcm_;
  WavWriter wav_;
};

}  // namespace wf
