#include "music/ModPlayer.h"

#include <algorithm>  // Required for: std::min()
#include <vector>

#include "base/Report.h"
#include "base/FileBuffer.h"

namespace wf {
namespace {
ModPlayer* currentPlayer = nullptr;
}  // namespace

ModPlayer* ModPlayer::current() { return currentPlayer; }

ModPlayer::ModPlayer(std::unique_ptr<SoundOutput> output) : output_(std::move(output)) {
  currentPlayer = this;
  if (!output_ || !output_->ready()) return;  // no device: the demo runs silently
  output_->attach(&events_);
  initialised_ = true;
}

ModPlayer::~ModPlayer() {
  stop();
  // The device goes first: its callback signals events_, which is destroyed
  // right after this body.
  output_.reset();
  if (currentPlayer == this) currentPlayer = nullptr;
}

void ModPlayer::loadModule(const std::string& path) {
  if (!initialised_) return;
  stop();
  FileBuffer file(path);  // reports a missing file by its path
  {
    std::lock_guard<std::mutex> lock(engineMutex_);
    if (file.failed()) {
      engine_.unload();
    } else {
      const LoadResult result = engine_.load(file.data(), file.size());
      for (const std::string& note : result.notes) logDiagnostic("module " + path + ": " + note);
    }
  }
  output_->clear();
}

void ModPlayer::play() {
  if (!initialised_ || playing_) return;
  events_.resetAll();
  output_->start();
  worker_ = std::thread(&ModPlayer::workerLoop, this);
  playing_ = true;
}

void ModPlayer::playFrom(int64_t frames) {
  if (!initialised_) return;
  stop();
  {
    std::lock_guard<std::mutex> lock(engineMutex_);
    engine_.resetPlayback();
    engine_.rewind();
    // Mixed and thrown away, not skipped: the channels' sample positions
    // move on too, so a held note goes on where it would be.
    std::vector<int16_t> discard(ModEngine::kBlockFrames * 2);
    for (; frames > 0; frames -= ModEngine::kBlockFrames)
      engine_.renderBlock(discard.data(), static_cast<size_t>(std::min<int64_t>(frames, ModEngine::kBlockFrames)) * 4);
  }
  output_->clear();
  play();
}

void ModPlayer::stop() {
  if (!initialised_ || !playing_) return;
  output_->stop();
  events_.signal(SoundOutput::kStopEvent);
  // A refill already signalled is served first (lowest event wins), then the
  // worker ends; joining here is what lets loadModule free the module safely.
  if (worker_.joinable()) worker_.join();
  playing_ = false;
}

void ModPlayer::workerLoop() {
  std::vector<int16_t> block(SoundOutput::kHalfBytes / 2);
  for (;;) {
    const int event = events_.waitAny();
    if (event == SoundOutput::kStopEvent) return;
    // Cursor at 0: the half at 16000 was just played; cursor at 16000: the half at 0.
    const int offset = event == SoundOutput::kCursorAtStartEvent ? SoundOutput::kHalfBytes : 0;
    {
      std::lock_guard<std::mutex> lock(engineMutex_);
      engine_.renderBlock(block.data(), SoundOutput::kHalfBytes);
    }
    ++blocksRendered_;
    output_->writeHalf(offset, block.data());
  }
}

MusicState ModPlayer::state() const {
  MusicState s;
  s.initialised = initialised_;
  s.playing = playing_;
  std::lock_guard<std::mutex> lock(engineMutex_);
  s.loaded = engine_.loaded();
  s.title = engine_.module().title;
  s.order = engine_.order();
  s.row = engine_.row();
  s.tick = engine_.tick();
  s.speed = engine_.speed();
  s.tempo = engine_.tempo();
  s.samplesPerTick = engine_.samplesPerTick();
  s.framesRendered = engine_.framesRendered();
  s.blocksRendered = blocksRendered_;
  for (int c = 0; c < kChannels; ++c) s.channels[c] = engine_.channel(c);
  return s;
}

}  // namespace wf
