// The demo's music player: one module, one sound output, one worker thread.
//
// Depends on: ModEngine (loading, sequencer, mixer), SoundOutput (where the
// blocks go), FileBuffer (reading the module file). The output is chosen by
// whoever builds the player: the sound device for interactive runs, a
// VirtualSoundOutput for headless ones.
//
// Threads: everything here runs on the main thread except the worker, which
// exists between play() and stop(). It waits for the output's two refill
// notifications and the stop request (lowest index first) and renders exactly
// one 16000-byte block into the half the play cursor has just left. stop()
// joins it, so loading a module never frees data the worker is reading.
//
// Without a working output the player is "not initialised": every operation
// does nothing and the demo runs silently.
#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "music/AutoResetEvents.h"
#include "music/ModEngine.h"
#include "music/SoundOutput.h"

namespace wf {

// A consistent picture of the player for the scene dump.
struct MusicState {
  bool initialised = false;
  bool playing = false;
  bool loaded = false;
  std::string title;
  int32_t order = 0, row = 0, tick = 0, speed = 0, tempo = 0, samplesPerTick = 0;
  int64_t framesRendered = 0;
  int64_t blocksRendered = 0;
  std::array<ChannelState, kChannels> channels{};
};

class ModPlayer {
 public:
  // Takes the output; a null or not-ready output leaves the player not initialised.
  explicit ModPlayer(std::unique_ptr<SoundOutput> output);
  ~ModPlayer();
  ModPlayer(const ModPlayer&) = delete;
  ModPlayer& operator=(const ModPlayer&) = delete;

  // The process-wide player: the most recently constructed one still alive.
  static ModPlayer* current();

  // Stops playback, replaces the module with the file's content (an
  // unreadable file is reported by FileBuffer and leaves no module: playing
  // then gives silence), rewinds and silences the output. Does not play.
  void loadModule(const std::string& path);
  void play();
  void stop();
  // Plays the module from `frames` output frames after its start: the song
  // goes back to its start, and the sequencer and the channels' sample
  // positions move on that far without a sound (the reload and the seek keys
  // of interactive play).
  void playFrom(int64_t frames);

  bool initialised() const { return initialised_; }
  bool isPlaying() const { return playing_; }
  SoundOutput* output() const { return output_.get(); }
  MusicState state() const;

 private:
  void workerLoop();

  std::unique_ptr<SoundOutput> output_;
  AutoResetEvents events_;
  ModEngine engine_;
  mutable std::mutex engineMutex_;  // held by the worker while it renders a block
  std::thread worker_;
  bool initialised_ = false;
  bool playing_ = false;
  std::atomic<int64_t> blocksRendered_{0};
};

}  // namespace wf
