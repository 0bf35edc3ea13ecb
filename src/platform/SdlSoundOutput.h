// The sound device: SDL2 audio, 44100 Hz, signed 16-bit stereo.
//
// The only file of the music subsystem that calls the platform. SDL's audio
// callback moves the play cursor through the shared ring (SoundOutput), which
// signals the two refill points. With no sound card SDL_OpenAudioDevice fails:
// ready() is then false and the player stays not initialised.
#pragma once
#include <cstdint>
#include <memory>

#include "music/SoundOutput.h"

namespace wf {

class SdlSoundOutput : public SoundOutput {
 public:
  SdlSoundOutput();
  ~SdlSoundOutput() override;

  bool ready() const override { return device_ != 0; }
  void start() override;
  void stop() override;
  const char* name() const override { return "SDL"; }

 private:
  static void callback(void* self, uint8_t* stream, int length);

  uint32_t device_ = 0;
  bool subsystemStarted_ = false;
};

}  // namespace wf
