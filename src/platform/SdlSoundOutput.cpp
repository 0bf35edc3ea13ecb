#include "platform/SdlSoundOutput.h"

#include <SDL.h>  // Required for: SDL_OpenAudioDevice(), SDL_PauseAudioDevice()

#include <string>

#include "base/Report.h"

namespace wf {

SdlSoundOutput::SdlSoundOutput() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    logDiagnostic(std::string("audio: SDL audio unavailable (") + SDL_GetError() + "); music stays silent");
    return;
  }
  subsystemStarted_ = true;
  SDL_AudioSpec want;
  SDL_zero(want);
  want.freq = 44100;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;  // the device's own period; the ring's halves set the music's timing
  want.callback = &SdlSoundOutput::callback;
  want.userdata = this;
  SDL_AudioSpec have;
  SDL_zero(have);
  // No format changes allowed: SDL converts if the hardware differs, so the
  // ring always holds exactly 44100 Hz signed 16-bit stereo.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    logDiagnostic(std::string("audio: no sound device (") + SDL_GetError() + "); music stays silent");
    return;
  }
  const char* driver = SDL_GetCurrentAudioDriver();
  logDiagnostic(std::string("audio: ") + (driver ? driver : "?") + " default device, " + std::to_string(have.freq) +
                " Hz, " + std::to_string(have.channels) + " channels, " +
                std::to_string(SDL_AUDIO_BITSIZE(have.format)) + "-bit, " + std::to_string(have.samples) +
                "-frame device buffer");
}

SdlSoundOutput::~SdlSoundOutput() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  if (subsystemStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSoundOutput::start() {
  if (device_ != 0) SDL_PauseAudioDevice(device_, 0);
}

void SdlSoundOutput::stop() {
  // Returns only when no callback runs any more; the cursor stays where it is.
  if (device_ != 0) SDL_PauseAudioDevice(device_, 1);
}

void SdlSoundOutput::callback(void* self, uint8_t* stream, int length) {
  auto* output = static_cast<SdlSoundOutput*>(self);
  size_t left = length > 0 ? static_cast<size_t>(length) : 0;
  while (left > 0) {
    int signalled;
    const size_t got = output->pullFromRing(stream, left, signalled);
    stream += got;
    left -= got;
  }
}

}  // namespace wf
